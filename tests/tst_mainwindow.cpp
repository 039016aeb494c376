// The main window: group switching with the tiles' images, Save of the middleware group
// down to the tables, the exit question, the keyboard and the menu commands.
#include "app/CTarvexDlg.h"
#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CButtonST.h"
#include "controls/CFocusFrame.h"
#include "controls/CIpAddressEdit.h"
#include "controls/CMessageBox.h"
#include "controls/CXListCtrl.h"
#include "db/CDsnSettings.h"
#include "db/IOtlConnection.h"
#include "pages/CCfgDialog.h"
#include "pages/CDialogCfgSys.h"
#include "support/CDelayProxy.h"
#include "support/ConfigTables.h"
#include "support/MainWindowHost.h"
#include "support/MessageRecorder.h"
#include "support/Mnemonics.h"
#include "support/ModalDriver.h"
#include "support/RecordingProgress.h"
#include "support/SampleConfig.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"
#include "support/WheelInput.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

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

/// The device keys in the order a device save writes them, each with a value of its own; two
/// of the addresses hold host names, which nobody edits.
const std::vector<std::pair<std::string, std::string>> kDeviceKeys = {
    {"ScAddr", "192.168.10.30"},
    {"ScPort", "8801"},
    {"McAddr", "mc.example"},
    {"McPort", "9001"},
    {"DigTrunkCount", "60"},
    {"VoipTrunkCount", "30"},
    {"VoipSignallingAddr", "10.0.0.32"},
    {"VoipMediaAddr", "10.0.0.33"},
    {"FaxServerAddr", "fax.example"},
    {"FaxServerPort", "9100"},
    {"DevLinkIp", "10.0.0.40"},
    {"DevLinkPwd", "devlink"},
    {"IpoLinkPort", "50797"},
    {"FsEslAddr", "10.0.0.50"},
    {"FsEslPort", "8021"},
    {"FsEslPwd", "esl-secret"},
    {"FsIvrPort", "8084"},
    {"FsTrunkCount", "32"},
    {"FsExtContext", "default"},
    {"FsMeetingContext", "conference"},
    {"FsPCallContext", "predictive"},
};

/// For comparisons that name the first row that differs.
QStringList Listed(const Texts& texts)
{
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

/// conf_dev as the test fills it, then as saved with `changes` ("Key|value") made.
Texts DeviceRows(const QStringList& changes = {})
{
    Texts rows;
    for (const auto& [key, value] : kDeviceKeys) {
        std::string shown = value;
        for (const QString& change : changes) {
            if (change.section(QLatin1Char('|'), 0, 0).toStdString() == key)
                shown = change.section(QLatin1Char('|'), 1).toStdString();
        }
        rows.push_back(key + '|' + shown);
    }
    return rows;
}

/// The configuration tables with every device key, IPO lines of both lists mixed, and the
/// device type; then loaded into the store as at start-up.
bool LoadDeviceTables(int devType)
{
    std::string devInserts = "INSERT INTO conf_dev (Name, Value) VALUES ";
    for (const auto& [key, value] : kDeviceKeys)
        devInserts += "('" + key + "', '" + value + "'),";
    devInserts.pop_back();
    if (!ConfigTables::CreateEmpty() ||
        !TestDatabase::Run(
            {"INSERT INTO conf_system (Name, Value) VALUES ('DevType', '" + std::to_string(devType) + "')",
             devInserts,
             "INSERT INTO conf_vs (name, value, value2) VALUES ('DT', '1', ''), ('EXT', '201', '1'), "
             "('SIP', '2.1', ''), ('IVR', '210', '3'), ('', '9', '')"}))
        return false;
    RecordingProgress progress;
    return GetCfgDb()->LoadCfg(progress);
}

/// Types `keys` one by one into whatever has the focus at each key.
void Type(const QString& keys)
{
    for (const QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}

/// Replaces the text of the address field or edit box that has the focus.
void Retype(const QString& keys)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Type(keys);
}

struct Window : MainWindowHost
{
    QWidget* SysPage() const { return Find("CDialogCfgSys"); }
};

/// Leaves the middleware and the lines unsaved: a setting changed, an extension added; the
/// lines on show.
void EditMiddlewareAndLines(const Window& window)
{
    window.Find<QLineEdit>("editCallConcurrency")->setText(QStringLiteral("99"));
    window.Click("btnLine");
    window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("1"));
    window.Command("editFirstExten", QStringLiteral("7001"), "btnAddExten");
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    // The main window keeps its size and place in the user's settings: a test's own.
    TestSettings m_userSettings;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void init()
    {
        // What the window starts with is what the database is taken to hold; the tests write
        // the tables themselves, which a save is not to take for a colleague's work.
        *GetCfgData() = CCfgData();
        for (CfgGroup group : kCfgGroups) {
            GetCfgDocument()->SetReference(group, *GetCfgData());
            GetCfgDocument()->NotePartlyWritten(group);
        }
    }

    // The window grows from the template's size, never below it; the room goes to the pages,
    // the commands stay at the bottom right; the next window comes back as this one ended.
    void theWindowGrowsAndIsRemembered()
    {
        TestSettings settings;
        QSize least;
        {
            MessageRecorder messages;
            Window window;
            QVERIFY(window.Exposed());
            least = window.dialog.size();
            const int pageHeight = window.SysPage()->height();
            window.dialog.resize(least / 2);
            QCOMPARE(window.dialog.size(), least);
            window.dialog.resize(least + QSize(200, 150));
            QCOMPARE(window.dialog.size(), least + QSize(200, 150));
            QCOMPARE(window.SysPage()->height(), pageHeight + 150);
            const QWidget* exit = window.Find("btnExit");
            QVERIFY(qAbs(exit->mapTo(&window.dialog, QPoint(exit->width(), exit->height())).x() -
                         window.dialog.width()) < 12);
            QVERIFY(window.Find("labelDataSource")->geometry().bottom() > least.height());
            window.dialog.reject();
        }
        MessageRecorder messages;
        Window again;
        QVERIFY(again.Exposed());
        QCOMPARE(again.dialog.size(), least + QSize(200, 150));
    }

    // The room a larger window gives goes to the lists and grids, shared among those of a
    // page; the scroll range stays; back at the least size everything is as it was.
    void listsAndGridsGrowWithTheWindow_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("growing");
        const auto row = [](const char* name, const char* page, const QStringList& growing) {
            QTest::newRow(name) << QString::fromLatin1(page) << growing;
        };
        row("middleware", "CDialogCfgSys", {QStringLiteral("listFlows")});
        row("IPO", "CDialogCfgIpo", {QStringLiteral("listExtLines"), QStringLiteral("listTrunkLines")});
        row("lines", "CDialogCfgLine",
            {QStringLiteral("gridExten"), QStringLiteral("gridSipAccount"), QStringLiteral("gridTrunkItem"),
             QStringLiteral("gridTrunkMatch")});
    }
    void listsAndGridsGrowWithTheWindow()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, growing);
        TestSettings settings;
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        auto* form = window.dialog.findChild<QWidget*>(page);
        QVERIFY(form);
        // A page lays itself out while it is shown; the device page shown depends on the store.
        form->show();
        const auto heights = [&] {
            QList<int> result;
            // Nested layouts settle one level per pass of the posted requests.
            for (int pass = 0; pass < 4; ++pass)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            for (const QString& name : growing) {
                auto* control = form->findChild<QWidget*>(name);
                if (!control)
                    return QList<int>();
                result << control->height();
            }
            return result;
        };
        auto* bar = form->findChild<QScrollBar*>(QStringLiteral("pageScrollBar"));
        const int range = bar->maximum();
        const QSize least = window.dialog.size();
        const QList<int> atLeast = heights();
        QCOMPARE(atLeast.size(), growing.size());

        constexpr int kMore = 300;
        window.dialog.resize(least + QSize(0, kMore));
        const QList<int> atLarger = heights();
        for (qsizetype i = 0; i < growing.size(); ++i)
            QVERIFY2(atLarger[i] >= atLeast[i] + kMore / growing.size() - 1, qPrintable(growing[i]));
        QCOMPARE(bar->maximum(), range);

        window.dialog.resize(least);
        QCOMPARE(heights(), atLeast);
        window.dialog.reject();
    }

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
        QCOMPARE(TestDatabase::Rows(
                     "SELECT value FROM conf_system WHERE name IN ('CtiAddr', 'CtiPort') ORDER BY id", 1),
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
        QVERIFY2(failure.startsWith(QStringLiteral("中间件配置信息保存失败, ")) &&
                     failure.contains(QStringLiteral("conf_system")),
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
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'CtiPort'", 1),
                 Texts{"7777"});
    }

    // No page scrolls past its last control, at the least size or a large one; a page that
    // fits its frame has no scroll bar.
    void noPageScrollsPastItsLastControl()
    {
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        const QSize least = window.dialog.size();
        for (const QSize size : {least, least + QSize(200, 600)}) {
            window.dialog.resize(size);
            for (CCfgDialog* page : window.dialog.findChildren<CCfgDialog*>()) {
                page->show();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                auto* bar = page->findChild<QScrollBar*>(QStringLiteral("pageScrollBar"));
                bar->triggerAction(QAbstractSlider::SliderToMaximum);
                int lowest = 0;
                QString lowestName;
                const auto* form = page->findChild<QWidget*>(QStringLiteral("pageForm"));
                for (const QWidget* control : form->findChildren<QWidget*>()) {
                    if (control->isVisibleTo(page) &&
                        control->mapTo(page, QPoint(0, control->height())).y() > lowest) {
                        lowest = control->mapTo(page, QPoint(0, control->height())).y();
                        lowestName = control->objectName();
                    }
                }
                const QString name = page->objectName() + QStringLiteral(" at %1, %2 ends at %3 of %4")
                                                              .arg(size.height())
                                                              .arg(lowestName)
                                                              .arg(lowest)
                                                              .arg(page->height());
                QVERIFY2(lowest <= page->height(), qPrintable(name));
                QVERIFY2(bar->isVisible() ? lowest >= page->height() - 30 : page->ScrollPos() == 1,
                         qPrintable(name));
                bar->triggerAction(QAbstractSlider::SliderToMinimum);
                page->hide();
            }
        }
    }

    void everyPageShowsItsWholeWidthInTheFrame()
    {
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        const QRect frame = window.Find("frameGroup")->geometry().adjusted(4, 4, -4, -4);
        const QList<CCfgDialog*> pages = window.dialog.findChildren<CCfgDialog*>();
        QVERIFY(pages.size() >= 4);
        for (CCfgDialog* page : pages) {
            // Shown as the main window shows it, whatever the device type.
            page->show();
            QCOMPARE(page->geometry(), frame);
            const int barLeft = page->findChild<QScrollBar*>(QStringLiteral("pageScrollBar"))->x();
            const QWidget* form = page->findChild<QWidget*>(QStringLiteral("pageForm"));
            QCOMPARE(form->width(), barLeft);
            for (const QWidget* control : form->findChildren<QWidget*>()) {
                if (!control->isVisibleTo(page))
                    continue;
                const QRect place(control->mapTo(page, QPoint(0, 0)), control->size());
                QVERIFY2(place.left() >= 0 && place.right() < barLeft,
                         qPrintable(page->objectName() + QLatin1Char('/') + control->objectName()));
                if (const auto* label = qobject_cast<const QLabel*>(control))
                    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
            }
            page->hide();
        }
    }

    void deviceGroupSavesEachKind_data()
    {
        QTest::addColumn<int>("devType");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<Texts>("lines");
        // Loaded in table order; saved extension rows first, then the others.
        const Texts loaded = {"DT|1|", "EXT|201|1", "SIP|2.1|", "IVR|210|3", "|9|"};
        QTest::newRow("IPO") << 0 << QStringLiteral("CDialogCfgIpo")
                             << QStringList{QStringLiteral("DevLinkIp|172.16.0.9"),
                                            QStringLiteral("DevLinkPwd|new pwd")}
                             << Texts{"EXT|201|1", "IVR|210|3", "FAX|220|", "DT|1|", "|9|"};
        QTest::newRow("eHang") << 1 << QStringLiteral("CDialogCfgEhang")
                               << QStringList{QStringLiteral("ScAddr|172.16.0.9"),
                                              QStringLiteral("ScPort|18801")}
                               << loaded;
        QTest::newRow("FreeSWITCH") << 2 << QStringLiteral("CDialogCfgFs")
                                    << QStringList{QStringLiteral("FsEslAddr|172.16.0.9"),
                                                   QStringLiteral("FsEslPort|18021"),
                                                   QStringLiteral("FsEslPwd| esl secret ")}
                                    << loaded;
    }

    void deviceGroupSavesEachKind()
    {
        QFETCH(int, devType);
        QFETCH(QString, page);
        QFETCH(QStringList, changes);
        QFETCH(Texts, lines);
        QVERIFY(LoadDeviceTables(devType));
        QCOMPARE(GetCfgData()->DevType, devType);
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Active());
        window.Click("btnDev");
        for (const char* device : {"CDialogCfgIpo", "CDialogCfgEhang", "CDialogCfgFs"})
            QCOMPARE(window.Find(device)->isVisible(), page == QLatin1String(device));

        // By keyboard from the page's first field, which has the focus: the address, then
        // what follows it in the tab order.
        Retype(changes[0].section(QLatin1Char('|'), 1));
        for (const QString& change : changes.mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            Retype(change.section(QLatin1Char('|'), 1));
        }
        if (devType == 0) {
            // A run of one fax line from the keyboard, forward through the fields as they stand
            // on the screen, and the SIP trunk line deleted.
            for (int step = 0; step < 3; ++step)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), window.Find("editExtStart"));
            Type(QStringLiteral("220"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QCOMPARE(window.Find<QComboBox>("comboExtType")->currentText(), QStringLiteral("FAX"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            Type(QStringLiteral("1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), window.Find("btnAddExtLines"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            auto* trunks = window.Find<CXListCtrl>("listTrunkLines");
            trunks->selectRow(trunks->FindItemByText(QStringLiteral("2.1")));
            window.Click("btnDelTrunkLines");
        }

        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"设备配置信息保存成功"});
        QCOMPARE(messages.Messages().front().caption, std::string("提示"));
        QCOMPARE(Listed(TestDatabase::Rows("SELECT name, value FROM conf_dev ORDER BY id", 2)),
                 Listed(DeviceRows(changes)));
        QCOMPARE(Listed(TestDatabase::Rows("SELECT name, value, value2 FROM conf_vs ORDER BY id", 3)),
                 Listed(lines));

        // A failed save names the database's reason; the page keeps what was typed.
        QVERIFY(TestDatabase::DropTables({"conf_vs"}));
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        const QString failure = QString::fromStdString(messages.Messages().front().text);
        QVERIFY2(failure.startsWith(QStringLiteral("设备配置信息保存失败, ")) &&
                     failure.contains(QStringLiteral("conf_vs")),
                 qPrintable(failure));
        window.Click("btnSys");
        window.Click("btnDev");
        messages.Clear();
        QVERIFY(ConfigTables::CreateEmpty());
        // The new, empty tables are not what the window loaded: it asks before writing over them.
        bool asked = false;
        WhenModalOpens([&asked](QWidget* question) {
            asked = true;
            ClickButton(question, "btnOk");
        });
        window.Click("btnSave");
        QVERIFY(asked);
        QCOMPARE(messages.Texts(), Texts{"设备配置信息保存成功"});
        QCOMPARE(Listed(TestDatabase::Rows("SELECT name, value FROM conf_dev ORDER BY id", 2)),
                 Listed(DeviceRows(changes)));
    }

    // The device tile shows the saved device type's page; a new choice on the middleware page
    // is said beside the tiles until the middleware group's save makes it the device page.
    void theDevicePageFollowsTheSavedDeviceType()
    {
        QVERIFY(LoadDeviceTables(1));
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        auto* hint = window.Find<QLabel>("labelDeviceHint");
        window.Click("btnDev");
        QVERIFY(window.Find("CDialogCfgEhang")->isVisible());
        QVERIFY(!hint->isVisible());
        window.Click("btnSys");
        auto* devType = window.Find<QComboBox>("comboDevType");
        devType->setFocus(Qt::TabFocusReason);
        QTest::keyClick(devType, Qt::Key_Down);
        QCOMPARE(devType->currentText(), QStringLiteral("FreeSWITCH"));
        QVERIFY(hint->isVisible());
        QCOMPARE(
            hint->text(),
            QStringLiteral("设备页仍是 eHangCom 的设置；新的设备类型 FreeSWITCH 在保存中间件配置后生效"));
        window.Click("btnDev");
        QVERIFY(window.Find("CDialogCfgEhang")->isVisible());
        QVERIFY(hint->isVisible());
        // Back to the saved type: nothing to say.
        window.Click("btnSys");
        QTest::keyClick(devType, Qt::Key_Up);
        QVERIFY(!hint->isVisible());
        QTest::keyClick(devType, Qt::Key_Down);
        window.Click("btnSave");
        QVERIFY(!hint->isVisible());
        window.Click("btnDev");
        QVERIFY(window.Find("CDialogCfgFs")->isVisible());
        QVERIFY(!window.Find("CDialogCfgEhang")->isVisible());
        // The pages not shown kept what they loaded.
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"设备配置信息保存成功"});
        QCOMPARE(Listed(TestDatabase::Rows("SELECT name, value FROM conf_dev ORDER BY id", 2)),
                 Listed(DeviceRows()));
    }

    // Straight from the database no group is unsaved, whatever the device kind and however
    // hard the texts; an edit marks its group's tile, undoing it by hand clears the mark, and
    // so does a save.
    void unsavedMarkFollowsThePage_data()
    {
        QTest::addColumn<int>("devType");
        QTest::addColumn<QString>("text");
        QTest::newRow("IPO, plain") << 0 << QStringLiteral("plain");
        QTest::newRow("eHang, hard") << 1 << QStringLiteral("引号'\"\\ ,\t中文");
        QTest::newRow("FreeSWITCH, empty") << 2 << QString();
    }
    void unsavedMarkFollowsThePage()
    {
        QFETCH(int, devType);
        QFETCH(QString, text);
        CCfgData sample;
        SampleConfig::Fill(sample, text.toStdString());
        sample.DevType = devType;
        QVERIFY(SampleConfig::PutOnServer(sample));
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        // Which tiles are marked: middleware, device, lines.
        const auto tiles = [&] {
            return QList<bool>{window.Button("btnSys")->IsMarked(), window.Button("btnDev")->IsMarked(),
                               window.Button("btnLine")->IsMarked()};
        };
        const QList<bool> clean = {false, false, false};
        for (const char* tile : {"btnDev", "btnLine", "btnSys"})
            window.Click(tile);
        QTest::qWait(400);
        QCOMPARE(tiles(), clean);

        auto* concurrency = window.Find<QLineEdit>("editCallConcurrency");
        const QString before = concurrency->text();
        concurrency->setFocus(Qt::TabFocusReason);
        QTest::keyClick(concurrency, Qt::Key_End);
        QTest::keyClick(concurrency, Qt::Key_9);
        QTRY_COMPARE(tiles(), (QList<bool>{true, false, false}));
        // A group switch keeps the edit and the mark.
        window.Click("btnLine");
        QTest::qWait(400);
        QVERIFY(tiles()[0]);
        window.Click("btnSys");
        QTest::keyClick(concurrency, Qt::Key_Backspace);
        QCOMPARE(concurrency->text(), before);
        QTRY_COMPARE(tiles(), clean);

        QTest::keyClick(concurrency, Qt::Key_7);
        QTRY_VERIFY(tiles()[0]);
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"中间件配置信息保存成功"});
        QCOMPARE(tiles(), clean);
    }

    // Edits that come by no key: a wheel turn on a combo, a drop into a field, an input
    // method's commit. Each marks its group within a second, and undoing it clears the mark.
    void editsWithoutKeysMarkTheGroup()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_system (Name, Value) VALUES ('RecType', '0'), "
                                   "('CallConcurrency', '30')"}));
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        Window window;
        QVERIFY(window.Exposed());
        CButtonST* tile = window.Button("btnSys");
        const auto markedWithinASecond = [tile](bool marked) {
            return QTest::qWaitFor([tile, marked] { return tile->IsMarked() == marked; }, 1000);
        };
        QVERIFY(!tile->IsMarked());

        auto* recType = window.Find<QComboBox>("comboRecType");
        recType->setFocus();
        Wheel(recType, QPoint(0, -120));
        QCOMPARE(recType->currentIndex(), 1);
        QVERIFY(markedWithinASecond(true));
        Wheel(recType, QPoint(0, 120));
        QCOMPARE(recType->currentIndex(), 0);
        QVERIFY(markedWithinASecond(false));

        auto* concurrency = window.Find<QLineEdit>("editCallConcurrency");
        concurrency->setFocus();
        concurrency->setCursorPosition(2);
        QMimeData dropped;
        dropped.setText(QStringLiteral("5"));
        // A drag enters the field before its drop.
        QDragEnterEvent enter(concurrency->rect().center(), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(concurrency, &enter);
        QDropEvent drop(QPointF(concurrency->rect().center()), Qt::CopyAction, &dropped, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(concurrency, &drop);
        QVERIFY2(concurrency->text() != QStringLiteral("30"), qPrintable(concurrency->text()));
        QVERIFY(markedWithinASecond(true));
        concurrency->setText(QStringLiteral("30"));
        QTest::keyClick(concurrency, Qt::Key_End); // a key that changes nothing brings the check
        QVERIFY(markedWithinASecond(false));

        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("7"));
        QApplication::sendEvent(concurrency, &commit);
        QCOMPARE(concurrency->text(), QStringLiteral("307"));
        QVERIFY(markedWithinASecond(true));
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

    // With unsaved groups, Exit and the close box ask once, naming them: 保存 saves each
    // through its normal save and ends, 不保存 ends, 取消 stays with the edits.
    void exitWithUnsavedGroups_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        for (const char* how : {"exit button", "close box"}) {
            QTest::addRow("%s, 保存", how) << QString::fromLatin1(how) << int(MsgAnswer::Save);
            QTest::addRow("%s, 不保存", how) << QString::fromLatin1(how) << int(MsgAnswer::Discard);
            QTest::addRow("%s, 取消", how) << QString::fromLatin1(how) << int(MsgAnswer::Cancel);
        }
    }
    void exitWithUnsavedGroups()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QVERIFY(ConfigTables::CreateEmpty());
        MessageRecorder messages;
        messages.QueueAnswer(MsgAnswer(answer));
        Window window;
        QVERIFY(window.Exposed());
        EditMiddlewareAndLines(window);
        QCOMPARE(window.dialog.CurrentGroup(), 3);

        if (how == QLatin1String("exit button"))
            window.Click("btnExit");
        else
            window.dialog.close();
        QVERIFY(!messages.Messages().empty());
        const UserMessage& asked = messages.Messages().front();
        QCOMPARE(asked.text, std::string("中间件配置、线路配置有尚未保存的修改。退出前保存吗?"));
        QCOMPARE(asked.caption, std::string("确认退出"));
        QVERIFY(asked.buttons == MsgButtons::SaveDiscardCancel);

        const bool save = MsgAnswer(answer) == MsgAnswer::Save;
        QCOMPARE(window.dialog.isVisible(), MsgAnswer(answer) == MsgAnswer::Cancel);
        const Texts expected =
            save ? Texts{asked.text, "中间件配置信息保存成功", "线路配置信息保存成功"} : Texts{asked.text};
        QCOMPARE(messages.Texts(), expected);
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'CallConcurrency'", 1),
                 save ? Texts{"99"} : Texts{});
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_line", 1), save ? Texts{"7001"} : Texts{});
        if (MsgAnswer(answer) == MsgAnswer::Cancel)
            QCOMPARE(window.Find<QLineEdit>("editCallConcurrency")->text(), QStringLiteral("99"));
    }

    // 保存 stays when a group's save fails: that group is still unsaved, the others are saved.
    void exitSaveThatFailsStays()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        MessageRecorder messages;
        messages.QueueAnswer(MsgAnswer::Save);
        Window window;
        QVERIFY(window.Exposed());
        EditMiddlewareAndLines(window);
        QVERIFY(TestDatabase::DropTables({"conf_line"}));
        window.Click("btnExit");
        QVERIFY(window.dialog.isVisible());
        QCOMPARE(messages.Texts().size(), std::size_t(3));
        QVERIFY(
            QString::fromStdString(messages.Texts()[2]).startsWith(QStringLiteral("线路配置信息保存失败, ")));
        QVERIFY(!window.Button("btnSys")->IsMarked());
        QVERIFY(window.Button("btnLine")->IsMarked());

        // Asked again, only the lines are named.
        messages.Clear();
        messages.QueueAnswer(MsgAnswer::Discard);
        window.Click("btnExit");
        QCOMPARE(messages.Texts(), Texts{"线路配置有尚未保存的修改。退出前保存吗?"});
        QVERIFY(!window.dialog.isVisible());
    }

    // Every setting the catalogue calls a port stops at 65535 as it is typed; other numbers do not.
    void portFieldsTakeOnlyPorts()
    {
        Window window;
        QVERIFY(window.Exposed());
        int ports = 0;
        for (const CfgSetting& setting : CfgSettings()) {
            auto* edit = window.Find<QLineEdit>(("edit" + std::string(setting.key)).c_str());
            if (setting.kind != SettingKind::Text || !edit || edit->validator() == nullptr)
                continue;
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("65536"));
            QCOMPARE(edit->text(), setting.editor == SettingEditor::Port ? QStringLiteral("6553")
                                                                         : QStringLiteral("65536"));
            ports += setting.editor == SettingEditor::Port ? 1 : 0;
        }
        QCOMPARE(ports, 8);
    }

    // Every mnemonic the window shows works from the keyboard: the buttons on each group, and
    // the menus, which open at Alt and their letter.
    void mnemonics()
    {
        Window window;
        QVERIFY(window.Active());
        for (const char* tile : {"btnSys", "btnDev", "btnLine"}) {
            window.Click(tile);
            const QStringList dead = DeadMnemonics(&window.dialog);
            QVERIFY2(dead.isEmpty(),
                     qPrintable(QString::fromLatin1(tile) + QLatin1Char(' ') + dead.join(QLatin1Char(' '))));
        }
        for (const auto& [key, menu] :
             {std::pair{Qt::Key_D, "menuDatabase"}, std::pair{Qt::Key_H, "menuHelp"}}) {
            QTest::keyClick(&window.dialog, key, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QCOMPARE(QApplication::activePopupWidget()->objectName(), QString::fromLatin1(menu));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
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
        QTest::newRow("Save, keypad Enter")
            << "btnSave" << int(Qt::Key_Enter) << "中间件配置信息保存成功" << 1;
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
        QCOMPARE(QString::fromStdString(messages.Texts().empty() ? std::string() : messages.Texts().front()),
                 message);
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
                QTest::keyClick(QApplication::focusWidget(),
                                answer == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
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

    // The real box of the question with unsaved groups: Enter saves (and the notice of the
    // save is a real box too), Escape stays.
    void exitWithUnsavedThroughTheRealBox_data()
    {
        QTest::addColumn<bool>("enter");
        QTest::newRow("Enter saves") << true;
        QTest::newRow("Escape stays") << false;
    }
    void exitWithUnsavedThroughTheRealBox()
    {
        QFETCH(bool, enter);
        QVERIFY(ConfigTables::CreateEmpty());
        const MessageHandler previous = SetMessageHandler(ShowMessageBox);
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editCallConcurrency")->setText(QStringLiteral("99"));
        QStringList shown;
        const auto answer = [&shown](QWidget* box, Qt::Key key) {
            auto* message = qobject_cast<QMessageBox*>(box);
            shown << (message ? message->text() : QString());
            QVERIFY(QTest::qWaitForWindowActive(box));
            QTest::keyClick(QApplication::focusWidget(), key);
        };
        WhenModalOpens([&](QWidget* box) {
            if (enter)
                WhenModalOpens([&](QWidget* notice) { answer(notice, Qt::Key_Return); });
            answer(box, enter ? Qt::Key_Return : Qt::Key_Escape);
        });
        window.Click("btnExit");
        SetMessageHandler(previous);
        QCOMPARE(shown.value(0), QStringLiteral("中间件配置有尚未保存的修改。退出前保存吗?"));
        QCOMPARE(shown.value(1), enter ? QStringLiteral("中间件配置信息保存成功") : QString());
        QCOMPARE(window.dialog.isVisible(), !enter);
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'CallConcurrency'", 1),
                 enter ? Texts{"99"} : Texts{});
    }

    void aSlowSaveShowsItIsBusyAndTakesNoEditsNorAnExitQuestion()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        CDelayProxy proxy(static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT")), 200);
        std::string error;
        QVERIFY2(IOtlConnection::getInstance()->Connect(
                     TestDatabase::ConnectString() + ";PORT=" + std::to_string(proxy.Port()), error),
                 error.c_str());
        MessageRecorder messages;
        messages.QueueAnswer(MsgAnswer::Ok);     // the save's notice
        messages.QueueAnswer(MsgAnswer::Cancel); // the exit question: the window stays
        Window window;
        QVERIFY(window.Exposed());
        auto* ctiPort = window.Find<QLineEdit>("editCtiPort");
        ctiPort->setText(QStringLiteral("9911"));
        bool enabled = true, busyWindow = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (!window.dialog.isEnabled()) {
                enabled = false;
                for (QWidget* widget : QApplication::topLevelWidgets())
                    busyWindow = busyWindow ||
                                 (widget->objectName() == QLatin1String("busyWindow") && widget->isVisible());
                QTest::keyClicks(ctiPort, QStringLiteral("0"));
                // The close box while the save runs: no exit question while it runs.
                window.dialog.close();
            }
        });
        look.start(50);
        window.Click("btnSave");
        look.stop();
        QVERIFY(!enabled);
        QVERIFY(busyWindow);
        // The close asked for during the save is asked about once it has ended.
        QCOMPARE(messages.Texts(), (Texts{"中间件配置信息保存成功", "确定要退出Tarvex吗?"}));
        QVERIFY(window.dialog.isVisible());
        QCOMPARE(ctiPort->text(), QStringLiteral("9911"));
        QVERIFY(window.dialog.isEnabled());
        QVERIFY(TestDatabase::Connect());
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'CtiPort'", 1),
                 Texts{"9911"});
    }

    void namesTheDataSourceSaveWritesTo()
    {
        TestSettings settings;
        QVERIFY(CDsnSettings::Write({TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password()}));
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        auto* shown = window.Find<QLabel>("labelDataSource");
        QCOMPARE(shown->text(), QStringLiteral("数据源：") + QString::fromStdString(TestDatabase::Dsn()));
        QVERIFY(shown->isVisible());

        // Another data source chosen from the menu: the window says so at once.
        const std::string other = TestDatabase::DsnWithCharset("gbk");
        WhenModalOpens([&other](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("editDsn"))->setText(QString::fromStdString(other));
            ClickButton(modal, "btnOk");
        });
        window.dialog.findChild<QAction*>(QStringLiteral("actionDsnSetup"))->trigger();
        QCOMPARE(shown->text(), QStringLiteral("数据源：") + QString::fromStdString(other));
        QCOMPARE(window.dialog.windowTitle(), QStringLiteral("Tarvex"));

        // Cancelled, it stays as it is.
        WhenModalOpens([](QWidget* modal) { ClickButton(modal, "btnCancel"); });
        window.dialog.findChild<QAction*>(QStringLiteral("actionDsnSetup"))->trigger();
        QCOMPARE(shown->text(), QStringLiteral("数据源：") + QString::fromStdString(other));
        QVERIFY(messages.Messages().empty());
        QVERIFY(TestDatabase::Connect());
    }

    void menuCommands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("about") << "actionAbout"
                               << "CAboutDlg";
        QTest::newRow("data source") << "actionDsnSetup"
                                     << "CDialogDsn";
        QTest::newRow("initialise database") << "actionDbInit"
                                             << "CDialogDbInit";
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

    // The focus ring: every focusable control shows the grids' two highlight pixels around it
    // when it has the focus, buttons and lists as much as fields. Last, as it stays installed.
    void theFocusIsRingedWhereverItIs()
    {
        CFocusFrame::Install(*qApp);
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Active());
        const auto ringed = [&window](const char* name) {
            QWidget* control = window.Find(name);
            control->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            // An address is ringed whole, whichever part has the focus.
            QWidget* whole = qobject_cast<CIpAddressEdit*>(control) ? control : QApplication::focusWidget();
            for (const CFocusFrame* frame : window.dialog.findChildren<CFocusFrame*>()) {
                if (frame->isVisible() && frame->widget() == whole &&
                    frame->geometry().contains(whole->geometry()))
                    return true;
            }
            return false;
        };
        for (const char* name : {"btnSave", "btnExit", "editCtiPort", "listFlows", "ipCtiAddr"})
            QVERIFY2(ringed(name), name);
        window.Click("btnDev");
        window.Click("btnLine");
        // A grid rings itself inside its rows: no second ring.
        QVERIFY(!ringed("gridExten"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
