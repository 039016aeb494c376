#include "db/CStatSchema.h"

#include "db/IOtlConnection.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace {

const char* const kSeedRow = "INSERT INTO stat_callid values (1, 'callid', 0)";

const char* const kTruncateCounter = "truncate table stat_callid";
const char* const kDropCounter = "DROP TABLE stat_callid";
const char* const kCreateCounter =
    "CREATE TABLE stat_callid (id int(10) NOT NULL,name varchar(30) NULL,value bigint "
    "NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8";

struct ReportTable
{
    const char* truncate;
    const char* drop;
    const char* create;
};

// In the order the tables are set up.
const ReportTable kReportTables[] = {
    {"truncate table rep_host", "DROP TABLE rep_host",
     "CREATE TABLE rep_host(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallTypeOpType tinyint "
     "NULL,HostLine "
     "int(10) NULL,CallerNum varchar(64) NULL,CalleeNum varchar(64) NULL,TimeConnected datetime "
     "NULL,TimeHangUp "
     "datetime NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_trunk_call_in", "DROP TABLE rep_trunk_call_in",
     "CREATE TABLE rep_trunk_call_in(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallerNum varchar(64) "
     "NULL,CalleeNum varchar(64) NULL,TimeCallIn datetime NULL,IsLeaveMsg tinyint NULL,MsgFileName "
     "varchar(512) "
     "NULL,IsWantAgent tinyint NULL,TimeWantAgent datetime NULL,IsWantAgentSucceed tinyint "
     "NULL,PeriodWantAgent "
     "int(10) NULL,TimeTurnAgent datetime NULL,IsTurnAgentSucceed tinyint NULL,AgentID int(10) NULL,"
     "PeriodTurnAgent int(10) NULL,TimeConnected datetime NULL,FinalAgentID int(10) NULL,FinaleAgentNum "
     "varchar(64) NULL,RecFileName varchar(512) NULL,TimeHangUp datetime NULL,PeriodTalking int(10) "
     "NULL,IsSuccess int(10) DEFAULT NULL,FailType int(10) DEFAULT NULL,PRIMARY KEY (CallID, ActionID)) "
     "ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_ext_call_in", "DROP TABLE rep_ext_call_in",
     "CREATE TABLE rep_ext_call_in(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallType tinyint "
     "NULL,PeerLineType tinyint NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID "
     "int(10) "
     "NULL,CalleeNum varchar(64) NULL,TimeAlerting datetime NULL,PeriodAlerting int(10) NULL,IsAnswer "
     "tinyint "
     "NULL,TimeAnswer datetime NULL,RecFileName varchar(512) NULL,TimeHangUp datetime NULL,PeriodTalking "
     "int(10) "
     "NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_ext_call_out", "DROP TABLE rep_ext_call_out",
     "CREATE TABLE rep_ext_call_out(CallID bigint NOT NULL,ActionID tinyint NOT NULL,CallType tinyint "
     "NULL,PeerLineType tinyint NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID "
     "int(10) "
     "NULL,CalleeNum varchar(64) NULL,TimeRingBack datetime NULL,IsCallOutSucceed tinyint NULL,TimeConnected "
     "datetime NULL,FinalAgentId int(10) NULL,FinalAgentNum varchar(64) NULL,RecFileName varchar(512) "
     "NULL,TimeHangUp datetime NULL,PeriodTalking int(10) NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM "
     "DEFAULT CHARSET=utf8"},
    {"truncate table rep_ivr_call_out", "DROP TABLE rep_ivr_call_out",
     "CREATE TABLE rep_ivr_call_out(CallID bigint NOT NULL,ActionID tinyint NOT NULL,HostLine int(10) "
     "NULL,CallerNum varchar(64) NULL,CalleeNum varchar(64) NULL,TimeRingBack datetime NULL,IsCallOutSucceed "
     "tinyint NULL,TimeConnected datetime NULL,TimeHangUp datetime NULL,PeriodTalking int(10) NULL,PRIMARY "
     "KEY "
     "(CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_fax", "DROP TABLE rep_fax",
     "CREATE TABLE rep_fax(CallID bigint NOT NULL,ActionID tinyint NOT NULL,IsAuto tinyint NULL,RcvOrSend "
     "tinyint "
     "NULL,TimeFaxBegin datetime NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID "
     "int(10) NULL,CalleeNum varchar(64) NULL,IsSucceed tinyint NULL,PeriodFax int(10) NULL,FaxFileName "
     "varchar(512) NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_transfer", "DROP TABLE rep_transfer",
     "CREATE TABLE rep_transfer(CallId bigint NOT NULL,ActionID tinyint NOT NULL,PeerLineType tinyint "
     "NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID int(10) NULL,CalleeNum "
     "varchar(64) "
     "NULL,TimeBeginTransfer datetime NULL,IsTransferSucceed tinyint NULL,TimeConnected datetime "
     "NULL,TimeTransferSucceed datetime NULL,TimeEndTransfer datetime NULL,PRIMARY KEY (CallID, ActionID)) "
     "ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_conference", "DROP TABLE rep_conference",
     "CREATE TABLE rep_conference(CallID bigint NOT NULL,ActionID tinyint NOT NULL,PeerLineType tinyint "
     "NULL,CallerAgentID int(10) NULL,CallerNum varchar(64) NULL,CalleeAgentID int(10) NULL,CalleeNum "
     "varchar(64) "
     "NULL,TimeConference datetime NULL,IsConferenceSucceed tinyint NULL,TimeConnected datetime "
     "NULL,TimeConferenceEnd datetime NULL,PRIMARY KEY (CallID, ActionID)) ENGINE=MyISAM DEFAULT "
     "CHARSET=utf8"},
    {"truncate table rep_agent_state", "DROP TABLE rep_agent_state",
     "CREATE TABLE rep_agent_state(AgentId int(10) NOT NULL,LoginId bigint NOT NULL,State int(10) "
     "NULL,OccurTime "
     "datetime NULL,Duration bigint NULL,ReposeType int(10) DEFAULT NULL,CallId bigint(20) DEFAULT NULL) "
     "ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table rep_agent_detail", "DROP TABLE rep_agent_detail",
     "CREATE TABLE rep_agent_detail (AgentId int(10) NOT NULL,LoginId bigint(20) NOT NULL,ExtId int(10) "
     "DEFAULT "
     "NULL,AgentIP varchar(20) DEFAULT NULL,GroupId varchar(64) DEFAULT NULL,AgentType int(10) DEFAULT "
     "NULL,TimeLogin datetime DEFAULT NULL,TimeLogout datetime DEFAULT NULL,LogoutHost int(10) DEFAULT "
     "NULL,LogoutType int(10) DEFAULT NULL,LoginTimes int(10) DEFAULT NULL,FreeTimes int(10) DEFAULT "
     "NULL,ReposeTimes int(10) DEFAULT NULL,TalkTimes int(10) DEFAULT NULL,ReposeNum int(10) DEFAULT "
     "NULL,AnswerNum int(10) DEFAULT NULL,AnswerNumExt int(20) DEFAULT NULL,AnswerNumTrunk int(20) DEFAULT "
     "NULL,CallInNumExt int(20) DEFAULT NULL,CallInNumTrunk int(20) DEFAULT NULL,CallInTimesTotalExt int(20) "
     "DEFAULT NULL,CallInTimesTotalTrunk int(20) DEFAULT NULL,CallOutNumExt int(20) DEFAULT "
     "NULL,CallOutNumTrunk "
     "int(20) DEFAULT NULL,CallOutTimesTotalExt int(20) DEFAULT NULL,CallOutTimesTotalTrunk int(20) DEFAULT "
     "NULL,CallOutOkNumExt int(20) DEFAULT NULL,CallOutOkNumTrunk int(20) DEFAULT NULL,OverWorkTimesTotal "
     "int(20) DEFAULT NULL,TimeAlertingTotal int(20) DEFAULT NULL,TransferNum int(20) DEFAULT "
     "NULL,BeTransferNum "
     "int(20) DEFAULT NULL,ConferenceNum int(20) DEFAULT NULL,BeConferenceNum int(20) DEFAULT "
     "NULL,OverAlertingNum int(20) DEFAULT NULL,PRIMARY KEY (AgentId,LoginId)) ENGINE=InnoDB DEFAULT "
     "CHARSET=utf8;"},
};

} // namespace

const CStatSchema::ProcScript CStatSchema::SqlServerProc = {
    ":/sql/proc_DataAnalysis_sqlserver.sql",
    "查找SQL Server版本的统计表存储过程资源文件失败！",
    "创建SQL Server统计表存储过程出错：\r\n",
};

const CStatSchema::ProcScript CStatSchema::MySqlProc = {
    ":/sql/proc_DataAnalysis_mysql.sql",
    "查找MySQL版本的统计表存储过程资源文件失败！",
    "创建MySQL统计表存储过程出错：\r\n",
};

bool CStatSchema::ClearStatTables(IOtlConnection& connection)
{
    connection.ExecuteSql(kTruncateCounter);
    // Only the seed row is checked: where even the counter cannot be seeded, the report
    // tables are left as they were.
    if (!connection.ExecuteInsert(kSeedRow))
        return false;
    for (const ReportTable& table : kReportTables)
        connection.ExecuteSql(table.truncate);
    return true;
}

bool CStatSchema::CreateStatTables(IOtlConnection& connection)
{
    connection.ExecuteSqlNoCheck(kDropCounter);
    const ServerRole role = connection.Role();
    if (!connection.ExecuteSql(role.TableCreate(kCreateCounter)) || !connection.ExecuteInsert(kSeedRow))
        return false;
    for (const ReportTable& table : kReportTables) {
        connection.ExecuteSqlNoCheck(table.drop);
        if (!connection.ExecuteSql(role.TableCreate(table.create)))
            return false;
    }
    return true;
}

bool CStatSchema::CreateStatProcSqlServer(IOtlConnection& connection, std::string& error)
{
    return CreateStatProc(connection, SqlServerProc, error);
}

bool CStatSchema::CreateStatProcMySql(IOtlConnection& connection, std::string& error)
{
    return CreateStatProc(connection, MySqlProc, error);
}

bool CStatSchema::CreateStatProc(IOtlConnection& connection, const ProcScript& script, std::string& error)
{
    QFile resource(QString::fromUtf8(script.resourcePath));
    if (!resource.open(QIODevice::ReadOnly)) {
        error = script.missingMessage;
        return false;
    }
    const QByteArray bytes = resource.readAll();
    if (connection.ExecuteSql(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return true;
    error = script.failurePrefix + connection.GetLastErrorText();
    return false;
}
