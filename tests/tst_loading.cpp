// Loading the configuration from the private test server into the store.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/database/CCfgLoader.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/document/CfgLoadReport.h"
#include "support/CDelayProxy.h"
#include "support/ConfigTables.h"
#include "support/RecordingConnection.h"
#include "support/RecordingProgress.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QTest>

namespace {

using Events = std::vector<std::string>;

CCfgData& FreshStore()
{
    *GetCfgData() = CCfgData();
    return *GetCfgData();
}

std::vector<std::string> IpoLineTexts(const CCfgData& cfg)
{
    std::vector<std::string> texts;
    for (const auto& line : cfg.IpoLines)
        texts.push_back(line->name + "/" + line->value + "/" + line->value2);
    return texts;
}

std::vector<std::string> ExtenTexts(const CCfgData& cfg)
{
    std::vector<std::string> texts;
    cfg.Extens.ForEach(
        [&texts](int key, const std::string& text) { texts.push_back(std::to_string(key) + "=" + text); });
    return texts;
}

using Texts = std::vector<std::string>;

bool IsCombinedRead(const std::string& sql)
{
    // With the digests each group leaves in the session, and without, for a server that
    // lacks their functions.
    return sql.rfind("(SELECT -1, @tarvex_digest_", 0) == 0 || sql.rfind("(SELECT 0, ", 0) == 0;
}

Texts KeptTexts(const std::vector<KeptRow>& rows)
{
    Texts texts;
    for (const KeptRow& row : rows)
        texts.push_back(row.name + "=" + row.value.value_or("NULL"));
    return texts;
}

bool FillTables()
{
    return ConfigTables::CreateEmpty() &&
           TestDatabase::Run({
               "INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '10.1.2.3'), ('CtiPort', '9811'), "
               "('RecPath', 'D:\\\\录音'), ('RecType', '1'), ('DevType', '2abc'), ('AcdPort', '9821'), "
               "('AgentLockedPeriod', '30'), ('PPTime', '15'), ('PPType', ' 1'), ('QueueType', '-1x'), "
               "('LeaveWordPath', 'D:\\\\lw'), ('IvrFlowCount', '7'), ('LogPath', '/var/log'), "
               "('CallConcurrency', '12'), ('TtsBufferPath', 'tts'), ('TtsType', 'abc')",
               "INSERT INTO conf_ivr_flow (FilePath) VALUES ('b.xml'), ('a.xml'), ('流程.xml')",
               "INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', '1.1.1.1'), ('ScPort', '8802'), "
               "('McAddr', '1.1.1.2'), ('McPort', '9001'), ('DigTrunkCount', '60'), ('VoipTrunkCount', "
               "'30'), "
               "('VoipSignallingAddr', '1.1.1.3'), ('VoipMediaAddr', '1.1.1.4'), ('FaxServerAddr', "
               "'1.1.1.5'), "
               "('FaxServerPort', '9100'), ('DevLinkIp', '1.1.1.6'), ('DevLinkPwd', 'pw'), ('IpoLinkPort', "
               "'50797'), "
               "('FsEslAddr', '1.1.1.7'), ('FsEslPort', '8021'), ('FsEslPwd', 'ClueCon'), ('FsIvrPort', "
               "'8084'), "
               "('FsTrunkCount', '30'), ('FsExtContext', 'default'), ('FsMeetingContext', 'conf'), "
               "('FsPCallContext', 'pcall')",
               "INSERT INTO conf_vs (name, value, value2) VALUES ('EXT', '201', '1'), ('DT', '1', NULL)",
               "INSERT INTO conf_line (id, type, value) VALUES (8005, 0, 'e5'), (8001, 0, 'e1'), (8003, 0, "
               "'e3'), "
               "(8004, 0, 'e4'), (8002, 0, 'e2'), (9000, 1, 'other type')",
               "INSERT INTO conf_sip_account VALUES (3, 'c', 'c', NULL, 'p', 5060, 'false', 60), "
               "(1, 'a', 'auth-a', 'secret', '10.0.0.1', 5061, 'true', 3600), "
               "(2, '账户账户账户账户账户账户账户账户账户账户账户账户账户账户账户账户账户', 'b', "
               "'123456789012345678901234567890', 'p', 0, 'TRUE', 0), "
               "(4, 'd', 'd', 'x', 'p', 1, 'true ', 1)",
               "INSERT INTO conf_trunk_item VALUES (2, -1, -1, -1, 1), (1, 0, 1, 2, -1)",
               "INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES "
               "('0123456789', '021', 1, 5), ('9', '', 2, 1)",
           });
}

} // namespace

class TestLoading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    void emptyTablesLoadAsEmptyValues()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        CCfgData& cfg = FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        QCOMPARE(progress.Events(), (Events{"open 0-7", "text 配置参数加载中...", "pos 1", "pos 2", "pos 3",
                                            "pos 4", "pos 5", "pos 6", "pos 7", "close"}));
        // Absent rows replace the defaults too.
        QCOMPARE(cfg.CtiPort, std::string());
        QCOMPARE(cfg.AcdPort, std::string());
        QCOMPARE(cfg.ScPort, std::string());
        QCOMPARE(cfg.DevType, 0);
        QCOMPARE(cfg.FsPCallContext, std::string());
        QVERIFY(cfg.IvrFlows.empty() && cfg.IpoLines.IsEmpty() && cfg.Extens.IsEmpty() &&
                cfg.SipAccounts.IsEmpty() && cfg.TrunkItems.IsEmpty() && cfg.TrunkMatches.IsEmpty());
    }

    void everyTableIsRead()
    {
        QVERIFY(FillTables());
        CCfgData& cfg = FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));

        QCOMPARE(cfg.CtiAddr, std::string("10.1.2.3"));
        QCOMPARE(cfg.CtiPort, std::string("9811"));
        QCOMPARE(cfg.RecPath, std::string("D:\\录音"));
        QCOMPARE(cfg.RecType, 1);
        QCOMPARE(cfg.DevType, 2);    // "2abc"
        QCOMPARE(cfg.PPType, 1);     // " 1"
        QCOMPARE(cfg.QueueType, -1); // "-1x"
        QCOMPARE(cfg.TtsType, 0);    // "abc"
        QCOMPARE(cfg.IvrFlowCount, std::string("7"));
        QCOMPARE(cfg.IvrFlows, (std::vector<std::string>{"b.xml", "a.xml", "流程.xml"}));
        QCOMPARE(cfg.ScPort, std::string("8802"));
        QCOMPARE(cfg.IpoLinkPort, std::string("50797"));
        QCOMPARE(cfg.FsEslPwd, std::string("ClueCon"));
        QCOMPARE(cfg.FsPCallContext, std::string("pcall"));
        QCOMPARE(IpoLineTexts(cfg), (std::vector<std::string>{"EXT/201/1", "DT/1/"}));
        // Only type 0 rows, enumerated in the map's own order.
        QCOMPARE(ExtenTexts(cfg),
                 (std::vector<std::string>{"8004=e4", "8001=e1", "8003=e3", "8005=e5", "8002=e2"}));

        QCOMPARE(cfg.SipAccounts.GetCount(), std::size_t(4));
        auto account = cfg.SipAccounts.begin();
        const tagSIP_ACCOUNT& first = **account++;
        QCOMPARE(first.id, 1);
        QCOMPARE(std::string(first.auth_account), std::string("auth-a"));
        QCOMPARE(std::string(first.password), std::string("secret"));
        QCOMPARE(std::string(first.proxy_addr), std::string("10.0.0.1"));
        QCOMPARE(first.proxy_port, 5061);
        QVERIFY(first.reg);
        QCOMPARE(first.reg_interval, 3600);
        const tagSIP_ACCOUNT& second = **account++;
        // Cut to the field's room without splitting a character: 16 characters of 3 bytes.
        QCOMPARE(std::string(second.account), std::string("账户账户账户账户账户账户账户账户"));
        QCOMPARE(std::string(second.password), std::string("12345678901234567890123456789"));
        QVERIFY(!second.reg); // "TRUE"
        const tagSIP_ACCOUNT& third = **account++;
        QCOMPARE(std::string(third.password), std::string()); // NULL
        QVERIFY(!third.reg);
        QVERIFY(!(**account).reg); // "true "

        std::vector<std::string> items;
        for (const auto& item : cfg.TrunkItems)
            items.push_back(std::to_string(item->id) + ":" + std::to_string(item->node) + "," +
                            std::to_string(item->board) + "," + std::to_string(item->span) + "," +
                            std::to_string(item->sip_user));
        QCOMPARE(items, (std::vector<std::string>{"1:0,1,2,-1", "2:-1,-1,-1,1"}));

        QCOMPARE(cfg.TrunkMatches.GetCount(), std::size_t(2));
        const tagTRUNK_MATCH& match = **cfg.TrunkMatches.begin();
        QCOMPARE(match.id, 1);
        QCOMPARE(std::string(match.prefix), std::string("0123456"));
        QCOMPARE(std::string(match.caller), std::string("021"));
        QCOMPARE(match.trunk_id, 1);
        QCOMPARE(match.priority, 5);
    }

    void missingFlowTableIsPassedOver()
    {
        QVERIFY(FillTables());
        QVERIFY(TestDatabase::DropTables({"conf_ivr_flow"}));
        CCfgData& cfg = FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        QVERIFY(cfg.IvrFlows.empty());
        QCOMPARE(cfg.LogPath, std::string("/var/log"));
        QCOMPARE(cfg.TrunkMatches.GetCount(), std::size_t(2));
        // The middleware group is incomplete, the others are whole.
        QVERIFY(GetCfgDocument()->LoadReport().Gap(CfgGroup::System).find("conf_ivr_flow") !=
                std::string::npos);
        QVERIFY(GetCfgDocument()->LoadReport().Gap(CfgGroup::Device).empty());
        QVERIFY(GetCfgDocument()->LoadReport().Gap(CfgGroup::Lines).empty());
    }

    // Groups that loading did not read whole, each of which a save must refuse.
    void groupsNotReadWhole_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("system");
        QTest::addColumn<bool>("device");
        QTest::addColumn<bool>("lines");
        QTest::newRow("everything there") << "" << false << false << false;
        QTest::newRow("conf_system: every value fails") << "conf_system" << true << false << false;
        QTest::newRow("conf_dev: every value fails") << "conf_dev" << false << true << false;
        QTest::newRow("conf_vs: stops loading") << "conf_vs" << false << true << true;
        QTest::newRow("conf_line") << "conf_line" << false << false << true;
        QTest::newRow("conf_trunk_match") << "conf_trunk_match" << false << false << true;
    }

    void groupsNotReadWhole()
    {
        QFETCH(QString, table);
        QFETCH(bool, system);
        QFETCH(bool, device);
        QFETCH(bool, lines);
        QVERIFY(FillTables());
        if (!table.isEmpty())
            QVERIFY(TestDatabase::DropTables({table.toStdString()}));
        FreshStore();
        RecordingProgress progress;
        GetCfgDb()->LoadCfg(progress);
        QCOMPARE(!GetCfgDocument()->LoadReport().Gap(CfgGroup::System).empty(), system);
        QCOMPARE(!GetCfgDocument()->LoadReport().Gap(CfgGroup::Device).empty(), device);
        QCOMPARE(!GetCfgDocument()->LoadReport().Gap(CfgGroup::Lines).empty(), lines);
        for (CfgGroup group : {CfgGroup::System, CfgGroup::Device, CfgGroup::Lines}) {
            const std::string& gap = GetCfgDocument()->LoadReport().Gap(group);
            QVERIFY2(gap.empty() || gap.find(table.toStdString()) != std::string::npos, gap.c_str());
        }
    }

    void noRowIsNoGap()
    {
        QVERIFY(ConfigTables::CreateEmpty());
        FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        for (CfgGroup group : {CfgGroup::System, CfgGroup::Device, CfgGroup::Lines})
            QVERIFY(GetCfgDocument()->LoadReport().Gap(group).empty());
    }

    // The queries loading sends, as they are sent and in their order, on both dialects.
    void queriesAsSent_data()
    {
        QTest::addColumn<int>("dbType");
        QTest::newRow("MariaDB") << int(DbTypeMySql);
        QTest::newRow("SQL Server") << int(DbTypeSqlServer);
    }

    void queriesAsSent()
    {
        QFETCH(int, dbType);
        RecordingConnection recording(dbType);
        // Where the server will not run the combined read, the queries go one by one.
        recording.FailWhen([](const std::string& sql) { return IsCombinedRead(sql); }, "refused");
        FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        std::vector<std::string> sent;
        for (const RecordingConnection::Call& call : recording.Calls())
            sent.push_back(call.operation + ": " + call.sql);
        if (dbType == DbTypeMySql) {
            QVERIFY(IsCombinedRead(recording.Calls()[0].sql) && IsCombinedRead(recording.Calls()[1].sql));
            sent.erase(sent.begin(), sent.begin() + 2);
        }
        const std::vector<std::string> expected = {
            "QueryValue: SELECT value FROM conf_system WHERE Name='CtiAddr'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='CtiPort'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='RecPath'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='RecType'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='DevType'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='AcdPort'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='AgentLockedPeriod'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='PPTime'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='PPType'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='QueueType'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='LeaveWordPath'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='IvrFlowCount'",
            "OpenRecordset: SELECT * FROM conf_ivr_flow",
            "QueryValue: SELECT value FROM conf_system WHERE Name='LogPath'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='CallConcurrency'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='TtsBufferPath'",
            "QueryValue: SELECT value FROM conf_system WHERE Name='TtsType'",
            "OpenRecordset: SELECT Name, Value, Value IS NULL FROM conf_system",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='ScAddr'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='ScPort'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='McAddr'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='McPort'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='DigTrunkCount'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='VoipTrunkCount'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='VoipSignallingAddr'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='VoipMediaAddr'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='FaxServerAddr'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='FaxServerPort'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='DevLinkIp'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='DevLinkPwd'",
            "QueryValue: SELECT value FROM conf_dev WHERE Name='IpoLinkPort'",
            "OpenRecordset: SELECT name, value, value2 FROM conf_vs",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsEslAddr'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsEslPort'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsEslPwd'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsIvrPort'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsTrunkCount'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsExtContext'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsMeetingContext'",
            "QueryValue: SELECT value FROM conf_dev WHERE name = 'FsPCallContext'",
            "OpenRecordset: SELECT Name, Value, Value IS NULL FROM conf_dev",
            "OpenRecordset: SELECT id, value FROM conf_line WHERE type = 0 ORDER BY id ASC",
            "OpenRecordset: SELECT id, type, value, value IS NULL FROM conf_line WHERE type <> 0 ORDER BY id "
            "ASC",
            "OpenRecordset: SELECT id, account, auth_account, password, proxy_addr, proxy_port, reg, "
            "reg_interval FROM conf_sip_account ORDER BY id ASC",
            "OpenRecordset: SELECT id, node, board, span, sip_user FROM conf_trunk_item ORDER BY id ASC",
            "OpenRecordset: SELECT id, prefix, caller, trunk_id, priority FROM conf_trunk_match ORDER BY id "
            "ASC",
        };
        QCOMPARE(sent, expected);
    }

    // The combined read of MariaDB as it is sent, one part a line.
    void combinedReadAsSent()
    {
        RecordingConnection recording(DbTypeMySql);
        FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        QCOMPARE(recording.Calls().size(), std::size_t(1));
        QCOMPARE(recording.Calls().front().operation, std::string("OpenRecordset"));
        QFile golden(QStringLiteral(TARVEX_GOLDEN_DIR "/mariadb-load.txt"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QString sent = QString::fromStdString(recording.Calls().front().sql);
        QCOMPARE(sent.split(QStringLiteral(" UNION ALL ")).join(QLatin1Char('\n')) + QLatin1Char('\n'),
                 QString::fromUtf8(golden.readAll()));
    }

    // The combined read gives what each query alone gives: values, stray rows kept, the
    // reports' gaps, and texts a column would cut.
    void combinedReadLoadsAsOneByOne()
    {
        QVERIFY(FillTables());
        QVERIFY(TestDatabase::Run({"ALTER TABLE conf_system MODIFY value varchar(300)",
                                   "INSERT INTO conf_system (Name, Value) VALUES ('Colleague', NULL), "
                                   "('Other', '他人')"}));
        CCfgData& combined = FreshStore();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        const CfgLoadReport combinedReport = GetCfgDocument()->LoadReport();
        std::size_t cutAlone = 0;
        for (CfgGroup group : {CfgGroup::System, CfgGroup::Device, CfgGroup::Lines}) {
            CCfgData alone;
            CfgLoadReport report;
            QVERIFY(CCfgLoader::LoadGroup(*IOtlConnection::getInstance(), group, alone, report));
            QVERIFY(!CCfgChanges::Compare(combined, alone).Differs(group));
            QCOMPARE(KeptTexts(combinedReport.Kept(group)), KeptTexts(report.Kept(group)));
            QCOMPARE(report.keptLines.size(), group == CfgGroup::Lines ? combinedReport.keptLines.size() : 0);
            cutAlone += report.cutTexts.size();
        }
        QCOMPARE(KeptTexts(combinedReport.Kept(CfgGroup::System)), (Texts{"Colleague=NULL", "Other=他人"}));
        QCOMPARE(combinedReport.keptLines.size(), std::size_t(1));
        QCOMPARE(combinedReport.cutTexts.size(), cutAlone);
        QVERIFY(cutAlone > 0);
    }

    // Loading costs one request on MariaDB, whatever the number of tables.
    void loadingIsOneRoundTrip()
    {
        QVERIFY(FillTables());
        CDelayProxy proxy(static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT")), 0);
        std::string error;
        QVERIFY2(IOtlConnection::getInstance()->Connect(
                     TestDatabase::ConnectString() + ";PORT=" + std::to_string(proxy.Port()), error),
                 error.c_str());
        proxy.ResetRoundTrips();
        FreshStore();
        RecordingProgress progress;
        const bool loaded = GetCfgDb()->LoadCfg(progress);
        const long roundTrips = proxy.RoundTrips();
        QVERIFY(TestDatabase::Connect());
        QVERIFY(loaded);
        QCOMPARE(GetCfgData()->Extens.GetCount(), std::size_t(5));
        QCOMPARE(roundTrips, 1L);
    }

    void missingListStopsLoading_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lastPosition");
        QTest::addColumn<int>(
            "listsRead"); // of IPO lines, extensions, SIP accounts, trunk items, trunk matches
        QTest::newRow("conf_vs") << "conf_vs"
                                 << "IPO线路配置信息读取失败！" << 5 << 0;
        QTest::newRow("conf_line") << "conf_line"
                                   << "分机配置信息读取失败！" << 6 << 1;
        QTest::newRow("conf_sip_account") << "conf_sip_account"
                                          << "SIP账户配置信息读取失败！" << 6 << 2;
        QTest::newRow("conf_trunk_item") << "conf_trunk_item"
                                         << "中继项配置信息读取失败！" << 6 << 3;
        QTest::newRow("conf_trunk_match") << "conf_trunk_match"
                                          << "中继匹配配置信息读取失败！" << 6 << 4;
    }

    void missingListStopsLoading()
    {
        QFETCH(QString, table);
        QFETCH(QString, text);
        QFETCH(int, lastPosition);
        QFETCH(int, listsRead);
        QVERIFY(FillTables());
        QVERIFY(TestDatabase::DropTables({table.toStdString()}));
        CCfgData& cfg = FreshStore();
        RecordingProgress progress;
        QVERIFY(!GetCfgDb()->LoadCfg(progress));

        Events expected{"open 0-7", "text 配置参数加载中..."};
        for (int position = 1; position <= lastPosition; ++position)
            expected.push_back("pos " + std::to_string(position));
        expected.insert(expected.end(), {"text " + text.toStdString(), "pause 1500", "close"});
        QCOMPARE(progress.Events(), expected);

        // Everything up to the IPO link port is always read; the rest only before the failure.
        QCOMPARE(cfg.IpoLinkPort, std::string("50797"));
        QCOMPARE(cfg.FsPCallContext, std::string(listsRead > 0 ? "pcall" : ""));
        QCOMPARE(cfg.FsEslAddr, std::string(listsRead > 0 ? "1.1.1.7" : ""));
        const std::size_t counts[] = {cfg.IpoLines.GetCount(), cfg.Extens.GetCount(),
                                      cfg.SipAccounts.GetCount(), cfg.TrunkItems.GetCount(),
                                      cfg.TrunkMatches.GetCount()};
        const std::size_t full[] = {2, 5, 4, 2, 2};
        for (int list = 0; list < 5; ++list)
            QCOMPARE(counts[list], list < listsRead ? full[list] : std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestLoading)
#include "tst_loading.moc"
