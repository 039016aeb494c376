// The real message box behind the message seam: every button kind answered by key and by
// click, on the offscreen platform, with what the box showed, in Chinese as in the program.
#include "app/QtTranslations.h"
#include "controls/CMessageBox.h"
#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
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
