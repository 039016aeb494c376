// The statistics tables and the procedure proc_DataAnalysis: the tables and the MySQL
// procedure on the private test server (the procedure really called), the SQL Server paths
// and the failure messages with recorded statements.
#include "db/CStatSchema.h"
#include "db/IOtlConnection.h"
#include "support/RecordingConnection.h"
#include "support/SchemaInfo.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTest>

namespace {

const std::vector<std::string> kTables = {"stat_callid",     "rep_host",         "rep_trunk_call_in",
                                          "rep_ext_call_in", "rep_ext_call_out", "rep_ivr_call_out",
                                          "rep_fax",         "rep_transfer",     "rep_conference",
                                          "rep_agent_state", "rep_agent_detail"};

// The statements as the database must receive them, byte for byte, in table order.
const std::vector<std::string> kCreates = {
    "CREATE TABLE stat_callid (id int(10) NOT NULL,name varchar(30) NULL,value bigint NULL,PRIMARY KEY (id)) "
    "ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_host(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallTypeOpType tinyint "
    "NULL,HostLine int(10) NULL,CallerNum varchar(64) NULL,CalleeNum varchar(64) NULL,TimeConnected datetime "
    "NULL,TimeHangUp datetime NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_trunk_call_in(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallerNum varchar(64) "
    "NULL,CalleeNum varchar(64) NULL,TimeCallIn datetime NULL,IsLeaveMsg tinyint NULL,MsgFileName "
    "varchar(512) NULL,IsWantAgent tinyint NULL,TimeWantAgent datetime NULL,IsWantAgentSucceed tinyint "
    "NULL,PeriodWantAgent int(10) NULL,TimeTurnAgent datetime NULL,IsTurnAgentSucceed tinyint NULL,AgentID "
    "int(10) NULL,PeriodTurnAgent int(10) NULL,TimeConnected datetime NULL,FinalAgentID int(10) "
    "NULL,FinaleAgentNum varchar(64) NULL,RecFileName varchar(512) NULL,TimeHangUp datetime "
    "NULL,PeriodTalking int(10) NULL,IsSuccess int(10) DEFAULT NULL,FailType int(10) DEFAULT NULL,PRIMARY "
    "KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_ext_call_in(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallType tinyint "
    "NULL,PeerLineType tinyint NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID "
    "int(10) NULL,CalleeNum varchar(64) NULL,TimeAlerting datetime NULL,PeriodAlerting int(10) NULL,IsAnswer "
    "tinyint NULL,TimeAnswer datetime NULL,RecFileName varchar(512) NULL,TimeHangUp datetime "
    "NULL,PeriodTalking int(10) NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_ext_call_out(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallType tinyint "
    "NULL,PeerLineType tinyint NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID "
    "int(10) NULL,CalleeNum varchar(64) NULL,TimeRingBack datetime NULL,IsCallOutSucceed tinyint "
    "NULL,TimeConnected datetime NULL,FinalAgentId int(10) NULL,FinalAgentNum varchar(64) NULL,RecFileName "
    "varchar(512) NULL,TimeHangUp datetime NULL,PeriodTalking int(10) NULL,PRIMARY KEY (CallID, ActionID)) "
    "ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_ivr_call_out(CallID bigint NOT NULL,ActionID tinyint NOT NULL,HostLine int(10) "
    "NULL,CallerNum varchar(64) NULL,CalleeNum varchar(64) NULL,TimeRingBack datetime NULL,IsCallOutSucceed "
    "tinyint NULL,TimeConnected datetime NULL,TimeHangUp datetime NULL,PeriodTalking int(10) NULL,PRIMARY "
    "KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_fax(CallID bigint NOT NULL,ActionID tinyint NOT NULL,IsAuto tinyint NULL,RcvOrSend "
    "tinyint NULL,TimeFaxBegin datetime NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) "
    "NULL,CalleeAgentID int(10) NULL,CalleeNum varchar(64) NULL,IsSucceed tinyint NULL,PeriodFax int(10) "
    "NULL,FaxFileName varchar(512) NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_transfer(CallId bigint NOT NULL,ActionID tinyint NOT NULL,PeerLineType tinyint "
    "NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID int(10) NULL,CalleeNum "
    "varchar(64) NULL,TimeBeginTransfer datetime NULL,IsTransferSucceed tinyint NULL,TimeConnected datetime "
    "NULL,TimeTransferSucceed datetime NULL,TimeEndTransfer datetime NULL,PRIMARY KEY (CallID, ActionID)) "
    "ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_conference(CallID bigint NOT NULL,ActionID tinyint NOT NULL,PeerLineType tinyint "
    "NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID int(10) NULL,CalleeNum "
    "varchar(64) NULL,TimeConference datetime NULL,IsConferenceSucceed tinyint NULL,TimeConnected datetime "
    "NULL,TimeConferenceEnd datetime NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_agent_state(AgentId int(10) NOT NULL,LoginId bigint NOT NULL,State int(10) "
    "NULL,OccurTime datetime NULL,Duration bigint NULL,ReposeType int(10) DEFAULT NULL,CallId bigint(20) "
    "DEFAULT NULL) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE rep_agent_detail (AgentId int(10) NOT NULL,LoginId bigint(20) NOT NULL,ExtId int(10) "
    "DEFAULT NULL,AgentIP varchar(20) DEFAULT NULL,GroupId varchar(64) DEFAULT NULL,AgentType int(10) "
    "DEFAULT NULL,TimeLogin datetime DEFAULT NULL,TimeLogout datetime DEFAULT NULL,LogoutHost int(10) "
    "DEFAULT NULL,LogoutType int(10) DEFAULT NULL,LoginTimes int(10) DEFAULT NULL,FreeTimes int(10) DEFAULT "
    "NULL,ReposeTimes int(10) DEFAULT NULL,TalkTimes int(10) DEFAULT NULL,ReposeNum int(10) DEFAULT "
    "NULL,AnswerNum int(10) DEFAULT NULL,AnswerNumExt int(20) DEFAULT NULL,AnswerNumTrunk int(20) DEFAULT "
    "NULL,CallInNumExt int(20) DEFAULT NULL,CallInNumTrunk int(20) DEFAULT NULL,CallInTimesTotalExt int(20) "
    "DEFAULT NULL,CallInTimesTotalTrunk int(20) DEFAULT NULL,CallOutNumExt int(20) DEFAULT "
    "NULL,CallOutNumTrunk int(20) DEFAULT NULL,CallOutTimesTotalExt int(20) DEFAULT "
    "NULL,CallOutTimesTotalTrunk int(20) DEFAULT NULL,CallOutOkNumExt int(20) DEFAULT NULL,CallOutOkNumTrunk "
    "int(20) DEFAULT NULL,OverWorkTimesTotal int(20) DEFAULT NULL,TimeAlertingTotal int(20) DEFAULT "
    "NULL,TransferNum int(20) DEFAULT NULL,BeTransferNum int(20) DEFAULT NULL,ConferenceNum int(20) DEFAULT "
    "NULL,BeConferenceNum int(20) DEFAULT NULL,OverAlertingNum int(20) DEFAULT NULL,PRIMARY KEY "
    "(AgentId,LoginId)) ENGINE=InnoDB DEFAULT CHARSET=utf8;",
};

const char* const kSeedRow = "INSERT INTO stat_callid values (1, 'callid', 0)";

// The columns of rep_agent_detail that the procedure writes, and those it leaves alone.
const char* const kWritten =
    "FreeTimes, TalkTimes, AnswerNumExt, AnswerNumTrunk, CallInNumExt, CallInNumTrunk, CallInTimesTotalExt, "
    "CallInTimesTotalTrunk, CallOutNumExt, CallOutNumTrunk, CallOutTimesTotalExt, CallOutTimesTotalTrunk, "
    "CallOutOkNumExt, CallOutOkNumTrunk, OverWorkTimesTotal, TimeAlertingTotal, TransferNum, BeTransferNum, "
    "ConferenceNum, BeConferenceNum, OverAlertingNum";
const char* const kKept =
    "AgentId, LoginId, ExtId, AgentIP, GroupId, AgentType, TimeLogin, TimeLogout, LogoutHost, "
    "LogoutType, LoginTimes, ReposeTimes, ReposeNum, AnswerNum";
// The figures of the other logins' rows, which must stay as they are; a negative free time among
// them must not be set to 0 either.
const char* const kUntouchedFigures =
    "-5|999|999|999|999|999|999|999|999|999|999|999|999|999|999|999|999|999|"
    "999|999|999";

const char* const kWindow = "'2024-03-01 08:00:00', '2024-03-01 18:00:00'";

QStringList List(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}

QStringList Calls(const RecordingConnection& connection)
{
    QStringList calls;
    for (const RecordingConnection::Call& call : connection.Calls())
        calls << QString::fromStdString(call.operation + ": " + call.sql);
    return calls;
}

QByteArray SourceFile(const char* name)
{
    QFile file(QStringLiteral(TARVEX_RES_DIR "/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// A login row of rep_agent_detail with fixed values in the columns the procedure must keep
/// and 999 in those it writes.
std::string AgentRow(int agent, int login, int loginTimes, int reposeTimes)
{
    return "INSERT INTO rep_agent_detail (" + std::string(kKept) + ", " + kWritten + ") VALUES (" +
           std::to_string(agent) + ", " + std::to_string(login) +
           ", 8001, '10.0.0.7', 'g1', 1, '2024-03-01 07:58:00', '2024-03-01 18:05:00', 2, 3, " +
           std::to_string(loginTimes) + ", " + std::to_string(reposeTimes) + ", 4, 5" +
           ", 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, 999, "
           "999, 999)";
}

std::string Figures(int agent, int login)
{
    const std::vector<std::string> rows =
        TestDatabase::Rows("SELECT " + std::string(kWritten) + " FROM rep_agent_detail WHERE AgentId = " +
                               std::to_string(agent) + " AND LoginId = " + std::to_string(login),
                           21);
    return rows.size() == 1 ? rows.front() : "<" + std::to_string(rows.size()) + " rows>";
}

std::string Kept(int agent, int login)
{
    const std::vector<std::string> rows = TestDatabase::Rows(
        "SELECT " + std::string(kKept) + " FROM rep_agent_detail WHERE AgentId = " + std::to_string(agent) +
            " AND LoginId = " + std::to_string(login),
        14);
    return rows.size() == 1 ? rows.front() : "<" + std::to_string(rows.size()) + " rows>";
}

std::string Call(int agent, int login)
{
    return "CALL proc_DataAnalysis(" + std::to_string(agent) + ", " + std::to_string(login) + ", " + kWindow +
           ")";
}

} // namespace

class TestStatSchema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(TestDatabase::Connect());
        QVERIFY(TestDatabase::Run({"DROP PROCEDURE IF EXISTS proc_DataAnalysis"}));
    }

    void createdTables_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("engine");
        QTest::newRow("stat_callid") << "stat_callid"
                                     << "id int(10) NOT NULL, name varchar(30) NULL, value bigint(20) NULL"
                                     << "id"
                                     << "MyISAM";
        QTest::newRow("rep_host")
            << "rep_host"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, CallTypeOpType tinyint(4) NULL, "
               "HostLine int(10) NULL, CallerNum varchar(64) NULL, CalleeNum varchar(64) NULL, "
               "TimeConnected datetime NULL, TimeHangUp datetime NULL"
            << "CallID,ActionID"
            << "MyISAM";
        QTest::newRow("rep_trunk_call_in")
            << "rep_trunk_call_in"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, CallerNum varchar(64) NULL, "
               "CalleeNum varchar(64) NULL, TimeCallIn datetime NULL, IsLeaveMsg tinyint(4) NULL, "
               "MsgFileName varchar(512) NULL, IsWantAgent tinyint(4) NULL, TimeWantAgent datetime NULL, "
               "IsWantAgentSucceed tinyint(4) NULL, PeriodWantAgent int(10) NULL, TimeTurnAgent datetime "
               "NULL, "
               "IsTurnAgentSucceed tinyint(4) NULL, AgentID int(10) NULL, PeriodTurnAgent int(10) NULL, "
               "TimeConnected datetime NULL, FinalAgentID int(10) NULL, FinaleAgentNum varchar(64) NULL, "
               "RecFileName varchar(512) NULL, TimeHangUp datetime NULL, PeriodTalking int(10) NULL, "
               "IsSuccess int(10) NULL, FailType int(10) NULL"
            << "CallID,ActionID"
            << "MyISAM";
        QTest::newRow("rep_ext_call_in")
            << "rep_ext_call_in"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, CallType tinyint(4) NULL, "
               "PeerLineType tinyint(4) NULL, CallerAgentID int(10) NULL, CallerNum varchar(64) NULL, "
               "CalleeAgentID int(10) NULL, CalleeNum varchar(64) NULL, TimeAlerting datetime NULL, "
               "PeriodAlerting int(10) NULL, IsAnswer tinyint(4) NULL, TimeAnswer datetime NULL, "
               "RecFileName varchar(512) NULL, TimeHangUp datetime NULL, PeriodTalking int(10) NULL"
            << "CallID,ActionID"
            << "MyISAM";
        QTest::newRow("rep_ext_call_out")
            << "rep_ext_call_out"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, CallType tinyint(4) NULL, "
               "PeerLineType tinyint(4) NULL, CallerAgentID int(10) NULL, CallerNum varchar(64) NULL, "
               "CalleeAgentID int(10) NULL, CalleeNum varchar(64) NULL, TimeRingBack datetime NULL, "
               "IsCallOutSucceed tinyint(4) NULL, TimeConnected datetime NULL, FinalAgentId int(10) NULL, "
               "FinalAgentNum varchar(64) NULL, RecFileName varchar(512) NULL, TimeHangUp datetime NULL, "
               "PeriodTalking int(10) NULL"
            << "CallID,ActionID"
            << "MyISAM";
        QTest::newRow("rep_ivr_call_out")
            << "rep_ivr_call_out"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, HostLine int(10) NULL, "
               "CallerNum varchar(64) NULL, CalleeNum varchar(64) NULL, TimeRingBack datetime NULL, "
               "IsCallOutSucceed tinyint(4) NULL, TimeConnected datetime NULL, TimeHangUp datetime NULL, "
               "PeriodTalking int(10) NULL"
            << "CallID,ActionID"
            << "MyISAM";
        QTest::newRow("rep_fax")
            << "rep_fax"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, IsAuto tinyint(4) "
               "NULL, RcvOrSend tinyint(4) NULL, TimeFaxBegin datetime NULL, CallerAgentID "
               "int(10) NULL, CallerNum varchar(64) NULL, CalleeAgentID int(10) NULL, "
               "CalleeNum varchar(64) NULL, IsSucceed tinyint(4) NULL, PeriodFax int(10) NULL, "
               "FaxFileName varchar(512) NULL"
            << "CallID,ActionID"
            << "MyISAM";
        // Declared CallId, named CallID in the key: one column.
        QTest::newRow("rep_transfer")
            << "rep_transfer"
            << "CallId bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, PeerLineType tinyint(4) NULL, "
               "CallerAgentID int(10) NULL, CallerNum varchar(64) NULL, CalleeAgentID int(10) NULL, "
               "CalleeNum varchar(64) NULL, TimeBeginTransfer datetime NULL, IsTransferSucceed tinyint(4) "
               "NULL, "
               "TimeConnected datetime NULL, TimeTransferSucceed datetime NULL, TimeEndTransfer datetime NULL"
            << "CallId,ActionID"
            << "MyISAM";
        QTest::newRow("rep_conference")
            << "rep_conference"
            << "CallID bigint(20) NOT NULL, ActionID tinyint(4) NOT NULL, PeerLineType tinyint(4) NULL, "
               "CallerAgentID int(10) NULL, CallerNum varchar(64) NULL, CalleeAgentID int(10) NULL, "
               "CalleeNum varchar(64) NULL, TimeConference datetime NULL, IsConferenceSucceed tinyint(4) "
               "NULL, "
               "TimeConnected datetime NULL, TimeConferenceEnd datetime NULL"
            << "CallID,ActionID"
            << "MyISAM";
        QTest::newRow("rep_agent_state")
            << "rep_agent_state"
            << "AgentId int(10) NOT NULL, LoginId bigint(20) NOT NULL, State int(10) NULL, OccurTime "
               "datetime "
               "NULL, Duration bigint(20) NULL, ReposeType int(10) NULL, CallId bigint(20) NULL"
            << ""
            << "MyISAM";
        QTest::newRow("rep_agent_detail")
            << "rep_agent_detail"
            << "AgentId int(10) NOT NULL, LoginId bigint(20) NOT NULL, ExtId int(10) NULL, AgentIP "
               "varchar(20) "
               "NULL, GroupId varchar(64) NULL, AgentType int(10) NULL, TimeLogin datetime NULL, TimeLogout "
               "datetime NULL, LogoutHost int(10) NULL, LogoutType int(10) NULL, LoginTimes int(10) NULL, "
               "FreeTimes int(10) NULL, ReposeTimes int(10) NULL, TalkTimes int(10) NULL, ReposeNum int(10) "
               "NULL, "
               "AnswerNum int(10) NULL, AnswerNumExt int(20) NULL, AnswerNumTrunk int(20) NULL, CallInNumExt "
               "int(20) NULL, CallInNumTrunk int(20) NULL, CallInTimesTotalExt int(20) NULL, "
               "CallInTimesTotalTrunk int(20) NULL, CallOutNumExt int(20) NULL, CallOutNumTrunk int(20) "
               "NULL, "
               "CallOutTimesTotalExt int(20) NULL, CallOutTimesTotalTrunk int(20) NULL, CallOutOkNumExt "
               "int(20) "
               "NULL, CallOutOkNumTrunk int(20) NULL, OverWorkTimesTotal int(20) NULL, TimeAlertingTotal "
               "int(20) "
               "NULL, TransferNum int(20) NULL, BeTransferNum int(20) NULL, ConferenceNum int(20) NULL, "
               "BeConferenceNum int(20) NULL, OverAlertingNum int(20) NULL"
            << "AgentId,LoginId"
            << "InnoDB";
    }

    void createdTables()
    {
        QFETCH(QString, table);
        QFETCH(QString, columns);
        QFETCH(QString, key);
        QFETCH(QString, engine);
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        const std::string name = table.toStdString();
        QCOMPARE(List(SchemaInfo::Columns(name)), columns.split(QStringLiteral(", ")));
        QCOMPARE(QString::fromStdString(SchemaInfo::PrimaryKey(name)), key);
        QCOMPARE(QString::fromStdString(SchemaInfo::EngineAndCharset(name)),
                 engine + QStringLiteral("|utf8mb3"));
        if (name == "stat_callid")
            QCOMPARE(List(TestDatabase::Rows("SELECT id, name, value FROM stat_callid", 3)),
                     QStringList{QStringLiteral("1|callid|0")});
        else
            QCOMPARE(SchemaInfo::RowCount(name), std::string("0"));
    }

    void createReplacesExistingTables()
    {
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        QVERIFY(SchemaInfo::MarkAll(kTables, "old"));
        QVERIFY(TestDatabase::Run(
            {"UPDATE stat_callid SET value = 4711", "INSERT INTO stat_callid VALUES (2, 'x', 1)",
             "INSERT INTO rep_host (CallID, ActionID) VALUES (1, 1)", AgentRow(7, 100, 1, 1)}));

        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        for (const std::string& table : kTables)
            QCOMPARE(SchemaInfo::Comment(table), std::string());
        QCOMPARE(List(TestDatabase::Rows("SELECT id, name, value FROM stat_callid", 3)),
                 QStringList{QStringLiteral("1|callid|0")});
        QCOMPARE(SchemaInfo::RowCount("rep_host"), std::string("0"));
        QCOMPARE(SchemaInfo::RowCount("rep_agent_detail"), std::string("0"));
    }

    void failingCreateStopsThere_data()
    {
        QTest::addColumn<int>("blocked");
        QTest::newRow("counter table") << 0;
        QTest::newRow("rep_ext_call_in") << 3;
        QTest::newRow("last table") << 10;
    }

    // DROP TABLE does not remove a view, so a view of the table's name makes its CREATE fail.
    void failingCreateStopsThere()
    {
        QFETCH(int, blocked);
        const std::string blocker = kTables[static_cast<std::size_t>(blocked)];
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        QVERIFY(SchemaInfo::MarkAll(kTables, "before"));
        QVERIFY(TestDatabase::Run({"DROP TABLE " + blocker, "CREATE VIEW " + blocker + " AS SELECT 1 AS x"}));

        QVERIFY(!CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        const std::string stopped =
            SchemaInfo::StoppedAt(kTables, static_cast<std::size_t>(blocked), "before");
        QVERIFY2(stopped.empty(), stopped.c_str());
        QVERIFY(TestDatabase::Run({"DROP VIEW " + blocker}));
    }

    void mySqlStatementSequence_data()
    {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<int>("lastTable");
        QTest::addColumn<bool>("seeded");
        QTest::addColumn<bool>("result");
        QTest::newRow("nothing refused") << QString() << 10 << true << true;
        QTest::newRow("every DROP refused") << "DROP TABLE " << 10 << true << true;
        QTest::newRow("counter CREATE refused") << "CREATE TABLE stat_callid " << 0 << false << false;
        QTest::newRow("seed row refused") << "INSERT INTO stat_callid " << 0 << true << false;
        QTest::newRow("rep_ext_call_out refused") << "CREATE TABLE rep_ext_call_out(" << 4 << true << false;
        QTest::newRow("last CREATE refused") << "CREATE TABLE rep_agent_detail " << 10 << true << false;
    }

    void mySqlStatementSequence()
    {
        QFETCH(QString, refused);
        QFETCH(int, lastTable);
        QFETCH(bool, seeded);
        QFETCH(bool, result);
        RecordingConnection connection(DbTypeMySql);
        const std::string prefix = refused.toStdString();
        if (!prefix.empty())
            connection.FailWhen([prefix](const std::string& sql) { return sql.rfind(prefix, 0) == 0; },
                                "refused");

        QCOMPARE(CStatSchema::CreateStatTables(connection), result);
        QStringList expected;
        for (int index = 0; index <= lastTable; ++index) {
            const auto table = static_cast<std::size_t>(index);
            expected << QString::fromStdString("ExecuteSqlNoCheck: DROP TABLE " + kTables[table]);
            expected << QString::fromStdString("ExecuteSql: " + kCreates[table]);
            if (index == 0 && seeded)
                expected << QStringLiteral("ExecuteInsert: ") + QString::fromLatin1(kSeedRow);
        }
        QCOMPARE(Calls(connection), expected);
    }

    void sqlServerStatementSequence_data()
    {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<bool>("result");
        QTest::newRow("tables there") << QString() << true;
        QTest::newRow("every truncate refused") << "truncate" << true;
        QTest::newRow("seed row refused") << "INSERT" << false;
    }

    void sqlServerStatementSequence()
    {
        QFETCH(QString, refused);
        QFETCH(bool, result);
        RecordingConnection connection(DbTypeSqlServer);
        const std::string prefix = refused.toStdString();
        if (!prefix.empty())
            connection.FailWhen([prefix](const std::string& sql) { return sql.rfind(prefix, 0) == 0; },
                                "Invalid object name 'stat_callid'.");

        QCOMPARE(CStatSchema::ClearStatTables(connection), result);
        QStringList expected{QStringLiteral("ExecuteSql: truncate table stat_callid"),
                             QStringLiteral("ExecuteInsert: ") + QString::fromLatin1(kSeedRow)};
        if (result) {
            for (std::size_t index = 1; index < kTables.size(); ++index)
                expected << QString::fromStdString("ExecuteSql: truncate table " + kTables[index]);
        }
        QCOMPARE(Calls(connection), expected);
    }

    void procedureScriptSentWhole_data()
    {
        QTest::addColumn<bool>("mySql");
        QTest::addColumn<QString>("file");
        QTest::newRow("SQL Server") << false << "proc_DataAnalysis_sqlserver.sql";
        QTest::newRow("MySQL") << true << "proc_DataAnalysis_mysql.sql";
    }

    void procedureScriptSentWhole()
    {
        QFETCH(bool, mySql);
        QFETCH(QString, file);
        const QByteArray source = SourceFile(qPrintable(file));
        QVERIFY(!source.isEmpty());
        RecordingConnection connection(mySql ? DbTypeMySql : DbTypeSqlServer);
        std::string error;
        QVERIFY2(mySql ? CStatSchema::CreateStatProcMySql(connection, error)
                       : CStatSchema::CreateStatProcSqlServer(connection, error),
                 error.c_str());
        QCOMPARE(connection.Calls().size(), std::size_t(1));
        QCOMPARE(connection.Calls().front().operation, std::string("ExecuteSql"));
        QCOMPARE(connection.Calls().front().sql, source.toStdString());
    }

    void scriptFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("head");
        QTest::addColumn<bool>("ascii");
        QTest::newRow("MySQL")
            << "proc_DataAnalysis_mysql.sql"
            << "CREATE DEFINER=`root`@`%` PROCEDURE `proc_DataAnalysis`(nAgentID int,nLogInID "
               "int,BeginTime datetime,EndTime datetime)\r\nBEGIN\r\n"
            << true;
        QTest::newRow("SQL Server") << "proc_DataAnalysis_sqlserver.sql"
                                    << "create procedure [dbo].[proc_DataAnalysis]\r\n"
                                    << false;
    }

    void scriptFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, head);
        QFETCH(bool, ascii);
        const QByteArray bytes = SourceFile(qPrintable(file));
        QVERIFY(bytes.startsWith(head.toUtf8()));
        QVERIFY(!bytes.contains('\0'));
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            if (bytes[at] == '\n')
                QVERIFY2(at > 0 && bytes[at - 1] == '\r',
                         qPrintable(QStringLiteral("bare LF at %1").arg(at)));
            if (bytes[at] == '\r')
                QVERIFY2(at + 1 < bytes.size() && bytes[at + 1] == '\n',
                         qPrintable(QStringLiteral("bare CR at %1").arg(at)));
            if (ascii)
                QVERIFY2(static_cast<unsigned char>(bytes[at]) < 0x80,
                         qPrintable(QStringLiteral("byte %1").arg(at)));
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        QVERIFY(!utf8.hasError());
        QVERIFY(!text.startsWith(QChar(0xFEFF)));
    }

    // The T-SQL script cannot run here; what makes it T-SQL of this database is checked on its text.
    void sqlServerScriptForm()
    {
        const QString text = QString::fromUtf8(SourceFile("proc_DataAnalysis_sqlserver.sql"));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        int declared = 0;
        for (const QString& line : lines) {
            const QString code = line.section(QStringLiteral("--"), 0, 0);
            QVERIFY2(!code.contains(QLatin1Char(';')), qPrintable(line));
            const QString trimmed = code.trimmed();
            if (trimmed.startsWith(QStringLiteral("from ")) || trimmed.startsWith(QStringLiteral("update ")))
                QVERIFY2(trimmed.section(QLatin1Char(' '), 1, 1).startsWith(QStringLiteral("dbo.rep_")),
                         qPrintable(line));
            if (trimmed.startsWith(QStringLiteral("declare "))) {
                ++declared;
                QVERIFY2(trimmed.endsWith(QStringLiteral(" bigint")), qPrintable(line));
                const QString comment = line.section(QStringLiteral("--"), 1);
                QVERIFY2(std::any_of(comment.begin(), comment.end(),
                                     [](QChar c) { return c.script() == QChar::Script_Han; }),
                         qPrintable(line));
            }
        }
        // Nineteen figures and their sum.
        QCOMPARE(declared, 20);
    }

    void missingScript_data()
    {
        QTest::addColumn<bool>("mySql");
        QTest::addColumn<QString>("message");
        QTest::newRow("SQL Server") << false << "查找SQL Server版本的统计表存储过程资源文件失败！";
        QTest::newRow("MySQL") << true << "查找MySQL版本的统计表存储过程资源文件失败！";
    }

    void missingScript()
    {
        QFETCH(bool, mySql);
        QFETCH(QString, message);
        CStatSchema::ProcScript script = mySql ? CStatSchema::MySqlProc : CStatSchema::SqlServerProc;
        QVERIFY(QFile::exists(QString::fromUtf8(script.resourcePath)));
        script.resourcePath = ":/sql/no_such_script.sql";
        RecordingConnection connection(mySql ? DbTypeMySql : DbTypeSqlServer);

        std::string error;
        QVERIFY(!CStatSchema::CreateStatProc(connection, script, error));
        QVERIFY(connection.Calls().empty());
        QCOMPARE(QString::fromStdString(error), message);
    }

    void refusedScript_data()
    {
        QTest::addColumn<bool>("mySql");
        QTest::addColumn<QString>("errorText");
        QTest::addColumn<QString>("message");
        QTest::newRow("SQL Server")
            << false << "There is already an object named 'proc_DataAnalysis'."
            << "创建SQL Server统计表存储过程出错：\r\nThere is already an object named "
               "'proc_DataAnalysis'.";
        QTest::newRow("SQL Server, no text") << false << ""
                                             << "创建SQL Server统计表存储过程出错：\r\n";
        QTest::newRow("MySQL")
            << true << "PROCEDURE proc_DataAnalysis already exists"
            << "创建MySQL统计表存储过程出错：\r\nPROCEDURE proc_DataAnalysis already exists";
        QTest::newRow("MySQL, no text") << true << ""
                                        << "创建MySQL统计表存储过程出错：\r\n";
    }

    void refusedScript()
    {
        QFETCH(bool, mySql);
        QFETCH(QString, errorText);
        QFETCH(QString, message);
        RecordingConnection connection(mySql ? DbTypeMySql : DbTypeSqlServer);
        connection.FailWhen([](const std::string&) { return true; }, errorText.toStdString());

        std::string error;
        QVERIFY(!(mySql ? CStatSchema::CreateStatProcMySql(connection, error)
                        : CStatSchema::CreateStatProcSqlServer(connection, error)));
        QCOMPARE(QString::fromStdString(error), message);
    }

    // Each text goes to the server whole: the procedure's body with its semicolons must come
    // out as one procedure, and the last CREATE TABLE with its closing semicolon as one table.
    void mySqlStatementsSentWhole()
    {
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(TestDatabase::Run({"DROP PROCEDURE IF EXISTS proc_DataAnalysis"}));
        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        QCOMPARE(SchemaInfo::EngineAndCharset("rep_agent_detail"), std::string("InnoDB|utf8mb3"));
        std::string error;
        QVERIFY2(CStatSchema::CreateStatProcMySql(*IOtlConnection::getInstance(), error), error.c_str());
        const QByteArray script = SourceFile("proc_DataAnalysis_mysql.sql");
        const std::string body = script.mid(script.indexOf("BEGIN")).trimmed().toStdString();
        IOtlConnection* db = IOtlConnection::getInstance();
        QCOMPARE(db->QueryValue(
                     "SELECT ROUTINE_DEFINITION FROM information_schema.ROUTINES WHERE ROUTINE_SCHEMA = "
                     "DATABASE() AND ROUTINE_NAME = 'proc_DataAnalysis'"),
                 body);
        QCOMPARE(
            db->QueryValue("SELECT CONCAT(DEFINER, ' ', ROUTINE_TYPE) FROM information_schema.ROUTINES WHERE "
                           "ROUTINE_SCHEMA = DATABASE() AND ROUTINE_NAME = 'proc_DataAnalysis'"),
            std::string("root@% PROCEDURE"));
        QCOMPARE(
            db->QueryValue("SELECT GROUP_CONCAT(CONCAT(PARAMETER_NAME, ' ', DTD_IDENTIFIER) ORDER BY "
                           "ORDINAL_POSITION) FROM information_schema.PARAMETERS WHERE SPECIFIC_SCHEMA = "
                           "DATABASE() AND SPECIFIC_NAME = 'proc_DataAnalysis'"),
            std::string("nAgentID int(11),nLogInID int(11),BeginTime datetime,EndTime datetime"));
    }

    void procedureSumsUpOneLogin()
    {
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        QVERIFY(TestDatabase::Run({"DROP PROCEDURE IF EXISTS proc_DataAnalysis"}));
        std::string error;
        QVERIFY2(CStatSchema::CreateStatProcMySql(*IOtlConnection::getInstance(), error), error.c_str());
        QVERIFY(TestDatabase::Run({
            AgentRow(7, 100, 28800, 600),
            AgentRow(7, 101, 100, 0),
            AgentRow(8, 100, 100, 0),
            "UPDATE rep_agent_detail SET FreeTimes = -5 WHERE NOT (AgentId = 7 AND LoginId = 100)",
            // Calls to agent 7: CallType 1 is a trunk call, anything else internal.
            "INSERT INTO rep_ext_call_in (CallID, ActionID, CallType, CalleeAgentID, PeriodAlerting, "
            "IsAnswer, "
            "TimeAlerting, TimeHangUp, PeriodTalking) VALUES "
            "(1, 1, 0, 7, 10, 1, '2024-03-01 08:59:00', '2024-03-01 09:00:00', 60), "
            "(2, 1, 2, 7, 11, 0, '2024-03-01 09:09:00', '2024-03-01 09:10:00', NULL), "
            "(3, 1, 1, 7, 5, 1, '2024-03-01 09:59:00', '2024-03-01 10:00:00', 120), "
            "(4, 1, 1, 7, 12, 1, '2024-03-01 07:59:00', '2024-03-01 18:00:00', 30), "
            "(5, 1, 1, 7, 3, 0, '2024-03-01 07:59:57', '2024-03-01 08:00:00', NULL), "
            "(6, 1, 0, 7, 20, 1, '2024-03-01 17:59:00', '2024-03-01 18:00:01', 500), "
            "(7, 1, 0, 8, 30, 1, '2024-03-01 11:59:00', '2024-03-01 12:00:00', 1000)",
            // Calls by agent 7: PeerLineType 0 to an extension, 1 to a trunk.
            "INSERT INTO rep_ext_call_out (CallID, ActionID, PeerLineType, CallerAgentID, CalleeAgentID, "
            "IsCallOutSucceed, TimeHangUp, PeriodTalking) VALUES "
            "(11, 1, 0, 7, 8, 1, '2024-03-01 11:00:00', 40), "
            "(12, 1, 0, 7, 8, 0, '2024-03-01 11:05:00', NULL), "
            "(13, 1, 1, 7, NULL, 1, '2024-03-01 12:00:00', 200), "
            "(14, 1, 1, 7, NULL, 1, '2024-03-01 12:30:00', 100), "
            "(15, 1, 1, 7, NULL, 0, '2024-03-01 12:40:00', 0), "
            "(16, 1, 1, 7, NULL, 1, '2024-03-01 07:59:59', 900), "
            "(17, 1, 0, 8, 7, 1, '2024-03-01 13:00:00', 777)",
            "INSERT INTO rep_agent_state (AgentId, LoginId, State, OccurTime, Duration) VALUES "
            "(7, 100, 4, '2024-03-01 09:30:00', 25), (7, 100, 4, '2024-02-28 09:30:00', 35), "
            "(7, 100, 4, NULL, 5), (7, 100, 3, '2024-03-01 10:30:00', 1000), "
            "(7, 101, 4, '2024-03-01 10:30:00', 500), (8, 100, 4, '2024-03-01 10:30:00', 400)",
            "INSERT INTO rep_transfer (CallId, ActionID, CallerAgentID, CalleeAgentID, TimeBeginTransfer) "
            "VALUES "
            "(21, 1, 7, 8, '2024-03-01 08:00:00'), (22, 1, 7, 9, '2024-03-01 14:00:00'), "
            "(23, 1, 7, 8, '2024-03-01 18:30:00'), (24, 1, 8, 7, '2024-03-01 15:00:00'), "
            "(25, 1, 8, 9, '2024-03-01 15:00:00')",
            "INSERT INTO rep_conference (CallID, ActionID, CallerAgentID, CalleeAgentID, TimeConference) "
            "VALUES "
            "(31, 1, 7, 8, '2024-03-01 16:00:00'), (32, 1, 8, 7, '2024-03-01 16:10:00'), "
            "(33, 1, 9, 7, '2024-03-01 18:00:00'), (34, 1, 8, 7, '2024-02-29 16:00:00')",
        }));
        const std::string keptBefore = Kept(7, 100);

        QVERIFY(TestDatabase::Run({Call(7, 100)}));
        // In the order of kWritten. Talk time 60 + 150 + 40 + 300 = 550; free time
        // 28800 - 550 - 600 (busy) - 65 (after-call work) = 27585.
        QCOMPARE(Figures(7, 100), std::string("27585|550|1|2|2|3|60|150|2|3|40|300|1|2|65|41|2|1|1|2|2"));
        QCOMPARE(Kept(7, 100), keptBefore);
        QCOMPARE(Figures(7, 101), std::string(kUntouchedFigures));
        QCOMPARE(Figures(8, 100), std::string(kUntouchedFigures));
    }

    void procedureEdges_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("expected");
        const QString answeredCall = QStringLiteral("INSERT INTO rep_ext_call_in (CallID, ActionID, "
                                                    "CallType, CalleeAgentID, PeriodAlerting, IsAnswer, "
                                                    "TimeAlerting, TimeHangUp, PeriodTalking) VALUES (1, 1, "
                                                    "%1, 9, %2, 1, '2024-03-01 09:00:00', '%3', %4)");
        const QString afterCallWork = QStringLiteral("INSERT INTO rep_agent_state (AgentId, LoginId, State, "
                                                     "OccurTime, Duration) VALUES (9, %1, %2, %3, %4)");

        QTest::newRow("nothing to count")
            << QStringList()
            << QStringList{
                   QStringLiteral("FreeTimes=900"),          QStringLiteral("TalkTimes=0"),
                   QStringLiteral("AnswerNumExt=0"),         QStringLiteral("AnswerNumTrunk=0"),
                   QStringLiteral("CallInNumExt=0"),         QStringLiteral("CallInNumTrunk=0"),
                   QStringLiteral("CallInTimesTotalExt=0"),  QStringLiteral("CallInTimesTotalTrunk=0"),
                   QStringLiteral("CallOutNumExt=0"),        QStringLiteral("CallOutNumTrunk=0"),
                   QStringLiteral("CallOutTimesTotalExt=0"), QStringLiteral("CallOutTimesTotalTrunk=0"),
                   QStringLiteral("CallOutOkNumExt=0"),      QStringLiteral("CallOutOkNumTrunk=0"),
                   QStringLiteral("OverWorkTimesTotal=0"),   QStringLiteral("TimeAlertingTotal=0"),
                   QStringLiteral("TransferNum=0"),          QStringLiteral("BeTransferNum=0"),
                   QStringLiteral("ConferenceNum=0"),        QStringLiteral("BeConferenceNum=0"),
                   QStringLiteral("OverAlertingNum=0")};
        QTest::newRow("only NULL durations")
            << QStringList{answeredCall.arg(QStringLiteral("0"), QStringLiteral("NULL"),
                                            QStringLiteral("2024-03-01 09:01:00"), QStringLiteral("NULL")),
                           QStringLiteral(
                               "INSERT INTO rep_ext_call_out (CallID, ActionID, PeerLineType, "
                               "CallerAgentID, IsCallOutSucceed, TimeHangUp, PeriodTalking) VALUES "
                               "(2, 1, 1, 9, 1, '2024-03-01 10:00:00', NULL)"),
                           afterCallWork.arg(QStringLiteral("200"), QStringLiteral("4"),
                                             QStringLiteral("'2024-03-01 10:00:00'"), QStringLiteral("NULL"))}
            << QStringList{QStringLiteral("AnswerNumExt=1"),      QStringLiteral("CallInTimesTotalExt=0"),
                           QStringLiteral("CallOutOkNumTrunk=1"), QStringLiteral("CallOutTimesTotalTrunk=0"),
                           QStringLiteral("TimeAlertingTotal=0"), QStringLiteral("OverWorkTimesTotal=0"),
                           QStringLiteral("TalkTimes=0"),         QStringLiteral("FreeTimes=900")};
        QTest::newRow("rang 10 seconds")
            << QStringList{answeredCall.arg(QStringLiteral("0"), QStringLiteral("10"),
                                            QStringLiteral("2024-03-01 09:01:00"), QStringLiteral("5"))}
            << QStringList{QStringLiteral("OverAlertingNum=0"), QStringLiteral("TimeAlertingTotal=10")};
        QTest::newRow("rang 11 seconds")
            << QStringList{answeredCall.arg(QStringLiteral("1"), QStringLiteral("11"),
                                            QStringLiteral("2024-03-01 09:01:00"), QStringLiteral("5"))}
            << QStringList{QStringLiteral("OverAlertingNum=1"), QStringLiteral("TimeAlertingTotal=11")};
        QTest::newRow("hung up as the window opens")
            << QStringList{answeredCall.arg(QStringLiteral("0"), QStringLiteral("11"),
                                            QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("5"))}
            << QStringList{QStringLiteral("AnswerNumExt=1"), QStringLiteral("OverAlertingNum=1")};
        QTest::newRow("hung up as the window closes")
            << QStringList{answeredCall.arg(QStringLiteral("1"), QStringLiteral("11"),
                                            QStringLiteral("2024-03-01 18:00:00"), QStringLiteral("5"))}
            << QStringList{QStringLiteral("AnswerNumTrunk=1"), QStringLiteral("OverAlertingNum=1")};
        QTest::newRow("hung up a second late")
            << QStringList{answeredCall.arg(QStringLiteral("1"), QStringLiteral("11"),
                                            QStringLiteral("2024-03-01 18:00:01"), QStringLiteral("5"))}
            << QStringList{QStringLiteral("AnswerNumTrunk=0"), QStringLiteral("CallInNumTrunk=0"),
                           QStringLiteral("OverAlertingNum=0"), QStringLiteral("TalkTimes=0")};
        QTest::newRow("after-call work long before the window")
            << QStringList{afterCallWork.arg(QStringLiteral("200"), QStringLiteral("4"),
                                             QStringLiteral("'2023-03-01 10:00:00'"), QStringLiteral("70"))}
            << QStringList{QStringLiteral("OverWorkTimesTotal=70"), QStringLiteral("FreeTimes=830")};
        QTest::newRow("after-call work without a time")
            << QStringList{afterCallWork.arg(QStringLiteral("200"), QStringLiteral("4"),
                                             QStringLiteral("NULL"), QStringLiteral("70"))}
            << QStringList{QStringLiteral("OverWorkTimesTotal=70")};
        QTest::newRow("after-call work of another login")
            << QStringList{afterCallWork.arg(QStringLiteral("201"), QStringLiteral("4"),
                                             QStringLiteral("'2024-03-01 10:00:00'"), QStringLiteral("70"))}
            << QStringList{QStringLiteral("OverWorkTimesTotal=0"), QStringLiteral("FreeTimes=900")};
        QTest::newRow("another state")
            << QStringList{afterCallWork.arg(QStringLiteral("200"), QStringLiteral("3"),
                                             QStringLiteral("'2024-03-01 10:00:00'"), QStringLiteral("70"))}
            << QStringList{QStringLiteral("OverWorkTimesTotal=0")};
        QTest::newRow("free time just above zero")
            << QStringList{answeredCall.arg(QStringLiteral("1"), QStringLiteral("3"),
                                            QStringLiteral("2024-03-01 09:01:00"), QStringLiteral("899"))}
            << QStringList{QStringLiteral("TalkTimes=899"), QStringLiteral("FreeTimes=1")};
        QTest::newRow("negative free time")
            << QStringList{answeredCall.arg(QStringLiteral("1"), QStringLiteral("3"),
                                            QStringLiteral("2024-03-01 09:01:00"), QStringLiteral("1200"))}
            << QStringList{QStringLiteral("TalkTimes=1200"), QStringLiteral("FreeTimes=0")};
        QTest::newRow("negative free time from after-call work")
            << QStringList{afterCallWork.arg(QStringLiteral("200"), QStringLiteral("4"),
                                             QStringLiteral("'2024-03-01 10:00:00'"), QStringLiteral("950"))}
            << QStringList{QStringLiteral("OverWorkTimesTotal=950"), QStringLiteral("FreeTimes=0")};
    }

    // Agent 9, login 200: logged in 1000 seconds, busy 100, window 08:00:00 to 18:00:00.
    void procedureEdges()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, expected);
        QVERIFY(CStatSchema::CreateStatTables(*IOtlConnection::getInstance()));
        QVERIFY(TestDatabase::Run({"DROP PROCEDURE IF EXISTS proc_DataAnalysis"}));
        std::string error;
        QVERIFY2(CStatSchema::CreateStatProcMySql(*IOtlConnection::getInstance(), error), error.c_str());
        std::vector<std::string> statements{AgentRow(9, 200, 1000, 100)};
        for (const QString& row : rows)
            statements.push_back(row.toStdString());
        QVERIFY(TestDatabase::Run(statements));

        QVERIFY(TestDatabase::Run({Call(9, 200)}));
        const QStringList names = QString::fromLatin1(kWritten).split(QStringLiteral(", "));
        const QStringList values = QString::fromStdString(Figures(9, 200)).split(QLatin1Char('|'));
        QCOMPARE(values.size(), names.size());
        for (const QString& item : expected) {
            const QString name = item.section(QLatin1Char('='), 0, 0);
            QVERIFY2(names.contains(name), qPrintable(name));
            QCOMPARE(name + QLatin1Char('=') + values[names.indexOf(name)], item);
        }
    }
};

QTEST_GUILESS_MAIN(TestStatSchema)
#include "tst_statschema.moc"
