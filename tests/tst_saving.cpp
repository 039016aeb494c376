// Saving the three groups of the store, on the private test server and, for the SQL Server
// dialect, on the recording connection.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "db/COdbcConnection.h"
#include "db/ConnectionString.h"
#include "db/IOtlConnection.h"
#include "support/CDelayProxy.h"
#include "support/ConfigTables.h"
#include "support/RecordingConnection.h"
#include "support/RecordingProgress.h"
#include "support/SampleConfig.h"
#include "support/ServerLog.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QFile>
#include <QTest>
#include <algorithm>

namespace {

using Texts = std::vector<std::string>;

CCfgData& FreshStore()
{
    *GetCfgData() = CCfgData();
    return *GetCfgData();
}

void LoadFresh()
{
    FreshStore();
    RecordingProgress progress;
    GetCfgDb()->LoadCfg(progress);
}

std::vector<std::string*> SysTexts(CCfgData& cfg)
{
    return {&cfg.CtiAddr,           &cfg.CtiPort,         &cfg.RecPath,       &cfg.AcdPort,
            &cfg.AgentLockedPeriod, &cfg.PPTime,          &cfg.LeaveWordPath, &cfg.IvrFlowCount,
            &cfg.LogPath,           &cfg.CallConcurrency, &cfg.TtsBufferPath};
}

std::vector<std::string*> DevTexts(CCfgData& cfg)
{
    return {&cfg.ScAddr,
            &cfg.ScPort,
            &cfg.McAddr,
            &cfg.McPort,
            &cfg.DigTrunkCount,
            &cfg.VoipTrunkCount,
            &cfg.VoipSignallingAddr,
            &cfg.VoipMediaAddr,
            &cfg.FaxServerAddr,
            &cfg.FaxServerPort,
            &cfg.DevLinkIp,
            &cfg.DevLinkPwd,
            &cfg.IpoLinkPort,
            &cfg.FsEslAddr,
            &cfg.FsEslPort,
            &cfg.FsEslPwd,
            &cfg.FsIvrPort,
            &cfg.FsTrunkCount,
            &cfg.FsExtContext,
            &cfg.FsMeetingContext,
            &cfg.FsPCallContext};
}

/// The line group as text, record by record, for comparisons.
Texts LineGroup(const CCfgData& cfg)
{
    Texts texts;
    cfg.Extens.ForEach(
        [&texts](int key, const std::string& text) { texts.push_back(std::to_string(key) + "=" + text); });
    for (const auto& a : cfg.SipAccounts)
        texts.push_back(std::to_string(a->id) + "|" + a->account + "|" + a->auth_account + "|" + a->password +
                        "|" + a->proxy_addr + "|" + std::to_string(a->proxy_port) + "|" +
                        (a->reg ? "on" : "off") + "|" + std::to_string(a->reg_interval));
    for (const auto& i : cfg.TrunkItems)
        texts.push_back(std::to_string(i->id) + ":" + std::to_string(i->node) + "," +
                        std::to_string(i->board) + "," + std::to_string(i->span) + "," +
                        std::to_string(i->sip_user));
    for (const auto& m : cfg.TrunkMatches)
        texts.push_back(std::string(m->prefix) + "|" + m->caller + "|" + std::to_string(m->trunk_id) + "|" +
                        std::to_string(m->priority));
    return texts;
}

void FillLines(CCfgData& cfg, const std::string& text)
{
    cfg.Extens.SetAt(8001, text);
    cfg.Extens.SetAt(8002, text + "2");
    for (int id : {1, 2}) {
        auto account = std::make_unique<tagSIP_ACCOUNT>();
        account->id = id;
        CopyToField(account->account, text);
        CopyToField(account->auth_account, text + "a");
        CopyToField(account->password, text + "p");
        CopyToField(account->proxy_addr, text);
        account->proxy_port = 5060 + id;
        account->reg = id == 1;
        account->reg_interval = 60 * id;
        cfg.SipAccounts.AddTail(std::move(account));
    }
    auto digital = std::make_unique<tagTRUNK_ITEM>();
    *digital = {1, 0, 1, 2, -1};
    cfg.TrunkItems.AddTail(std::move(digital));
    auto sip = std::make_unique<tagTRUNK_ITEM>();
    *sip = {2, -1, -1, -1, 1};
    cfg.TrunkItems.AddTail(std::move(sip));
    auto match = std::make_unique<tagTRUNK_MATCH>();
    match->id = 1; // the table numbers the rules itself, from 1
    CopyToField(match->prefix, text);
    CopyToField(match->caller, text);
    match->trunk_id = 2;
    match->priority = -3;
    cfg.TrunkMatches.AddTail(std::move(match));
}

/// Every row of every configuration table, for comparing before and after.
Texts AllConfigRows()
{
    const std::pair<const char*, const char*> tables[] = {
        {"conf_system", "id, name, value"},
        {"conf_ivr_flow", "FlowID, FilePath"},
        {"conf_dev", "id, name, value"},
        {"conf_vs", "id, name, value, value2"},
        {"conf_line", "id, type, value"},
        {"conf_sip_account",
         "id, account, auth_account, password, proxy_addr, proxy_port, reg, reg_interval"},
        {"conf_trunk_item", "id, node, board, span, sip_user"},
        {"conf_trunk_match", "id, prefix, caller, trunk_id, priority"},
    };
    Texts rows;
    for (const auto& [table, columns] : tables) {
        for (const std::string& row : TestDatabase::Rows(
                 std::string("SELECT CONCAT_WS('|', ") + columns + ") FROM " + table + " ORDER BY 1", 1))
            rows.push_back(std::string(table) + ": " + row);
    }
    return rows;
}

/// The query that takes a group's save lock and reads its tables and their column definitions.
bool IsSaveCheck(const std::string& statement)
{
    return statement.rfind("(SELECT -1, GET_LOCK(", 0) == 0 &&
           statement.find("information_schema.COLUMNS") != std::string::npos;
}

bool IsLockRelease(const std::string& statement)
{
    return statement.rfind("DO RELEASE_LOCK(", 0) == 0;
}

} // namespace

class TestSaving : public QObject
{
    Q_OBJECT

    // Saves leave backups in the user's data folder: a test's own.
    TestSettings m_userData;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void init() { QVERIFY(ConfigTables::CreateEmpty()); }

    void cleanup()
    {
        // The next test begins on a connection of its own, whatever this one did to it.
        QVERIFY(TestDatabase::Connect());
    }

    void awkwardTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("quote") << QByteArray("it's");
        QTest::newRow("windows path") << QByteArray("D:\\Tarvex\\Record\\");
        QTest::newRow("backslash before quote") << QByteArray("a\\'b");
        QTest::newRow("printf and LIKE signs") << QByteArray("100% %s %d _");
        QTest::newRow("chinese") << QByteArray("中间件配置");
        QTest::newRow("statement inside") << QByteArray("'); DROP TABLE conf_dev; --");
        QTest::newRow("doubled quotes and blanks") << QByteArray(" ''x'' ");
    }

    void awkwardTexts()
    {
        QFETCH(QByteArray, text);
        const std::string value = text.toStdString();

        CCfgData& cfg = FreshStore();
        for (std::string* member : SysTexts(cfg))
            *member = value;
        cfg.IvrFlows = {value, value + "2", value};
        for (std::string* member : DevTexts(cfg))
            *member = value;
        for (const char* name : {"EXT", "DT"}) {
            auto line = std::make_unique<tagIpoLine>();
            *line = {value, name, value};
            cfg.IpoLines.AddTail(std::move(line));
        }
        FillLines(cfg, value);
        const Texts lines = LineGroup(cfg);

        QVERIFY2(GetCfgDb()->SaveSysCfg(), GetCfgDb()->GetDbError().c_str());
        QVERIFY2(GetCfgDb()->SaveDevCfg(), GetCfgDb()->GetDbError().c_str());
        QVERIFY2(GetCfgDb()->SaveLineCfg(), GetCfgDb()->GetDbError().c_str());
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_dev", 1), Texts{"21"});

        LoadFresh();
        CCfgData& loaded = *GetCfgData();
        for (std::string* member : SysTexts(loaded))
            QCOMPARE(*member, value);
        QCOMPARE(loaded.IvrFlows, (Texts{value, value + "2", value}));
        for (std::string* member : DevTexts(loaded))
            QCOMPARE(*member, value);
        QCOMPARE(loaded.IpoLines.GetCount(), std::size_t(2));
        for (const auto& line : loaded.IpoLines)
            QVERIFY(line->value == value && line->value2 == value);
        QCOMPARE(LineGroup(loaded), lines);
    }

    void dataSourceNamingAnotherCharset_data()
    {
        QTest::addColumn<QString>("charset");
        QTest::newRow("gbk") << "gbk";
        QTest::newRow("latin1") << "latin1";
    }

    void dataSourceNamingAnotherCharset()
    {
        QFETCH(QString, charset);
        IOtlConnection* db = IOtlConnection::getInstance();
        std::string error;
        QVERIFY2(db->Connect(BuildConnectString(TestDatabase::DsnWithCharset(charset.toStdString()),
                                                TestDatabase::User(), TestDatabase::Password()),
                             error),
                 error.c_str());
        QCOMPARE(TestDatabase::Rows(
                     "SELECT @@character_set_client, @@character_set_connection, @@character_set_results", 3),
                 Texts{"utf8mb4|utf8mb4|utf8mb4"});

        // The second byte of this GBK character is a backslash: in a GBK session it would
        // swallow the escape in front of the quote.
        const std::string trap = "\xE7\xB8\x97\\'; x";
        CCfgData& cfg = FreshStore();
        cfg.LogPath = "/var/log/中文日志";
        cfg.RecPath = trap;
        cfg.IvrFlows = {"流程一.xml"};
        QVERIFY2(GetCfgDb()->SaveSysCfg(), GetCfgDb()->GetDbError().c_str());
        QCOMPARE(TestDatabase::Rows("SELECT HEX(value) FROM conf_system WHERE name = 'LogPath'", 1),
                 Texts{QByteArray("/var/log/中文日志").toHex().toUpper().toStdString()});
        LoadFresh();
        QCOMPARE(GetCfgData()->LogPath, std::string("/var/log/中文日志"));
        QCOMPARE(GetCfgData()->RecPath, trap);
        QCOMPARE(GetCfgData()->IvrFlows, Texts{"流程一.xml"});
        QVERIFY(TestDatabase::Connect());
    }

    void integersAndFlags()
    {
        CCfgData& cfg = FreshStore();
        cfg.RecType = -1;
        cfg.DevType = 2;
        cfg.PPType = 1;
        cfg.QueueType = 2147483647;
        cfg.TtsType = 3;
        cfg.IvrFlowCount = "5"; // written as held, whatever the list holds
        QVERIFY(GetCfgDb()->SaveSysCfg());
        QCOMPARE(
            TestDatabase::Rows("SELECT name, value FROM conf_system WHERE name IN ('RecType', 'DevType', "
                               "'PPType', 'QueueType', 'TtsType', 'IvrFlowCount') ORDER BY id",
                               2),
            (Texts{"RecType|-1", "DevType|2", "PPType|1", "QueueType|2147483647", "IvrFlowCount|5",
                   "TtsType|3"}));
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_ivr_flow", 1), Texts{"0"});
    }

    void statementsAsTheServerReceivesThem()
    {
        CCfgData& cfg = FreshStore();
        cfg.CtiAddr = "10.0.0.1";
        cfg.IvrFlows = {"a.xml"};
        for (int number = 8001; number <= 8005; ++number)
            cfg.Extens.SetAt(number, "p" + std::to_string(number));
        QVERIFY(ServerLog::Start());
        const bool savedSys = GetCfgDb()->SaveSysCfg();
        const bool savedLines = GetCfgDb()->SaveLineCfg();
        const Texts requests = ServerLog::Requests();
        const Texts logged = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());
        QVERIFY(savedSys && savedLines);

        // Each save takes its lock and reads its tables and their column definitions in one
        // query, sends its statements in one text, then lets the lock go.
        QCOMPARE(requests.size(), std::size_t(6));
        for (std::size_t save : {0, 3}) {
            QVERIFY2(IsSaveCheck(requests[save]), requests[save].c_str());
            QVERIFY2(IsLockRelease(requests[save + 2]), requests[save + 2].c_str());
        }
        Texts statements;
        for (const std::string& statement : logged) {
            if (!IsSaveCheck(statement) && !IsLockRelease(statement))
                statements.push_back(statement);
        }

        const Texts expected = {
            "TRUNCATE TABLE conf_system",
            "INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '10.0.0.1')",
            "INSERT INTO conf_system (Name, Value) VALUES ('CtiPort', '8811')",
            "INSERT INTO conf_system (Name, Value) VALUES ('RecPath', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('RecType', '0')",
            "INSERT INTO conf_system (Name, Value) VALUES ('DevType', '1')",
            "INSERT INTO conf_system (Name, Value) VALUES ('AcdPort', '8821')",
            "INSERT INTO conf_system (Name, Value) VALUES ('AgentLockedPeriod', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('PPTime', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('PPType', '0')",
            "INSERT INTO conf_system (Name, Value) VALUES ('QueueType', '0')",
            "INSERT INTO conf_system (Name, Value) VALUES ('LeaveWordPath', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('IvrFlowCount', '')",
            "TRUNCATE TABLE conf_ivr_flow",
            "INSERT INTO conf_ivr_flow (FilePath) VALUES ('a.xml')",
            "INSERT INTO conf_system (Name, Value) VALUES ('LogPath', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('CallConcurrency', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('TtsBufferPath', '')",
            "INSERT INTO conf_system (Name, Value) VALUES ('TtsType', '0')",
            "TRUNCATE TABLE conf_line",
            "INSERT INTO conf_line (id, type, Value) VALUES (8004, 0, 'p8004')",
            "INSERT INTO conf_line (id, type, Value) VALUES (8001, 0, 'p8001')",
            "INSERT INTO conf_line (id, type, Value) VALUES (8003, 0, 'p8003')",
            "INSERT INTO conf_line (id, type, Value) VALUES (8005, 0, 'p8005')",
            "INSERT INTO conf_line (id, type, Value) VALUES (8002, 0, 'p8002')",
            "TRUNCATE TABLE conf_sip_account",
            "TRUNCATE TABLE conf_trunk_item",
            "TRUNCATE TABLE conf_trunk_match",
        };
        QCOMPARE(statements, expected);
    }

    void refusedInsertLeavesWhatWasWrittenBeforeIt()
    {
        QVERIFY(TestDatabase::Run({
            "INSERT INTO conf_trunk_item VALUES (9, 9, 9, 9, 9)",
            "INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES ('old', 'old', 9, 9)",
        }));
        QVERIFY(TestDatabase::RefuseInserts("conf_sip_account", "refuse_account", "NEW.id = 2",
                                            "account 2 refused"));
        CCfgData& cfg = FreshStore();
        FillLines(cfg, "x");
        QVERIFY(!GetCfgDb()->SaveLineCfg());
        QVERIFY2(GetCfgDb()->GetDbError().find("account 2 refused") != std::string::npos,
                 GetCfgDb()->GetDbError().c_str());
        QCOMPARE(TestDatabase::Rows("SELECT id, value FROM conf_line ORDER BY id", 2),
                 (Texts{"8001|x", "8002|x2"}));
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_sip_account", 1), Texts{"1"});
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_trunk_item", 1), Texts{"9"});
        QCOMPARE(TestDatabase::Rows("SELECT prefix FROM conf_trunk_match", 1), Texts{"old"});
        // The store still holds everything, so Save can simply be repeated once the cause is gone.
        QVERIFY(TestDatabase::Run({"DROP TRIGGER refuse_account"}));
        QVERIFY(GetCfgDb()->SaveLineCfg());
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_sip_account ORDER BY id", 1), (Texts{"1", "2"}));
    }

    void refusedFlowLeavesTheFirstSettingsOnly()
    {
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_system (Name, Value) VALUES ('Stale', 'old')"}));
        QVERIFY(TestDatabase::RefuseInserts("conf_ivr_flow", "refuse_flow", "NEW.FilePath = 'bad'", "no"));
        CCfgData& cfg = FreshStore();
        cfg.IvrFlows = {"good", "bad", "later"};
        QVERIFY(!GetCfgDb()->SaveSysCfg());
        QCOMPARE(TestDatabase::Rows("SELECT name FROM conf_system ORDER BY id", 1),
                 (Texts{"CtiAddr", "CtiPort", "RecPath", "RecType", "DevType", "AcdPort", "AgentLockedPeriod",
                        "PPTime", "PPType", "QueueType", "LeaveWordPath", "IvrFlowCount"}));
        QCOMPARE(TestDatabase::Rows("SELECT FilePath FROM conf_ivr_flow", 1), Texts{"good"});
        QVERIFY(TestDatabase::Run({"DROP TRIGGER refuse_flow"}));
    }

    void valuesThatDoNotFitAreRefusedBeforeAnything_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("alter");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("limit");
        const int sys = 0, dev = 1, lines = 2;
        QTest::newRow("301 digits in a setting") << sys << "" << QByteArray(301, '9') << "AgentLockedPeriod"
                                                 << "300";
        QTest::newRow("4-byte character in a setting")
            << sys << "" << QByteArray("D:\\rec \xF0\x9F\x98\x80") << "RecPath"
            << "utf8mb3";
        QTest::newRow("flow file longer than its column")
            << sys << "" << QByteArray(513, 'f') << "IVR流程文件第 2 项"
            << "512";
        QTest::newRow("chinese in a latin1 column")
            << sys << "ALTER TABLE conf_system MODIFY value varchar(300) CHARACTER SET latin1"
            << QByteArray("中文") << "RecPath"
            << "latin1";
        QTest::newRow("a narrower column than ours")
            << dev << "ALTER TABLE conf_dev MODIFY value varchar(20)" << QByteArray(21, 'x') << "DevLinkPwd"
            << "20";
        QTest::newRow("IPO line type") << dev << "" << QByteArray(51, 't') << "线路类型"
                                       << "50";
        QTest::newRow("extension password") << lines << "" << QByteArray(101, 'p') << "分机 8001 的接入密码"
                                            << "100";
        QTest::newRow("number beyond a small column")
            << lines << "ALTER TABLE conf_trunk_item MODIFY node smallint NOT NULL" << QByteArray("70000")
            << "中继项1 的设备节点"
            << "32767";
    }

    void valuesThatDoNotFitAreRefusedBeforeAnything()
    {
        QFETCH(int, group);
        QFETCH(QString, alter);
        QFETCH(QByteArray, value);
        QFETCH(QString, named);
        QFETCH(QString, limit);
        if (!alter.isEmpty())
            QVERIFY(TestDatabase::Run({alter.toStdString()}));
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', 'old')",
                                   "INSERT INTO conf_ivr_flow (FilePath) VALUES ('old.xml')",
                                   "INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', 'old')",
                                   "INSERT INTO conf_vs (name, value, value2) VALUES ('EXT', '1', '')",
                                   "INSERT INTO conf_line (id, type, value) VALUES (1, 0, 'old')",
                                   "INSERT INTO conf_trunk_item VALUES (9, 9, 9, 9, 9)"}));
        const Texts before = AllConfigRows();

        CCfgData& cfg = FreshStore();
        const std::string text = value.toStdString();
        bool saved = true;
        switch (group) {
        case 0:
            cfg.AgentLockedPeriod = named == QLatin1String("AgentLockedPeriod") ? text : "30";
            cfg.RecPath = named == QLatin1String("RecPath") ? text : "D:\\rec";
            cfg.IvrFlows = {"a.xml", named.startsWith(QStringLiteral("IVR")) ? text : "b.xml"};
            saved = GetCfgDb()->SaveSysCfg();
            break;
        case 1: {
            cfg.DevLinkPwd = named == QLatin1String("DevLinkPwd") ? text : "pw";
            auto line = std::make_unique<tagIpoLine>();
            *line = {"201", named == QStringLiteral("线路类型") ? text : "EXT", ""};
            cfg.IpoLines.AddTail(std::move(line));
            saved = GetCfgDb()->SaveDevCfg();
            break;
        }
        default: {
            cfg.Extens.SetAt(8001, named.startsWith(QStringLiteral("分机")) ? text : "p");
            auto item = std::make_unique<tagTRUNK_ITEM>();
            *item = {1, value.toInt(), 0, -1, -1};
            if (!named.startsWith(QStringLiteral("中继项")))
                item->node = 0;
            cfg.TrunkItems.AddTail(std::move(item));
            saved = GetCfgDb()->SaveLineCfg();
            break;
        }
        }
        QVERIFY(!saved);
        const QString reason = QString::fromStdString(GetCfgDb()->GetDbError());
        QVERIFY2(reason.contains(named) && reason.contains(limit) &&
                     reason.contains(QStringLiteral("未写入任何内容")),
                 qPrintable(reason));
        // Nothing was sent: every table is as it was.
        QCOMPARE(AllConfigRows(), before);
    }

    void whatCannotBeForeseenStillStopsTheSave()
    {
        // A character set whose repertoire the program does not check: the server refuses the
        // value in the middle of the save, even where its global mode would cut it.
        const std::string globalMode = TestDatabase::Rows("SELECT @@GLOBAL.sql_mode", 1).front();
        QVERIFY(TestDatabase::Run({"SET GLOBAL sql_mode = 'NO_BACKSLASH_ESCAPES'"}));
        const bool connected = TestDatabase::Connect();
        QVERIFY(TestDatabase::Run({"SET GLOBAL sql_mode = '" + globalMode + "'"}));
        QVERIFY(connected);
        QVERIFY(TestDatabase::Run({"ALTER TABLE conf_system MODIFY value varchar(300) CHARACTER SET gbk"}));

        CCfgData& cfg = FreshStore();
        cfg.RecPath = "C:\\rec";
        cfg.LogPath = "smile \xF0\x9F\x98\x80";
        QVERIFY(!GetCfgDb()->SaveSysCfg());
        QVERIFY2(GetCfgDb()->GetDbError().find("Incorrect string value") != std::string::npos,
                 GetCfgDb()->GetDbError().c_str());
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'RecPath'", 1),
                 Texts{"C:\\rec"});
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_system", 1), Texts{"12"});
        QVERIFY(TestDatabase::Connect());
    }

    void groupsNotLoadedWholeAreNotSaved_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<int>("refusedGroup");
        QTest::newRow("flow list") << "conf_ivr_flow" << 0;
        QTest::newRow("device settings") << "conf_dev" << 1;
        QTest::newRow("extensions") << "conf_line" << 2;
    }

    void groupsNotLoadedWholeAreNotSaved()
    {
        QFETCH(QString, missing);
        QFETCH(int, refusedGroup);
        QVERIFY(TestDatabase::Run(
            {"INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', 'db')",
             "INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', 'db')",
             "INSERT INTO conf_sip_account VALUES (1, 'db', 'db', 'db', 'db', 5060, 'true', 60)"}));
        // Unreadable at start-up, for example not there or not permitted; back by the time of Save.
        QVERIFY(TestDatabase::Run({"RENAME TABLE " + missing.toStdString() + " TO hidden_table"}));
        LoadFresh();
        QVERIFY(TestDatabase::Run({"RENAME TABLE hidden_table TO " + missing.toStdString()}));
        const Texts before = AllConfigRows();

        bool (CCfgDb::*const saves[])() = {&CCfgDb::SaveSysCfg, &CCfgDb::SaveDevCfg, &CCfgDb::SaveLineCfg};
        QVERIFY(!(GetCfgDb()->*saves[refusedGroup])());
        const QString reason = QString::fromStdString(GetCfgDb()->GetDbError());
        QVERIFY2(reason.contains(missing) && reason.contains(QStringLiteral("未写入任何内容")),
                 qPrintable(reason));
        QCOMPARE(AllConfigRows(), before);
        // The groups that were read whole still save.
        for (bool (CCfgDb::*save)() : saves) {
            if (save != saves[refusedGroup])
                QVERIFY2((GetCfgDb()->*save)(), GetCfgDb()->GetDbError().c_str());
        }
        LoadFresh();
    }

    void textsShortenedAtLoadingAreNotSavedShortened()
    {
        const std::string account(50, 'a');
        QVERIFY(TestDatabase::Run(
            {"INSERT INTO conf_sip_account VALUES (1, '" + account + "', 'b', 'c', 'd', 5060, 'true', 60)",
             "INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES "
             "('0123456789', '021', 1, 4)"}));
        LoadFresh();
        CCfgData& cfg = *GetCfgData();
        const Texts before = AllConfigRows();
        QVERIFY(!GetCfgDb()->SaveLineCfg());
        QString reason = QString::fromStdString(GetCfgDb()->GetDbError());
        QVERIFY2(reason.contains(QStringLiteral("SIP账户1 的账户")) &&
                     reason.contains(QStringLiteral("49")) &&
                     reason.contains(QStringLiteral("未写入任何内容")),
                 qPrintable(reason));
        QCOMPARE(AllConfigRows(), before);

        // Edited by the user, the account no longer stops the save; the prefix still does.
        CopyToField((*cfg.SipAccounts.begin())->account, "short");
        QVERIFY(!GetCfgDb()->SaveLineCfg());
        reason = QString::fromStdString(GetCfgDb()->GetDbError());
        QVERIFY2(reason.contains(QStringLiteral("中继匹配1 的字冠")) &&
                     reason.contains(QStringLiteral("0123456789")),
                 qPrintable(reason));
        QCOMPARE(AllConfigRows(), before);

        cfg.TrunkMatches.DeleteAll();
        QVERIFY2(GetCfgDb()->SaveLineCfg(), GetCfgDb()->GetDbError().c_str());
        QCOMPARE(TestDatabase::Rows("SELECT account FROM conf_sip_account", 1), Texts{"short"});
    }

    void rowsTheProgramDoesNotEditComeBackUnchanged()
    {
        QVERIFY(TestDatabase::Run({
            "INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '10.0.0.1'), ('NewerFeature', 'on'), "
            "('EmptyOne', NULL), ('ctiport', '9911')",
            "INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', 'sc'), ('VendorOption', 'x''y\\\\z'), "
            "('BinaryOption', CONCAT('a', CHAR(0), 'b'))",
            "INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'p1'), (9000, 1, 'ivr line'), (9001, "
            "2, NULL)",
        }));
        LoadFresh();
        // A name that differs from a key only in case is that key, as the loading queries see it.
        QCOMPARE(GetCfgData()->CtiPort, std::string("9911"));
        QVERIFY2(GetCfgDb()->SaveSysCfg(), GetCfgDb()->GetDbError().c_str());
        QVERIFY2(GetCfgDb()->SaveDevCfg(), GetCfgDb()->GetDbError().c_str());
        QVERIFY2(GetCfgDb()->SaveLineCfg(), GetCfgDb()->GetDbError().c_str());
        QCOMPARE(TestDatabase::Rows(
                     "SELECT CONCAT_WS('|', name, IFNULL(value, '<null>')) FROM conf_system WHERE name IN "
                     "('NewerFeature', 'EmptyOne', 'CtiPort') ORDER BY id",
                     1),
                 (Texts{"CtiPort|9911", "NewerFeature|on", "EmptyOne|<null>"}));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_dev WHERE name = 'VendorOption'", 1),
                 Texts{"x'y\\z"});
        // A NUL byte goes into its literal escaped: sent raw, it would end the statement's text.
        QCOMPARE(TestDatabase::Rows("SELECT HEX(value) FROM conf_dev WHERE name = 'BinaryOption'", 1),
                 Texts{"610062"});
        QCOMPARE(
            TestDatabase::Rows(
                "SELECT CONCAT_WS('|', id, type, IFNULL(value, '<null>')) FROM conf_line ORDER BY id", 1),
            (Texts{"8001|0|p1", "9000|1|ivr line", "9001|2|<null>"}));

        // An extension may not take the number of such a line: refused before anything is sent.
        const Texts before = AllConfigRows();
        GetCfgData()->Extens.SetAt(9000, "new");
        QVERIFY(!GetCfgDb()->SaveLineCfg());
        const QString reason = QString::fromStdString(GetCfgDb()->GetDbError());
        QVERIFY2(reason.contains(QStringLiteral("分机 9000")) &&
                     reason.contains(QStringLiteral("未写入任何内容")),
                 qPrintable(reason));
        QCOMPARE(AllConfigRows(), before);
    }

    void strayNegativeExtensionComesBackUnchanged()
    {
        QVERIFY(TestDatabase::Run(
            {"INSERT INTO conf_line (id, type, value) VALUES (-5, 0, 'stray'), (8001, 0, 'p')"}));
        LoadFresh();
        QVERIFY(GetCfgDb()->SaveLineCfg());
        QCOMPARE(TestDatabase::Rows("SELECT id, value FROM conf_line ORDER BY id", 2),
                 (Texts{"-5|stray", "8001|p"}));
    }

    void droppedSessionIsOpenedAgainBeforeTheFirstStatement()
    {
        // The server ends the session between two saves (a restart, an idle timeout, a KILL).
        IOtlConnection* db = IOtlConnection::getInstance();
        QVERIFY(!db->ExecuteSql("KILL CONNECTION " + db->QueryValue("SELECT CONNECTION_ID()")));
        CCfgData& cfg = FreshStore();
        cfg.Extens.SetAt(1, "x");
        CfgWriteOutcome outcome = GetCfgDb()->Save(CfgGroup::Lines, nullptr);
        QVERIFY2(outcome.IsWritten(), outcome.error.c_str());
        QVERIFY(outcome.reconnected);
        QCOMPARE(TestDatabase::Rows("SELECT id, value FROM conf_line", 2), Texts{"1|x"});
        // The next save finds the session alive and says nothing of it.
        outcome = GetCfgDb()->Save(CfgGroup::Lines, nullptr);
        QVERIFY(outcome.IsWritten());
        QVERIFY(!outcome.reconnected);
    }

    void serverGoneIsAFailureThatSaysWhatToDo()
    {
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_line (id, type, value) VALUES (5, 0, 'kept')"}));
        {
            auto proxy = std::make_unique<CDelayProxy>(
                static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT")), 0);
            std::string error;
            QVERIFY2(IOtlConnection::getInstance()->Connect(
                         TestDatabase::ConnectString() + ";PORT=" + std::to_string(proxy->Port()), error),
                     error.c_str());
            // The link goes, and with it every way to the server.
            proxy.reset();
        }
        CCfgData& cfg = FreshStore();
        cfg.Extens.SetAt(1, "x");
        QVERIFY(!GetCfgDb()->SaveLineCfg());
        const QString reason = QString::fromStdString(GetCfgDb()->GetDbError());
        QVERIFY2(reason.contains(QStringLiteral("重新连接也失败")) &&
                     reason.contains(QStringLiteral("数据源设置")) &&
                     reason.contains(QStringLiteral("未写入任何内容")),
                 qPrintable(reason));
        QVERIFY(TestDatabase::Connect());
        QCOMPARE(TestDatabase::Rows("SELECT id, value FROM conf_line", 2), Texts{"5|kept"});
    }

    void sqlServerDialect()
    {
        RecordingConnection recording(DbTypeSqlServer);
        CCfgData& cfg = FreshStore();
        FillLines(cfg, "O'Neil\\");
        cfg.Extens.RemoveAll();
        cfg.Extens.SetAt(8002, "p'w");
        QVERIFY(GetCfgDb()->SaveLineCfg());
        const std::vector<RecordingConnection::Call> expected = {
            {"ExecuteSql", "TRUNCATE TABLE conf_line"},
            {"ExecuteInsert", "INSERT INTO conf_line (id, type, Value) VALUES (8002, 0, 'p''w')"},
            {"ExecuteSql", "TRUNCATE TABLE conf_sip_account"},
            {"ExecuteInsert",
             "INSERT INTO conf_sip_account (id, account, auth_account, password, proxy_addr, "
             "proxy_port, reg, reg_interval) VALUES (1, 'O''Neil\\', 'O''Neil\\a', 'O''Neil\\p', "
             "'O''Neil\\', 5061, 'true', 60)"},
            {"ExecuteInsert",
             "INSERT INTO conf_sip_account (id, account, auth_account, password, proxy_addr, "
             "proxy_port, reg, reg_interval) VALUES (2, 'O''Neil\\', 'O''Neil\\a', 'O''Neil\\p', "
             "'O''Neil\\', 5062, 'false', 120)"},
            {"ExecuteSql", "TRUNCATE TABLE conf_trunk_item"},
            {"ExecuteInsert",
             "INSERT INTO conf_trunk_item (id, node, board, span, sip_user) VALUES (1, 0, 1, 2, -1)"},
            {"ExecuteInsert",
             "INSERT INTO conf_trunk_item (id, node, board, span, sip_user) VALUES (2, -1, -1, -1, 1)"},
            {"ExecuteSql", "TRUNCATE TABLE conf_trunk_match"},
            {"ExecuteInsert", "INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES "
                              "('O''Neil\\', 'O''Neil\\', 2, -3)"},
        };
        const std::vector<RecordingConnection::Call> writes = recording.Writes();
        QCOMPARE(writes.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(writes[i].operation, expected[i].operation);
            QCOMPARE(writes[i].sql, expected[i].sql);
        }
    }

    // Every group's statements on the SQL Server dialect, as they are sent and in their order.
    void sqlServerDialectEveryGroup()
    {
        RecordingConnection recording(DbTypeSqlServer);
        CCfgData& cfg = FreshStore();
        SampleConfig::Fill(cfg, "O'Neil\\ 中");
        QVERIFY(GetCfgDb()->SaveSysCfg());
        QVERIFY(GetCfgDb()->SaveDevCfg());
        QVERIFY(GetCfgDb()->SaveLineCfg());
        QFile golden(QStringLiteral(TARVEX_GOLDEN_DIR "/sqlserver-save.txt"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        Texts expected;
        for (const QByteArray& line : golden.readAll().split('\n')) {
            if (!line.isEmpty())
                expected.push_back(line.toStdString());
        }
        Texts sent;
        for (const RecordingConnection::Call& call : recording.Writes())
            sent.push_back(call.operation + ": " + call.sql);
        QCOMPARE(sent, expected);
    }

    // A refusal anywhere in a group of several batches leaves what sending the statements one
    // by one would: everything before the refused statement, nothing after it.
    void refusalInALargeGroup_data()
    {
        QTest::addColumn<int>("position"); // of the refused extension, in the order they are written
        QTest::newRow("first insert") << 0;
        QTest::newRow("last of the first batch") << int(COdbcConnection::kBatchStatements) - 2;
        QTest::newRow("the row that starts a new batch") << int(COdbcConnection::kBatchStatements) - 1;
        QTest::newRow("middle of the second batch") << 1500;
        QTest::newRow("last insert") << 2499;
    }

    void refusalInALargeGroup()
    {
        QFETCH(int, position);
        QVERIFY(TestDatabase::Run(
            {"INSERT INTO conf_sip_account VALUES (7, 'old', 'old', 'old', 'old', 1, 'true', 1)"}));
        CCfgData& cfg = FreshStore();
        for (int number = 100000; number < 102500; ++number)
            cfg.Extens.SetAt(number, "p" + std::to_string(number));
        std::vector<int> order;
        cfg.Extens.ForEach([&order](int number, const std::string&) { order.push_back(number); });
        const int refused = order[static_cast<std::size_t>(position)];
        QVERIFY(TestDatabase::RefuseInserts("conf_line", "refuse_line", "NEW.id = " + std::to_string(refused),
                                            "line refused"));

        QVERIFY(!GetCfgDb()->SaveLineCfg());
        QVERIFY2(GetCfgDb()->GetDbError().find("line refused") != std::string::npos,
                 GetCfgDb()->GetDbError().c_str());
        Texts expected;
        for (int index = 0; index < position; ++index)
            expected.push_back(std::to_string(order[static_cast<std::size_t>(index)]));
        std::sort(expected.begin(), expected.end());
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_line ORDER BY id", 1), expected);
        // The tables after it were not touched.
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_sip_account", 1), Texts{"7"});
        QVERIFY(TestDatabase::Run({"DROP TRIGGER refuse_line"}));
    }

    void connectionCutInTheMiddleOfABatch()
    {
        CDelayProxy proxy(static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT")), 0);
        QVERIFY(proxy.Port() != 0);
        std::string error;
        QVERIFY2(IOtlConnection::getInstance()->Connect(
                     TestDatabase::ConnectString() + ";PORT=" + std::to_string(proxy.Port()), error),
                 error.c_str());
        CCfgData& cfg = FreshStore();
        for (int number = 100000; number < 102500; ++number)
            cfg.Extens.SetAt(number, "p" + std::to_string(number));
        // The second batch never arrives whole.
        std::vector<int> order;
        cfg.Extens.ForEach([&order](int number, const std::string&) { order.push_back(number); });
        proxy.CutWhenClientSends("VALUES (" + std::to_string(order[1500]) + ",");

        QVERIFY(!GetCfgDb()->SaveLineCfg());
        QVERIFY(!GetCfgDb()->GetDbError().empty());
        QVERIFY(TestDatabase::Connect());
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_line", 1),
                 Texts{std::to_string(COdbcConnection::kBatchStatements - 1)});
    }

    void firstRefusedStatementEndsTheGroup_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<int>("sent");
        QTest::newRow("middleware, first truncate") << 1 << "TRUNCATE TABLE conf_system" << 1;
        QTest::newRow("middleware, flow table") << 1 << "TRUNCATE TABLE conf_ivr_flow" << 14;
        QTest::newRow("device, IPO lines") << 2 << "TRUNCATE TABLE conf_vs" << 15;
        QTest::newRow("device, last key")
            << 2 << "INSERT INTO conf_dev (Name, Value) VALUES ('FsPCallContext', '')" << 23;
        QTest::newRow("lines, trunk items") << 3 << "TRUNCATE TABLE conf_trunk_item" << 3;
    }

    void firstRefusedStatementEndsTheGroup()
    {
        QFETCH(int, group);
        QFETCH(QString, refused);
        QFETCH(int, sent);
        RecordingConnection recording(DbTypeSqlServer);
        const std::string statement = refused.toStdString();
        recording.FailWhen([statement](const std::string& sql) { return sql == statement; }, "refused here");
        FreshStore();
        const CfgWriteOutcome outcome = GetCfgDb()->Save(CfgGroup(group - 1), nullptr);
        QVERIFY(outcome.result == CfgWriteOutcome::Result::PartlyWritten);
        QCOMPARE(int(recording.Writes().size()), sent);
        QCOMPARE(recording.Writes().back().sql, statement);
        // The reason first, then that the tables may be partly written and where the backup
        // of what they held is.
        const std::string& error = outcome.error;
        const std::string& backup = outcome.backup;
        QVERIFY2(error.rfind("refused here\r\n", 0) == 0, error.c_str());
        QVERIFY2(!backup.empty() && error.find("只写入了一部分") != std::string::npos &&
                     error.find(backup) != std::string::npos,
                 error.c_str());
        QVERIFY(QFile::exists(QString::fromStdString(backup)));
    }
};

QTEST_GUILESS_MAIN(TestSaving)
#include "tst_saving.moc"
