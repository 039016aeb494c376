// The real message box behind the message seam: every button kind answered by key and by
// click, on the offscreen platform, with what the box showed, in Chinese as in the program.
#include "cli/QtTranslations.h"
#include "controls/CFileChooser.h"
#include "controls/CMessageBox.h"
#include "support/ModalDriver.h"
#include "support/TestSettings.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgAnswer)

namespace {

/// How the user answers the box.
enum class Action
{
    ClickFirst,   // the mouse on the first button (OK, Yes)
    ClickSecond,  // the mouse on the second button (Cancel, No)
    Enter,        // Enter on the box as it opens
    Escape,       // Escape on the box as it opens
    TabThenEnter, // Tab to the next button, then Enter on it
    TabThenSpace, // Tab to the next button, then Space on it
    CloseBox,     // the window's close box
};

QAbstractButton* ButtonWithText(QWidget* box, const QString& text)
{
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        // Chinese texts carry their shortcut letter at the end: "是(Y)".
        if (button->text().remove(QLatin1Char('&')).startsWith(text))
            return button;
    }
    return nullptr;
}

struct Shown
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

} // namespace

Q_DECLARE_METATYPE(Action)

class TestMessageBox : public QObject
{
    Q_OBJECT

    // The chooser remembers its folder in the user's settings: a test's own.
    TestSettings m_settings;

private Q_SLOTS:
    void initTestCase() { QVERIFY(InstallQtChineseTranslations(*QCoreApplication::instance())); }

    void answers_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<Action>("action");
        QTest::addColumn<MsgAnswer>("expected");

        QTest::newRow("OK: click") << MsgButtons::Ok << Action::ClickFirst << MsgAnswer::Ok;
        QTest::newRow("OK: Enter") << MsgButtons::Ok << Action::Enter << MsgAnswer::Ok;
        QTest::newRow("OK: Escape") << MsgButtons::Ok << Action::Escape << MsgAnswer::Ok;
        QTest::newRow("OK: close box") << MsgButtons::Ok << Action::CloseBox << MsgAnswer::Ok;

        QTest::newRow("OK/Cancel: click OK") << MsgButtons::OkCancel << Action::ClickFirst << MsgAnswer::Ok;
        QTest::newRow("OK/Cancel: click Cancel")
            << MsgButtons::OkCancel << Action::ClickSecond << MsgAnswer::Cancel;
        QTest::newRow("OK/Cancel: Enter") << MsgButtons::OkCancel << Action::Enter << MsgAnswer::Ok;
        QTest::newRow("OK/Cancel: Escape") << MsgButtons::OkCancel << Action::Escape << MsgAnswer::Cancel;
        QTest::newRow("OK/Cancel: Tab, Enter")
            << MsgButtons::OkCancel << Action::TabThenEnter << MsgAnswer::Cancel;
        QTest::newRow("OK/Cancel: Tab, Space")
            << MsgButtons::OkCancel << Action::TabThenSpace << MsgAnswer::Cancel;
        QTest::newRow("OK/Cancel: close box")
            << MsgButtons::OkCancel << Action::CloseBox << MsgAnswer::Cancel;

        QTest::newRow("Yes/No: click Yes") << MsgButtons::YesNo << Action::ClickFirst << MsgAnswer::Yes;
        QTest::newRow("Yes/No: click No") << MsgButtons::YesNo << Action::ClickSecond << MsgAnswer::No;
        QTest::newRow("Yes/No: Enter") << MsgButtons::YesNo << Action::Enter << MsgAnswer::No;
        QTest::newRow("Yes/No: Escape") << MsgButtons::YesNo << Action::Escape << MsgAnswer::No;
        QTest::newRow("Yes/No: Tab, Enter") << MsgButtons::YesNo << Action::TabThenEnter << MsgAnswer::Yes;
        QTest::newRow("Yes/No: Tab, Space") << MsgButtons::YesNo << Action::TabThenSpace << MsgAnswer::Yes;
        QTest::newRow("Yes/No: close box") << MsgButtons::YesNo << Action::CloseBox << MsgAnswer::No;

        const MsgButtons three = MsgButtons::SaveDiscardCancel;
        QTest::newRow("Save/Discard/Cancel: click 保存") << three << Action::ClickFirst << MsgAnswer::Save;
        QTest::newRow("Save/Discard/Cancel: click 不保存")
            << three << Action::ClickSecond << MsgAnswer::Discard;
        QTest::newRow("Save/Discard/Cancel: Enter") << three << Action::Enter << MsgAnswer::Save;
        QTest::newRow("Save/Discard/Cancel: Escape") << three << Action::Escape << MsgAnswer::Cancel;
        QTest::newRow("Save/Discard/Cancel: close box") << three << Action::CloseBox << MsgAnswer::Cancel;
    }

    void answers()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(Action, action);
        QFETCH(MsgAnswer, expected);

        const bool twoButtons = buttons != MsgButtons::Ok;
        QString first = QStringLiteral("确定");
        QString second = QStringLiteral("取消");
        if (buttons == MsgButtons::YesNo) {
            first = QStringLiteral("是");
            second = QStringLiteral("否");
        } else if (buttons == MsgButtons::SaveDiscardCancel) {
            first = QStringLiteral("保存");
            second = QStringLiteral("不保存");
        }
        WhenModalOpens([&](QWidget* box) {
            QVERIFY(qobject_cast<QMessageBox*>(box));
            QVERIFY(QTest::qWaitForWindowActive(box));
            QAbstractButton* firstButton = ButtonWithText(box, first);
            QAbstractButton* secondButton = twoButtons ? ButtonWithText(box, second) : nullptr;
            QVERIFY(firstButton);
            QVERIFY(!twoButtons || secondButton);
            switch (action) {
            case Action::ClickFirst:
                QTest::mouseClick(firstButton, Qt::LeftButton);
                break;
            case Action::ClickSecond:
                QTest::mouseClick(secondButton, Qt::LeftButton);
                break;
            case Action::Enter:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                break;
            case Action::Escape:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            case Action::TabThenEnter:
            case Action::TabThenSpace: {
                // The default button has the focus as the box opens; Tab goes to the other. A
                // yes/no question defaults to 否.
                const bool noFirst = buttons == MsgButtons::YesNo;
                QCOMPARE(QApplication::focusWidget(), noFirst ? secondButton : firstButton);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), noFirst ? firstButton : secondButton);
                QTest::keyClick(QApplication::focusWidget(),
                                action == Action::TabThenEnter ? Qt::Key_Return : Qt::Key_Space);
                break;
            }
            case Action::CloseBox:
                box->close();
                break;
            }
        });
        const MsgAnswer answer =
            ShowMessageBox(UserMessage{nullptr, "text", "caption", buttons, MsgIcon::None});
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(int(answer), int(expected));
    }

    void showsCaptionTextAndIcon_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("expected");
        QTest::newRow("none") << int(MsgIcon::None) << int(QMessageBox::NoIcon);
        QTest::newRow("information") << int(MsgIcon::Information) << int(QMessageBox::Information);
        QTest::newRow("exclamation") << int(MsgIcon::Exclamation) << int(QMessageBox::Warning);
        QTest::newRow("question") << int(MsgIcon::Question) << int(QMessageBox::Question);
    }

    void showsCaptionTextAndIcon()
    {
        QFETCH(int, icon);
        QFETCH(int, expected);
        Shown shown;
        WhenModalOpens([&shown](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown.title = box->windowTitle();
            shown.text = box->text();
            shown.icon = box->icon();
            for (QAbstractButton* button : box->buttons())
                shown.buttons << button->text().remove(QLatin1Char('&')).section(QLatin1Char('('), 0, 0);
            box->done(0);
        });
        ShowMessageBox(UserMessage{nullptr, "数据库连接失败:\r\nreason", "数据源配置", MsgButtons::OkCancel,
                                   static_cast<MsgIcon>(icon)});
        QCOMPARE(shown.title, QStringLiteral("数据源配置"));
        // CR LF of the program's texts becomes one line break.
        QCOMPARE(shown.text, QStringLiteral("数据库连接失败:\nreason"));
        QCOMPARE(int(shown.icon), expected);
        shown.buttons.sort();
        QCOMPARE(shown.buttons, (QStringList{QStringLiteral("取消"), QStringLiteral("确定")}));
    }

    // Qt's file chooser in Chinese whatever the system's language: the kind, size and date of
    // each entry, and columns wide enough for them.
    void theFileChooserIsChinese()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
        QFile file(folder.filePath(QStringLiteral("site.json")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(500, 'x')) == 500);
        file.close();
        QStringList rows;
        QStringList headers;
        bool wideEnough = false;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            dialog->setViewMode(QFileDialog::Detail);
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(view);
            QAbstractItemModel* model = view->model();
            QTRY_COMPARE(model->rowCount(view->rootIndex()), 2);
            for (int column = 0; column < 4; ++column)
                headers << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < 2; ++row) {
                QStringList cells;
                for (int column = 0; column < 4; ++column)
                    cells << model->index(row, column, view->rootIndex()).data().toString();
                rows << cells.join(QLatin1Char('|'));
            }
            wideEnough = true;
            for (int row = 0; row < 2; ++row) {
                for (int column = 1; column < 4; ++column) {
                    const QString text = model->index(row, column, view->rootIndex()).data().toString();
                    wideEnough =
                        wideEnough && view->columnWidth(column) > view->fontMetrics().horizontalAdvance(text);
                }
            }
            dialog->reject();
        });
        CFileChooser::Request request;
        request.mode = CFileChooser::Mode::Open;
        request.start = folder.path();
        QVERIFY(CFileChooser::Choose(request).isEmpty());
        QCOMPARE(headers, (QStringList{QStringLiteral("名称"), QStringLiteral("大小"), QStringLiteral("类型"),
                                       QStringLiteral("修改日期")}));
        rows.sort();
        const QString modified =
            QLocale(QLocale::Chinese, QLocale::China)
                .toString(QFileInfo(folder.filePath(QStringLiteral("site.json"))).lastModified(),
                          QLocale::ShortFormat);
        QCOMPARE(rows.value(0), QStringLiteral("site.json|500 字节|JSON 文件|") + modified);
        QVERIFY2(rows.value(1).startsWith(QStringLiteral("sub||文件夹|")), qPrintable(rows.value(1)));
        QVERIFY(wideEnough);
    }

    void standardTextsAreChinese()
    {
        // The edit context menu of every text field.
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text()
                         .remove(QLatin1Char('&'))
                         .section(QLatin1Char('('), 0, 0)
                         .section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("全选")) && texts.contains(QStringLiteral("粘贴")),
                 qPrintable(texts.join(u',')));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
