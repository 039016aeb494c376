// The lines group of the main window on the test server: loaded from the tables, edited in
// each of its four sections, saved back, and compared row for row in the order written.
#include "app/CTarvexDlg.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CPropertyGridProperty.h"
#include "pages/CGridExten.h"
#include "pages/CGridSipAccount.h"
#include "pages/CGridTrunkItem.h"
#include "pages/CGridTrunkMatch.h"
#include "support/ConfigTables.h"
#include "support/MainWindowHost.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/SampleLines.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QLineEdit>
#include <QTest>

namespace {

using Texts = std::vector<std::string>;

using Window = MainWindowHost;
using SampleLines::EditValue;
using SampleLines::FillTables;
using SampleLines::Load;

QStringList Captions(const CPropertyGridCtrl& grid)
{
    QStringList captions;
    for (int index = 0; index < grid.GetPropertyCount(); ++index)
        captions << grid.GetProperty(index)->GetName();
    return captions;
}

} // namespace

class TestLinesGroup : public QObject
{
    Q_OBJECT

private:
    // The main window keeps its size and place in the user's settings: a test's own.
    TestSettings m_userSettings;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void init() { *GetCfgData() = CCfgData(); }
    void cleanup() { *GetCfgData() = CCfgData(); }

    void loadEditInEverySectionAndSave()
    {
        QVERIFY(FillTables());
        QVERIFY(Load());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        QCOMPARE(window.dialog.CurrentGroup(), 3);
        QVERIFY(window.Find("CDialogCfgLine")->isVisible());
        QCOMPARE(QApplication::focusWidget(), window.Find("editFirstExten"));

        auto& extens = *window.Find<CGridExten>("gridExten");
        auto& accounts = *window.Find<CGridSipAccount>("gridSipAccount");
        auto& items = *window.Find<CGridTrunkItem>("gridTrunkItem");
        auto& matches = *window.Find<CGridTrunkMatch>("gridTrunkMatch");
        QCOMPARE(Captions(extens),
                 (QStringList{QStringLiteral("8001"), QStringLiteral("8002"), QStringLiteral("8003"),
                              QStringLiteral("8004"), QStringLiteral("8005")}));
        QCOMPARE(Captions(accounts), (QStringList{QStringLiteral("SIP账户1"), QStringLiteral("SIP账户5")}));
        QCOMPARE(Captions(items), (QStringList{QStringLiteral("中继项1"), QStringLiteral("中继项3")}));
        QCOMPARE(Captions(matches), (QStringList{QStringLiteral("中继匹配1"), QStringLiteral("中继匹配2"),
                                                 QStringLiteral("中继匹配3")}));

        // Extensions: two added, one password changed, one deleted.
        window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("2"));
        window.Command("editFirstExten", QStringLiteral("9001"), "btnAddExten");
        QVERIFY(EditValue(extens, extens.FindById(8003), QStringLiteral("新密码")));
        window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("1"));
        window.Command("editFirstExten", QStringLiteral("8005"), "btnDelExten");
        // SIP accounts: one added, one edited, one deleted.
        window.Command("editSipAccountId", QStringLiteral("3"), "btnAddSipAccount");
        QVERIFY(EditValue(accounts, accounts.FindById(1)->GetSubItem(0), QStringLiteral("账户一")));
        window.Command("editSipAccountId", QStringLiteral("5"), "btnDelSipAccount");
        // Trunk items.
        window.Command("editTrunkItemId", QStringLiteral("7"), "btnAddTrunkItem");
        QVERIFY(EditValue(items, items.FindById(3)->GetSubItem(1), QStringLiteral("-5")));
        window.Command("editTrunkItemId", QStringLiteral("1"), "btnDelTrunkItem");
        // Trunk matches: rules 9 and 4 added in that order, rule 2 edited, rule 1 deleted.
        window.Command("editTrunkMatchId", QStringLiteral("9"), "btnAddTrunkMatch");
        window.Command("editTrunkMatchId", QStringLiteral("4"), "btnAddTrunkMatch");
        QVERIFY(EditValue(matches, matches.FindById(2)->GetSubItem(1), QStringLiteral("02155")));
        window.Command("editTrunkMatchId", QStringLiteral("1"), "btnDelTrunkMatch");
        QVERIFY(messages.Messages().empty());
        // Nothing is written before Save.
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_line", 1), Texts{"6"});

        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(messages.Messages().front().caption, std::string("提示"));

        // conf_line is written in the order the store's map enumerates the grid's rows; the
        // line of another type, which the page does not show, comes back after them unchanged.
        QCOMPARE(TestDatabase::Rows("SELECT id, type, value FROM conf_line", 3),
                 (Texts{"8004|0|p8004", "8001|0|p8001", "9001|0|9001", "8003|0|新密码", "8002|0|p8002",
                        "9002|0|9002", "700|1|other"}));
        QCOMPARE(TestDatabase::Rows("SELECT * FROM conf_sip_account", 8),
                 (Texts{"1|账户一|auth1|pw1|10.0.0.1|5060|true|3600", "3|||||5060|true|1800"}));
        QCOMPARE(TestDatabase::Rows("SELECT * FROM conf_trunk_item", 5),
                 (Texts{"3|-1|-5|-1|5", "7|0|0|-1|-1"}));
        // The rules in the grid's order, numbered by the database.
        QCOMPARE(TestDatabase::Rows("SELECT * FROM conf_trunk_match", 5),
                 (Texts{"1|9|02155|3|2", "2|1||3|7", "3|||0|4", "4|||0|4"}));

        // The next start shows what was saved, the rules under the database's numbers.
        QVERIFY(Load());
        Window next;
        QVERIFY(next.Exposed());
        QCOMPARE(Captions(*next.Find<CGridTrunkMatch>("gridTrunkMatch")),
                 (QStringList{QStringLiteral("中继匹配1"), QStringLiteral("中继匹配2"),
                              QStringLiteral("中继匹配3"), QStringLiteral("中继匹配4")}));
        QCOMPARE(Captions(*next.Find<CGridSipAccount>("gridSipAccount")),
                 (QStringList{QStringLiteral("SIP账户1"), QStringLiteral("SIP账户3")}));
        QCOMPARE(next.Find<CGridExten>("gridExten")->GetPropertyCount(), 6);
    }

    void aRefusedSaveNamesTheReasonAndKeepsTheGrids()
    {
        QVERIFY(FillTables());
        QVERIFY(Load());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        window.Command("editTrunkItemId", QStringLiteral("8"), "btnAddTrunkItem");
        QVERIFY(TestDatabase::DropTables({"conf_trunk_item"}));
        window.Click("btnSave");
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        const QString failure = QString::fromStdString(messages.Messages().front().text);
        QVERIFY2(failure.startsWith(QStringLiteral("线路配置信息保存失败, ")) &&
                     failure.contains(QStringLiteral("conf_trunk_item")),
                 qPrintable(failure));
        QCOMPARE(
            Captions(*window.Find<CGridTrunkItem>("gridTrunkItem")),
            (QStringList{QStringLiteral("中继项1"), QStringLiteral("中继项3"), QStringLiteral("中继项8")}));

        // Save again once the table is back: everything on the page goes out. Rows of other
        // types come from the tables as they are at the save, and the new tables have none.
        QVERIFY(ConfigTables::CreateEmpty());
        messages.Clear();
        // The new, empty tables are not what the window loaded: it asks before writing over them.
        bool asked = false;
        WhenModalOpens([&asked](QWidget* question) {
            asked = true;
            ClickButton(question, "btnOk");
        });
        window.Click("btnSave");
        QVERIFY(asked);
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_trunk_item", 1), (Texts{"1", "3", "8"}));
        QCOMPARE(TestDatabase::Rows("SELECT type, COUNT(*) FROM conf_line GROUP BY type", 2), Texts{"0|5"});
    }

    void linesEditsWaitForASaveOnTheirOwnGroup()
    {
        QVERIFY(FillTables());
        QVERIFY(Load());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        window.Command("editSipAccountId", QStringLiteral("1"), "btnDelSipAccount");
        window.Click("btnSys");
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"中间件配置信息保存成功"});
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_sip_account", 1), (Texts{"1", "5"}));
        window.Click("btnLine");
        QCOMPARE(Captions(*window.Find<CGridSipAccount>("gridSipAccount")),
                 QStringList{QStringLiteral("SIP账户5")});
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_sip_account", 1), Texts{"5"});
    }

    void enterAndEscapeOnTheLinesPageKeepTheWindow()
    {
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        for (const char* name : {"editFirstExten", "editExtenCount", "editSipAccountId", "gridSipAccount"}) {
            QWidget* control = window.Find(name);
            control->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(QApplication::focusWidget(), key);
        }
        QVERIFY(window.dialog.isVisible());
        QCOMPARE(window.dialog.CurrentGroup(), 3);
        QVERIFY(messages.Messages().empty());
        QCOMPARE(window.Find<CGridSipAccount>("gridSipAccount")->GetPropertyCount(), 0);
    }
};

QTEST_MAIN(TestLinesGroup)
#include "tst_linesgroup.moc"
