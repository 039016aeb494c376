#include "db/COdbcLogin.h"

#include "db/COdbcDataSources.h"
#include "db/COdbcStatement.h"
#include "db/ConnectAdvice.h"
#include "db/ConnectionString.h"
#include "db/DecimalText.h"
#include "db/IOtlConnection.h"
#include "db/ServerErrors.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <odbcinst.h>
#include <sqlext.h>

namespace {

// Connecting gives up after this long, so an address that does not answer cannot hold the
// program for long; a login over a slow VPN still fits well within it.
constexpr SQLULEN kLoginTimeoutSeconds = 8;
// The client library's number for a link lost while it waited for an answer.
constexpr long kLostDuringQuery = 2013;
// The connector's option flag that lets one text carry several statements.
constexpr unsigned long kMultiStatementsOption = 67108864;

// Values must never be cut or altered silently, and backslashes in literals must keep the
// meaning the statements give them, whatever the server's own defaults.
const char* const kMySqlSessionMode = "SET SESSION sql_mode = CONCAT(REPLACE(@@SESSION.sql_mode, "
                                      "'NO_BACKSLASH_ESCAPES', ''), ',STRICT_ALL_TABLES')";
const char* const kMySqlSessionQuery =
    "SELECT @@character_set_client, @@character_set_connection, @@character_set_results, @@SESSION.sql_mode";
// MariaDB also tells, in the same round trip, whether it takes writes and whether it is a
// node of a cluster, and of how many nodes in which state.
const char* const kMariaDbSessionQuery =
    "SELECT @@character_set_client, @@character_set_connection, @@character_set_results, @@SESSION.sql_mode, "
    "@@GLOBAL.read_only, @@GLOBAL.wsrep_on, (SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS "
    "WHERE "
    "VARIABLE_NAME = 'WSREP_CLUSTER_SIZE'), (SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS "
    "WHERE "
    "VARIABLE_NAME = 'WSREP_LOCAL_STATE_COMMENT')";

/// A connection handle, disconnected and freed unless released.
class CDbcHandle
{
public:
    CDbcHandle() = default;
    ~CDbcHandle()
    {
        if (m_dbc != SQL_NULL_HDBC) {
            SQLDisconnect(m_dbc);
            SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
        }
    }
    CDbcHandle(const CDbcHandle&) = delete;
    CDbcHandle& operator=(const CDbcHandle&) = delete;

    SQLHDBC Get() const { return m_dbc; }
    void Reset(SQLHDBC dbc)
    {
        CDbcHandle old;
        old.m_dbc = m_dbc;
        m_dbc = dbc;
    }
    SQLHDBC Release()
    {
        SQLHDBC dbc = m_dbc;
        m_dbc = SQL_NULL_HDBC;
        return dbc;
    }

private:
    SQLHDBC m_dbc = SQL_NULL_HDBC;
};

int DbTypeOfName(const std::string& dbmsName)
{
    if (dbmsName == "MariaDB" || dbmsName == "MySQL")
        return DbTypeMySql;
    if (dbmsName == "Microsoft SQL Server")
        return DbTypeSqlServer;
    return DbTypeOther;
}

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT info)
{
    SQLCHAR text[256] = {};
    SQLSMALLINT length = 0;
    SQLGetInfo(dbc, info, text, static_cast<SQLSMALLINT>(sizeof text), &length);
    return reinterpret_cast<const char*>(text);
}

/// A value the data source itself sets, so that ours add to it.
std::string DataSourceValue(const std::string& connectString, const char* key)
{
    const std::string dsn = ConnectStringValue(connectString, "DSN");
    if (dsn.empty())
        return {};
    char value[4096] = {};
    SQLGetPrivateProfileString(dsn.c_str(), key, "", value, static_cast<int>(sizeof value), "odbc.ini");
    return value;
}

unsigned long DataSourceOption(const std::string& connectString)
{
    return std::strtoul(DataSourceValue(connectString, "OPTION").c_str(), nullptr, 10);
}

/// The statements the driver runs right after logging in: the string's or the data
/// source's own, then the SQL mode this program needs. Empty where theirs cannot go in the
/// string, which sets the mode on its own then.
std::string InitStatements(const std::string& connectString)
{
    std::string theirs = ConnectStringValue(connectString, "INITSTMT");
    if (theirs.empty())
        theirs = DataSourceValue(connectString, "INITSTMT");
    if (theirs.find_first_of("{}") != std::string::npos)
        return {};
    while (!theirs.empty() && (theirs.back() == ';' || theirs.back() == ' '))
        theirs.pop_back();
    return (theirs.empty() ? std::string() : theirs + ";") + kMySqlSessionMode;
}

/// The connection string with what this program needs of every session: UTF-8 as the
/// client character set (MySQL and MariaDB as CHARSET, FreeTDS as ClientCharset), several
/// statements per text, its SQL mode set with the driver's own first statements (one round
/// trip for all of them), and a bound on the whole login, the server's greeting included.
/// Attributes of the string override the data source's; drivers pass over the ones they do
/// not know.
std::string WithSessionAttributes(const std::string& connectString)
{
    const std::string init = InitStatements(connectString);
    return connectString + ";CHARSET=utf8mb4;OPTION=" +
           std::to_string(DataSourceOption(connectString) | kMultiStatementsOption) +
           (init.empty() ? std::string() : ";INITSTMT={" + init + "}") +
           ";CONN_TIMEOUT=" + std::to_string(kLoginTimeoutSeconds) + ";ClientCharset=UTF-8";
}

/// The first diagnostic record of a failed login: what tells its cause.
struct LoginFailure
{
    std::string sqlState;
    long nativeError = 0;
};

/// Whether a failed login failed for the server, the network or the account, as opposed to
/// an attribute the driver would not take: trying again without them would fail the same.
bool IsLoginFailure(const LoginFailure& failure)
{
    const std::string& state = failure.sqlState;
    return state.rfind("08", 0) == 0 || state.rfind("28", 0) == 0 || state.rfind("HYT", 0) == 0 ||
           failure.nativeError >= ServerErrorFirstClientError;
}

/// Whether the statements run right after logging in failed, as opposed to the login itself
/// (the account, its host, its limits or its database): refused by the server, or cut off
/// with the link while they ran, which the client library tells from a drop in the greeting.
bool IsSessionSetupFailure(const LoginFailure& failure, const std::string& driverText)
{
    static const long kLoginErrors[] = {1040, 1044, 1045, 1049, 1129, 1130, 1203, 1226, 1251, 1862, 4151};
    const long number = failure.nativeError;
    if (number == kLostDuringQuery)
        return driverText.find("during query") != std::string::npos;
    return number >= 1000 && number < ServerErrorFirstClientError && !IsLoginFailure(failure) &&
           std::find(std::begin(kLoginErrors), std::end(kLoginErrors), number) == std::end(kLoginErrors);
}

bool HasMode(const std::string& modes, const std::string& mode)
{
    return ("," + modes + ",").find("," + mode + ",") != std::string::npos;
}

/// Runs `sql` and reads the first row of the last result that has rows into `row`.
bool QueryRow(SQLHDBC dbc, const std::string& sql, std::vector<std::string>& row, std::string& error)
{
    COdbcStatement statement(dbc);
    bool ok = statement.IsValid() && statement.Run(sql);
    for (bool end = false; ok && !end;) {
        if (statement.ColumnCount() > 0) {
            std::vector<CMemoryRecordset::Value> values;
            bool failed = false;
            if (statement.FetchRow(values, failed)) {
                row.clear();
                for (const CMemoryRecordset::Value& value : values)
                    row.push_back(value.value_or(std::string()));
            }
            ok = !failed;
        }
        if (ok)
            ok = statement.NextResult(end) || end;
    }
    if (!ok) {
        error = ExplainServerError(statement.Diagnostics(), {});
    }
    return ok;
}

/// Sets a MySQL session up as escaping and storing rely on, where the driver has not done so
/// with its first statements (`modeSet`), and checks that it took; reads the server's role.
bool PrepareMySqlSession(SQLHDBC dbc, bool mariaDb, bool modeSet, ServerRole& role, std::string& error)
{
    // Statements of their own rather than one text: a login may run on a thread of its own,
    // and the driver keeps the connection locked to the thread that read several results.
    std::vector<std::string> settings;
    if ((!modeSet && !QueryRow(dbc, kMySqlSessionMode, settings, error)) ||
        !QueryRow(dbc, mariaDb ? kMariaDbSessionQuery : kMySqlSessionQuery, settings, error)) {
        error = "无法设置数据库会话: " + error;
        return false;
    }
    role = COdbcLogin::RoleOf(settings);
    settings.resize(std::min<std::size_t>(settings.size(), 4));
    if (COdbcLogin::SessionFits(settings, error))
        return true;
    // A driver that passed over the statements it was given: the mode on its own then.
    return modeSet && PrepareMySqlSession(dbc, mariaDb, false, role, error);
}

LoginFailure FailureOf(SQLHDBC dbc)
{
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER nativeError = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRec(SQL_HANDLE_DBC, dbc, 1, state, &nativeError, nullptr, 0, &length);
    return {reinterpret_cast<const char*>(state), static_cast<long>(nativeError)};
}

/// Connects a new handle with a connection string; `failure` tells why it failed.
bool OpenWithString(SQLHENV env, const std::string& connectString, CDbcHandle& handle, std::string& error,
                    LoginFailure& failure)
{
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        error = OdbcDiagnostics(SQL_HANDLE_ENV, env);
        return false;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectString.c_str()));
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc =
        SQLDriverConnect(dbc, nullptr, text, SQL_NTS, completed, static_cast<SQLSMALLINT>(sizeof completed),
                         &completedLength, SQL_DRIVER_NOPROMPT);
    if (!OdbcSucceeded(rc)) {
        error = OdbcDiagnostics(SQL_HANDLE_DBC, dbc);
        failure = FailureOf(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    handle.Reset(dbc);
    return true;
}

/// Connects a new handle with the data source, user and password as arguments of their own.
bool OpenWithArguments(SQLHENV env, const std::string& dsn, const std::string& user,
                       const std::string& password, CDbcHandle& handle, std::string& error,
                       LoginFailure& failure)
{
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        error = OdbcDiagnostics(SQL_HANDLE_ENV, env);
        return false;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    auto text = [](const std::string& value) {
        return reinterpret_cast<SQLCHAR*>(const_cast<char*>(value.c_str()));
    };
    const SQLRETURN rc = SQLConnect(dbc, text(dsn), SQL_NTS, text(user), SQL_NTS, text(password), SQL_NTS);
    if (!OdbcSucceeded(rc)) {
        error = OdbcDiagnostics(SQL_HANDLE_DBC, dbc);
        failure = FailureOf(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    handle.Reset(dbc);
    return true;
}

} // namespace

COdbcLogin COdbcLogin::WithString(const std::string& connectString)
{
    COdbcLogin login;
    login.m_connectString = connectString;
    return login;
}

std::string COdbcLogin::DataSource() const
{
    return m_separate ? m_dsn : ConnectStringValue(m_connectString, "DSN");
}

COdbcLogin COdbcLogin::ToDataSource(const std::string& dsn, const std::string& user,
                                    const std::string& password)
{
    if (ConnectStringCarries(dsn) && ConnectStringCarries(user) && ConnectStringCarries(password))
        return WithString(BuildConnectString(dsn, user, password));
    // The session attributes cannot go with it; the data source's own settings then hold,
    // and the session check refuses one that does not speak UTF-8.
    COdbcLogin login;
    login.m_separate = true;
    login.m_dsn = dsn;
    login.m_user = user;
    login.m_password = password;
    return login;
}

bool COdbcLogin::Open(SQLHENV env, Session& session, std::string& error) const
{
    error.clear();
    CDbcHandle handle;
    bool opened = false;
    // Several statements per text only where the login asked for it, or the data source does.
    bool multiStatements = false;
    // Whether the driver has set the SQL mode with its first statements.
    bool modeSet = false;
    LoginFailure failure;
    if (m_separate) {
        opened = OpenWithArguments(env, m_dsn, m_user, m_password, handle, error, failure);
        multiStatements = (DataSourceOption("DSN=" + m_dsn) & kMultiStatementsOption) != 0;
    } else {
        // With the session attributes first; a driver that will not have them gets the string
        // as the user gave it. A server that cannot be reached is not tried twice, nor one
        // that refused the session's first statements.
        opened = multiStatements =
            OpenWithString(env, WithSessionAttributes(m_connectString), handle, error, failure);
        modeSet = opened && !InitStatements(m_connectString).empty();
        if (!opened && !IsLoginFailure(failure) && !IsSessionSetupFailure(failure, error)) {
            error.clear();
            opened = OpenWithString(env, m_connectString, handle, error, failure);
            multiStatements = (DataSourceOption(m_connectString) & kMultiStatementsOption) != 0;
        }
    }
    if (!opened) {
        // The driver's words, then what to do about them.
        const std::string dsn = DataSource();
        const bool setup = IsSessionSetupFailure(failure, error);
        ConnectCause cause =
            ConnectCauseOf(failure.sqlState, failure.nativeError, error, COdbcDataSources::Defined(dsn));
        if (setup && cause == ConnectCause::Other)
            cause = ConnectCause::SessionRefused;
        const std::string advice = ConnectAdvice(cause, dsn, ProcessAdviceReader());
        if (setup)
            error = "无法设置数据库会话: " + error;
        if (!advice.empty())
            error += "\r\n" + advice;
        return false;
    }
    const std::string dbmsName = InfoText(handle.Get(), SQL_DBMS_NAME);
    const int dbType = DbTypeOfName(dbmsName);
    if (dbType == DbTypeMySql &&
        !PrepareMySqlSession(handle.Get(), dbmsName == "MariaDB", modeSet, session.role, error))
        return false;
    session.dbc = handle.Release();
    session.dbType = dbType;
    session.multiStatements = multiStatements;
    return true;
}

ServerRole COdbcLogin::RoleOf(const std::vector<std::string>& settings)
{
    ServerRole role;
    if (settings.size() < 8)
        return role;
    role.readOnly = settings[4] == "1";
    role.clusterNode = settings[5] == "1";
    if (role.clusterNode) {
        role.clusterSize = DecimalToInt(settings[6]);
        role.nodeState = settings[7];
    }
    return role;
}

bool COdbcLogin::SessionFits(const std::vector<std::string>& settings, std::string& why)
{
    if (settings.size() != 4) {
        why = "无法读取数据库会话的设置";
        return false;
    }
    for (std::size_t index = 0; index < 3; ++index) {
        if (settings[index] != "utf8mb4") {
            why = "数据库连接的字符集是 " + settings[index] +
                  "，不是 UTF-8 (utf8mb4)，中文等文字无法原样读写。请在数据源中把字符集 (CHARSET) 设为 "
                  "utf8mb4。";
            return false;
        }
    }
    if (HasMode(settings[3], "NO_BACKSLASH_ESCAPES") || !HasMode(settings[3], "STRICT_ALL_TABLES")) {
        why = "无法设置数据库会话的 SQL 模式 (sql_mode): " + settings[3];
        return false;
    }
    return true;
}
