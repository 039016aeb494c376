// The main window: group switching with the tiles' images, Save of the middleware group
// down to the tables, the exit question, the keyboard and the menu commands.
#include "app/CTarvexDlg.h"
#include "config/CCfgData.h"
#include "controls/CButtonST.h"
#include "controls/CIpAddressEdit.h"
#include "controls/CMessageBox.h"
#include "db/IOtlConnection.h"
#include "pages/CDialogCfgSys.h"
#include "support/ConfigTables.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using Texts = std::vector<std::string>;

/// A pixel of the tile's word: blue in the in-image, dark in the out-image.
QPoint WordPixel(const QImage& in)
{
    for (int y = 0; y < in.height(); ++y) {
        for (int x = in.width() / 2; x < in.width(); ++x) {
            const QColor c = in.pixelColor(x, y);
            if (c.blue() > c.red() + 80)
                return {x, y};
        }
    }
    return {-1, -1};
}

/// True when `button` shows its blue in-image, false when its dark out-image.
bool ShowsInImage(CButtonST* button, const char* inImage)
{
    const QImage in(QString::fromLatin1(inImage));
    const QPoint word = WordPixel(in);
    const QColor shown = button->grab().toImage().pixelColor(word);
    return shown.blue() > shown.red() + 80;
}

/// Counts the times a widget is shown.
struct ShowCounter : QObject
{
    int count = 0;
    explicit ShowCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++count;
        return false;
    }
};

struct Window
{
    CTarvexDlg dialog;

    Window() { dialog.show(); }
    bool Exposed() { return QTest::qWaitForWindowExposed(&dialog); }
    template <class T = QWidget> T* Find(const char* name) const
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
    CButtonST* Button(const char* name) const { return Find<CButtonST>(name); }
    QWidget* SysPage() const { return Find("CDialogCfgSys"); }
    void Click(const char* name) const { QTest::mouseClick(Find(name), Qt::LeftButton); }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void init() { *GetCfgData() = CCfgData(); }

    void groupsAndTheirImages()
    {
        GetCfgData()->DevType = 1;
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        CButtonST* sys = window.Button("btnSys");
        CButtonST* dev = window.Button("btnDev");
        CButtonST* line = window.Button("btnLine");
        // One row of 80 x 30 tiles from the top-left corner of the form, over the banner.
        QCOMPARE(sys->geometry(), QRect(0, 0, 80, 30));
        QCOMPARE(dev->geometry(), QRect(80, 0, 80, 30));
        QCOMPARE(line->geometry(), QRect(160, 0, 80, 30));
        QCOMPARE(window.Find("banner")->geometry(), QRect(0, 0, 515, 30));

        QCOMPARE(window.dialog.CurrentGroup(), 1);
        QVERIFY(window.SysPage()->isVisible());
        QVERIFY(ShowsInImage(sys, ":/images/btn_sys_in.png"));
        QVERIFY(!ShowsInImage(dev, ":/images/btn_dev_in.png"));
        QVERIFY(!ShowsInImage(line, ":/images/btn_line_in.png"));

        window.Click("btnDev");
        QCOMPARE(window.dialog.CurrentGroup(), 2);
        QVERIFY(!window.SysPage()->isVisible());
        QVERIFY(!ShowsInImage(sys, ":/images/btn_sys_in.png"));
        QVERIFY(ShowsInImage(dev, ":/images/btn_dev_in.png"));

        window.Click("btnLine");
        QCOMPARE(window.dialog.CurrentGroup(), 3);
        QVERIFY(!ShowsInImage(dev, ":/images/btn_dev_in.png"));
        QVERIFY(ShowsInImage(line, ":/images/btn_line_in.png"));

        window.Click("btnSys");
        QCOMPARE(window.dialog.CurrentGroup(), 1);
        QVERIFY(window.SysPage()->isVisible());
        // The selected tile stays blue with the mouse away; another turns blue under the mouse.
        QTest::mouseMove(window.Find("btnSave"));
        QVERIFY(ShowsInImage(sys, ":/images/btn_sys_in.png"));
        QTest::mouseMove(dev, QPoint(40, 15));
        QVERIFY(dev->IsHovered());
        QVERIFY(ShowsInImage(dev, ":/images/btn_dev_in.png"));
        QVERIFY(messages.Messages().empty());
    }

    void clickingTheGroupOnShowChangesNothing()
    {
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        ShowCounter shows(window.SysPage());
        window.Click("btnSys");
        QCOMPARE(window.dialog.CurrentGroup(), 1);
        QVERIFY(window.SysPage()->isVisible());
        // The page is not hidden and shown again.
        QCOMPARE(shows.count, 0);
        QVERIFY(ShowsInImage(window.Button("btnSys"), ":/images/btn_sys_in.png"));

        // The same counter does see a real switch.
        window.Click("btnDev");
        window.Click("btnSys");
        QCOMPARE(shows.count, 1);
    }

    void deviceTypeOutsideItsRange_data()
    {
        QTest::addColumn<int>("devType");
        QTest::newRow("-1") << -1;
        QTest::newRow("3") << 3;
        QTest::newRow("large") << 2147483647;
    }

    void deviceTypeOutsideItsRange()
    {
        QFETCH(int, devType);
        QVERIFY(ConfigTables::CreateEmpty());
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', 'kept')"}));
        GetCfgData()->DevType = devType;
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnDev");
        QCOMPARE(window.dialog.CurrentGroup(), 2);
        auto* notice = window.Find<QLabel>("labelNoDevice");
        QVERIFY(notice->isVisible());
        QVERIFY(notice->text().contains(QString::number(devType)));

        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"设备配置信息保存失败, 设备类型无效"});
        QCOMPARE(messages.Messages().front().caption, std::string("提示"));
        QCOMPARE(TestDatabase::Rows("SELECT name, value FROM conf_dev", 2), Texts{"ScAddr|kept"});

        window.Click("btnSys");
        QVERIFY(!notice->isVisible());
        QVERIFY(window.SysPage()->isVisible());
    }

    void saveWritesTheMiddlewareGroup()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', 'untouched')"}));
        CCfgData& cfg = *GetCfgData();
        cfg.CtiAddr = "10.0.0.5";
        cfg.IvrFlows = {"main.xml"};
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editCtiPort")->setText(QStringLiteral("9911"));
        window.Find<CIpAddressEdit>("ipCtiAddr")->SetAddress(QStringLiteral("10.0.0.6"));

        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"中间件配置信息保存成功"});
        const UserMessage& shown = messages.Messages().front();
        QCOMPARE(shown.caption, std::string("提示"));
        QVERIFY(shown.buttons == MsgButtons::Ok && shown.icon == MsgIcon::None);
        QCOMPARE(cfg.CtiPort, std::string("9911"));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name IN ('CtiAddr', 'CtiPort') ORDER BY id", 1),
                 (Texts{"10.0.0.6", "9911"}));
        QCOMPARE(TestDatabase::Rows("SELECT FilePath FROM conf_ivr_flow", 1), Texts{"main.xml"});
        // Only the group on show is written.
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_dev", 1), Texts{"untouched"});

        // A refused save names the database's reason; the page keeps the user's values.
        QVERIFY(TestDatabase::DropTables({"conf_system"}));
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        const QString failure = QString::fromStdString(messages.Messages().front().text);
        QVERIFY2(failure.startsWith(QStringLiteral("中间件配置信息保存失败, ")) && failure.contains(QStringLiteral("conf_system")),
                 qPrintable(failure));
        QCOMPARE(window.Find<QLineEdit>("editCtiPort")->text(), QStringLiteral("9911"));
    }

    void editsOfAnotherGroupAreNotSaved()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editCtiPort")->setText(QStringLiteral("7777"));
        window.Click("btnLine");
        window.Click("btnSave");
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_system", 1), Texts{"0"});
        QCOMPARE(GetCfgData()->CtiPort, std::string("8811"));
        // The edit is still on its page, and goes out with the next Save of its group.
        window.Click("btnSys");
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"中间件配置信息保存成功"});
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'CtiPort'", 1), Texts{"7777"});
    }

    void exitQuestion_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("confirm");
        for (const char* how : {"exit button", "close box"}) {
            QTest::addRow("%s, OK", how) << QString::fromLatin1(how) << true;
            QTest::addRow("%s, Cancel", how) << QString::fromLatin1(how) << false;
        }
    }

    void exitQuestion()
    {
        QFETCH(QString, how);
        QFETCH(bool, confirm);
        MessageRecorder messages;
        messages.QueueAnswer(confirm ? MsgAnswer::Ok : MsgAnswer::Cancel);
        Window window;
        QVERIFY(window.Exposed());
        if (how == QLatin1String("exit button"))
            window.Click("btnExit");
        else
            window.dialog.close();
        QCOMPARE(messages.Texts(), Texts{"确定要退出Tarvex吗?"});
        const UserMessage& asked = messages.Messages().front();
        QCOMPARE(asked.caption, std::string("确认退出"));
        QVERIFY(asked.buttons == MsgButtons::OkCancel && asked.icon == MsgIcon::None);
        QCOMPARE(window.dialog.isVisible(), !confirm);
        if (confirm)
            QCOMPARE(window.dialog.result(), int(QDialog::Rejected));
    }

    void enterAndEscapeDoNothing()
    {
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        for (QWidget* target : {static_cast<QWidget*>(&window.dialog), window.Find("editCtiPort")}) {
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
                QTest::keyClick(target, key);
                QVERIFY(window.dialog.isVisible());
            }
        }
        QTest::keyClick(window.Find("btnSave"), Qt::Key_Escape);
        QVERIFY(window.dialog.isVisible());
        QVERIFY(messages.Messages().empty());
        QCOMPARE(window.dialog.CurrentGroup(), 1);
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("group");
        QTest::newRow("Save, Return") << "btnSave" << int(Qt::Key_Return) << "中间件配置信息保存成功" << 1;
        QTest::newRow("Save, keypad Enter") << "btnSave" << int(Qt::Key_Enter) << "中间件配置信息保存成功" << 1;
        QTest::newRow("Exit") << "btnExit" << int(Qt::Key_Return) << "确定要退出Tarvex吗?" << 1;
        QTest::newRow("device tile") << "btnDev" << int(Qt::Key_Return) << "" << 2;
        QTest::newRow("lines tile") << "btnLine" << int(Qt::Key_Return) << "" << 3;
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, message);
        QFETCH(int, group);
        QVERIFY(ConfigTables::CreateEmpty());
        MessageRecorder messages;
        messages.QueueAnswer(MsgAnswer::Cancel);
        Window window;
        QVERIFY(window.Exposed());
        QWidget* target = window.Find(button.toLatin1().constData());
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(QString::fromStdString(messages.Texts().empty() ? std::string() : messages.Texts().front()), message);
        QCOMPARE(window.dialog.CurrentGroup(), group);
        QVERIFY(window.dialog.isVisible());
    }

    void exitThroughTheRealMessageBox_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("Enter") << "Enter" << true;
        QTest::newRow("click OK") << "click OK" << true;
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("click Cancel") << "click Cancel" << false;
    }

    void exitThroughTheRealMessageBox()
    {
        QFETCH(QString, answer);
        QFETCH(bool, ends);
        const MessageHandler previous = SetMessageHandler(ShowMessageBox);
        Window window;
        QVERIFY(window.Exposed());
        QString question;
        WhenModalOpens([&](QWidget* box) {
            question = qobject_cast<QMessageBox*>(box) ? qobject_cast<QMessageBox*>(box)->text() : QString();
            QVERIFY(QTest::qWaitForWindowActive(box));
            if (answer == QLatin1String("Enter") || answer == QLatin1String("Escape")) {
                QTest::keyClick(QApplication::focusWidget(), answer == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
                return;
            }
            const bool ok = answer == QLatin1String("click OK");
            for (QAbstractButton* button : qobject_cast<QMessageBox*>(box)->buttons()) {
                const auto role = qobject_cast<QMessageBox*>(box)->buttonRole(button);
                if ((role == QMessageBox::AcceptRole) == ok)
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        window.Click("btnExit");
        SetMessageHandler(previous);
        QCOMPARE(question, QStringLiteral("确定要退出Tarvex吗?"));
        QCOMPARE(window.dialog.isVisible(), !ends);
    }

    void menuCommands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("about") << "actionAbout" << "CAboutDlg";
        QTest::newRow("data source") << "actionDsnSetup" << "CDialogDsn";
        QTest::newRow("initialise database") << "actionDbInit" << "CDialogDbInit";
    }

    void menuCommands()
    {
        QFETCH(QString, action);
        QFETCH(QString, dialog);
        TestSettings settings;
        MessageRecorder messages;
        GetCfgData()->CtiPort = "1234";
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editCtiPort")->setText(QStringLiteral("5678"));
        QString opened;
        WhenModalOpens([&opened](QWidget* modal) {
            opened = modal->objectName();
            modal->close();
        });
        window.dialog.findChild<QAction*>(action)->trigger();
        QCOMPARE(opened, dialog);
        // Nothing is reloaded: the page and the store keep what they held.
        QCOMPARE(window.Find<QLineEdit>("editCtiPort")->text(), QStringLiteral("5678"));
        QCOMPARE(GetCfgData()->CtiPort, std::string("1234"));
        QVERIFY(window.dialog.isVisible());
        QVERIFY(messages.Messages().empty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
