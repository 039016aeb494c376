// The browse field: what its button asks for and what it does with the answer.
#include "controls/CBrowseEdit.h"
#include "controls/CFileChooser.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(CBrowseEdit::Mode)

namespace {

/// Answers every browse request with a fixed path and remembers what was asked.
struct ChooserStandIn
{
    QString answer;
    int calls = 0;
    QWidget* owner = nullptr;
    CBrowseEdit::Mode mode = CBrowseEdit::Mode::Folder;
    QString current;
    CFileChooser::Handler previous;

    explicit ChooserStandIn(QString path) : answer(std::move(path))
    {
        previous = CFileChooser::SetHandler([this](const CFileChooser::Request& request) {
            ++calls;
            owner = request.owner;
            mode = request.mode == CFileChooser::Mode::Folder ? CBrowseEdit::Mode::Folder
                                                              : CBrowseEdit::Mode::File;
            current = request.start;
            return answer;
        });
    }
    ~ChooserStandIn() { CFileChooser::SetHandler(std::move(previous)); }
    ChooserStandIn(const ChooserStandIn&) = delete;
    ChooserStandIn& operator=(const ChooserStandIn&) = delete;
};

QToolButton* BrowseButton(const CBrowseEdit& edit)
{
    return edit.findChild<QToolButton*>(QStringLiteral("btnBrowse"));
}

} // namespace

class TestBrowseEdit : public QObject
{
    Q_OBJECT

    // Choosers remember their folder in the user's settings: a test's own, never the real ones.
    TestSettings m_settings;

private Q_SLOTS:
    void theButtonAsksForTheField_data()
    {
        QTest::addColumn<CBrowseEdit::Mode>("mode");
        QTest::newRow("folder") << CBrowseEdit::Mode::Folder;
        QTest::newRow("file") << CBrowseEdit::Mode::File;
    }

    void theButtonAsksForTheField()
    {
        QFETCH(CBrowseEdit::Mode, mode);
        ChooserStandIn chooser(QStringLiteral("/srv/录音/chosen"));
        CBrowseEdit edit(mode);
        edit.setText(QStringLiteral("/srv/old"));
        edit.show();
        QTest::mouseClick(BrowseButton(edit), Qt::LeftButton);
        QCOMPARE(chooser.calls, 1);
        QCOMPARE(chooser.owner, &edit);
        QVERIFY(chooser.mode == mode);
        QCOMPARE(chooser.current, QStringLiteral("/srv/old"));
        QCOMPARE(edit.text(), QStringLiteral("/srv/录音/chosen"));
    }

    // An empty field starts the chooser in the folder last used, in this run or an earlier one.
    void anEmptyFieldStartsWhereTheLastChoiceWas()
    {
        QTemporaryDir place;
        const QString chosen = place.filePath(QStringLiteral("流程.xml"));
        ChooserStandIn chooser(chosen);
        CBrowseEdit first(CBrowseEdit::Mode::File);
        first.show();
        QTest::mouseClick(BrowseButton(first), Qt::LeftButton);
        QCOMPARE(chooser.current, QDir::homePath());
        QCOMPARE(first.text(), QDir::toNativeSeparators(chosen));
        QCOMPARE(CFileChooser::LastFolder(), place.path());
        CBrowseEdit second(CBrowseEdit::Mode::Folder);
        second.show();
        QTest::mouseClick(BrowseButton(second), Qt::LeftButton);
        QCOMPARE(chooser.current, place.path());
    }

    void cancellingKeepsTheText()
    {
        ChooserStandIn chooser{QString()};
        CBrowseEdit edit(CBrowseEdit::Mode::File);
        edit.setText(QStringLiteral("/srv/flows/main.flow"));
        edit.show();
        QTest::mouseClick(BrowseButton(edit), Qt::LeftButton);
        QCOMPARE(chooser.calls, 1);
        QCOMPARE(edit.text(), QStringLiteral("/srv/flows/main.flow"));
    }

    void theButtonSitsAtTheRightEndClearOfTheText()
    {
        CBrowseEdit edit(CBrowseEdit::Mode::Folder);
        edit.resize(300, edit.sizeHint().height());
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const QToolButton* button = BrowseButton(edit);
        QVERIFY(button->isVisible());
        QVERIFY(edit.rect().contains(button->geometry()));
        QVERIFY2(edit.width() - button->geometry().right() <= 4, "the button is not at the right end");
        QVERIFY(edit.textMargins().right() >= button->width());

        edit.resize(500, edit.height());
        QVERIFY(edit.width() - button->geometry().right() <= 4);
    }

    void theButtonIsReachedByTabAndPressedBySpace()
    {
        ChooserStandIn chooser(QStringLiteral("/srv/chosen"));
        QWidget form;
        auto* edit = new CBrowseEdit(CBrowseEdit::Mode::Folder, &form);
        auto* after = new QLineEdit(&form);
        edit->move(0, 0);
        after->move(0, 40);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(edit->BrowseButton(), BrowseButton(*edit));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), edit->BrowseButton());
        QTest::keyClick(edit->BrowseButton(), Qt::Key_Space);
        QCOMPARE(chooser.calls, 1);
        QCOMPARE(edit->text(), QStringLiteral("/srv/chosen"));
        // The chosen path is in the field, and so is the focus.
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
    }
};

QTEST_MAIN(TestBrowseEdit)
#include "tst_browseedit.moc"
