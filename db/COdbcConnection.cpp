#include "db/COdbcConnection.h"

#include "db/COdbcStatement.h"
#include "db/ConnectionString.h"

#include <cstdlib>
#include <memory>
#include <odbcinst.h>
#include <sqlext.h>
#include <utility>

namespace {

// Connecting gives up after this long, so an address that does not answer cannot hold the
// program for long; a login over a slow VPN still fits well within it.
constexpr SQLULEN kLoginTimeoutSeconds = 8;
const char* const kNotConnected = "数据库未连接";
// The connector's option flag that lets one text carry several statements.
constexpr unsigned long kMultiStatementsOption = 67108864;

// Values must never be cut or altered silently, and backslashes in literals must keep the
// meaning the statements give them, whatever the server's own defaults.
const char* const kMySqlSessionMode = "SET SESSION sql_mode = CONCAT(REPLACE(@@SESSION.sql_mode, "
                                      "'NO_BACKSLASH_ESCAPES', ''), ',STRICT_ALL_TABLES')";
const char* const kMySqlSessionQuery =
    "SELECT @@character_set_client, @@character_set_connection, @@character_set_results, @@SESSION.sql_mode";

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

/// The option flags the data source itself sets, so that ours add to them.
unsigned long DataSourceOption(const std::string& connectString)
{
    const std::string dsn = ConnectStringValue(connectString, "DSN");
    if (dsn.empty())
        return 0;
    char value[64] = {};
    SQLGetPrivateProfileString(dsn.c_str(), "OPTION", "0", value, static_cast<int>(sizeof value), "odbc.ini");
    return std::strtoul(value, nullptr, 10);
}

/// The connection string with what this program needs of every session: UTF-8 as the
/// client character set (MySQL and MariaDB as CHARSET, FreeTDS as ClientCharset), several
/// statements per text, and a bound on the whole login, the server's greeting included.
/// Attributes of the string override the data source's; drivers pass over the ones they do
/// not know.
std::string WithSessionAttributes(const std::string& connectString)
{
    return connectString + ";CHARSET=utf8mb4;OPTION=" +
           std::to_string(DataSourceOption(connectString) | kMultiStatementsOption) +
           ";CONN_TIMEOUT=" + std::to_string(kLoginTimeoutSeconds) + ";ClientCharset=UTF-8";
}

/// Whether a failed login failed for the server, the network or the account, as opposed to
/// an attribute the driver would not take.
bool IsLoginFailure(const std::string& sqlState)
{
    return sqlState.rfind("08", 0) == 0 || sqlState.rfind("28", 0) == 0 || sqlState.rfind("HYT", 0) == 0;
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
    if (!ok)
        error = statement.Diagnostics();
    return ok;
}

} // namespace

void COdbcConnection::Handle::Reset(SQLHDBC dbc)
{
    if (m_dbc != SQL_NULL_HDBC) {
        SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    m_dbc = dbc;
}

SQLHDBC COdbcConnection::Handle::Release()
{
    SQLHDBC dbc = m_dbc;
    m_dbc = SQL_NULL_HDBC;
    return dbc;
}

COdbcConnection::COdbcConnection()
{
    if (OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env)))
        SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    else
        m_env = SQL_NULL_HENV;
}

COdbcConnection::~COdbcConnection()
{
    CloseHandle();
    if (m_env != SQL_NULL_HENV)
        SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

void COdbcConnection::CloseHandle()
{
    if (m_dbc == SQL_NULL_HDBC)
        return;
    SQLDisconnect(m_dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    m_dbc = SQL_NULL_HDBC;
}

bool COdbcConnection::Open(const std::string& connectString, Handle& handle, std::string& error,
                           std::string& sqlState)
{
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_DBC, m_env, &dbc))) {
        error = OdbcDiagnostics(SQL_HANDLE_ENV, m_env);
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
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nativeError = 0;
        SQLSMALLINT length = 0;
        SQLGetDiagRec(SQL_HANDLE_DBC, dbc, 1, state, &nativeError, nullptr, 0, &length);
        sqlState = reinterpret_cast<const char*>(state);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    handle.Reset(dbc);
    return true;
}

bool COdbcConnection::PrepareMySqlSession(SQLHDBC dbc, std::string& error)
{
    // Two statements of their own rather than one text: a login may run on a thread of its
    // own, and the driver keeps the connection locked to the thread that read several results.
    std::vector<std::string> session;
    if (!QueryRow(dbc, kMySqlSessionMode, session, error) ||
        !QueryRow(dbc, kMySqlSessionQuery, session, error)) {
        error = "无法设置数据库会话: " + error;
        return false;
    }
    if (session.size() != 4) {
        error = "无法读取数据库会话的设置";
        return false;
    }
    for (std::size_t index = 0; index < 3; ++index) {
        if (session[index] != "utf8mb4") {
            error = "数据库连接的字符集是 " + session[index] +
                    "，不是 UTF-8 (utf8mb4)，中文等文字无法原样读写。请在数据源中把字符集 (CHARSET) 设为 "
                    "utf8mb4。";
            return false;
        }
    }
    if (HasMode(session[3], "NO_BACKSLASH_ESCAPES") || !HasMode(session[3], "STRICT_ALL_TABLES")) {
        error = "无法设置数据库会话的 SQL 模式 (sql_mode): " + session[3];
        return false;
    }
    return true;
}

bool COdbcConnection::OpenSeparate(const Login& login, Handle& handle, std::string& error)
{
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_DBC, m_env, &dbc))) {
        error = OdbcDiagnostics(SQL_HANDLE_ENV, m_env);
        return false;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    auto text = [](const std::string& value) {
        return reinterpret_cast<SQLCHAR*>(const_cast<char*>(value.c_str()));
    };
    const SQLRETURN rc =
        SQLConnect(dbc, text(login.dsn), SQL_NTS, text(login.user), SQL_NTS, text(login.password), SQL_NTS);
    if (!OdbcSucceeded(rc)) {
        error = OdbcDiagnostics(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    handle.Reset(dbc);
    return true;
}

bool COdbcConnection::Connect(const std::string& connectString, std::string& errorText)
{
    Login login;
    login.connectString = connectString;
    return LogIn(login, errorText);
}

bool COdbcConnection::ConnectDsn(const std::string& dsn, const std::string& user, const std::string& password,
                                 std::string& errorText)
{
    if (ConnectStringCarries(dsn) && ConnectStringCarries(user) && ConnectStringCarries(password))
        return Connect(BuildConnectString(dsn, user, password), errorText);
    // The session attributes cannot go with it; the data source's own settings then hold,
    // and the session check below refuses one that does not speak UTF-8.
    Login login;
    login.separate = true;
    login.dsn = dsn;
    login.user = user;
    login.password = password;
    return LogIn(login, errorText);
}

bool COdbcConnection::LogIn(const Login& login, std::string& errorText)
{
    m_lastError.clear();
    errorText.clear();
    if (m_env == SQL_NULL_HENV) {
        errorText = m_lastError = "ODBC environment could not be allocated";
        return false;
    }

    Handle handle;
    bool opened = false;
    // Several statements per text only where the login asked for it, or the data source does.
    bool multiStatements = false;
    if (login.separate) {
        opened = OpenSeparate(login, handle, errorText);
        multiStatements = (DataSourceOption("DSN=" + login.dsn) & kMultiStatementsOption) != 0;
    } else {
        // With the session attributes first; a driver that will not have them gets the string
        // as the user gave it. A server that cannot be reached is not tried twice.
        std::string sqlState;
        opened = multiStatements =
            Open(WithSessionAttributes(login.connectString), handle, errorText, sqlState);
        if (!opened && !IsLoginFailure(sqlState)) {
            errorText.clear();
            opened = Open(login.connectString, handle, errorText, sqlState);
            multiStatements = (DataSourceOption(login.connectString) & kMultiStatementsOption) != 0;
        }
    }
    if (!opened) {
        m_lastError = errorText;
        return false;
    }
    const int dbType = DbTypeOfName(InfoText(handle.Get(), SQL_DBMS_NAME));
    if (dbType == DbTypeMySql && !PrepareMySqlSession(handle.Get(), errorText)) {
        m_lastError = errorText;
        return false;
    }

    // Only a successful connect replaces the one that was open.
    CloseHandle();
    m_dbc = handle.Release();
    m_dbType = dbType;
    m_multiStatements = multiStatements;
    m_lastLogin = login;
    m_loggedIn = true;
    return true;
}

bool COdbcConnection::Reconnect()
{
    if (!m_loggedIn) {
        m_lastError = kNotConnected;
        return false;
    }
    std::string errorText;
    return LogIn(Login(m_lastLogin), errorText);
}

bool COdbcConnection::EnsureOpen(bool& reconnected)
{
    reconnected = false;
    m_lastError.clear();
    if (m_dbc != SQL_NULL_HDBC) {
        // The driver asks the server, so a session that was dropped shows here.
        SQLUINTEGER dead = SQL_CD_FALSE;
        SQLGetConnectAttr(m_dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
        RoundTripDone();
        if (dead != SQL_CD_TRUE)
            return true;
    }
    reconnected = Reconnect();
    return reconnected;
}

bool COdbcConnection::Disconnect()
{
    m_lastError.clear();
    CloseHandle();
    return true;
}

int COdbcConnection::GetDbType()
{
    return m_dbType;
}

bool COdbcConnection::Execute(const std::string& sql)
{
    m_lastError.clear();
    if (m_dbc == SQL_NULL_HDBC) {
        m_lastError = kNotConnected;
        return false;
    }
    COdbcStatement statement(m_dbc);
    const bool done = statement.IsValid() && statement.Run(sql) && statement.Drain();
    if (!done)
        m_lastError = statement.Diagnostics();
    RoundTripDone();
    return done;
}

bool COdbcConnection::ExecuteSql(const std::string& sql)
{
    return Execute(sql);
}

bool COdbcConnection::ExecuteSqlNoCheck(const std::string& sql)
{
    return Execute(sql);
}

bool COdbcConnection::ExecuteInsert(const std::string& sql)
{
    return Execute(sql);
}

bool COdbcConnection::ExecuteText(const std::vector<SqlStatement>& statements, std::size_t first,
                                  std::size_t last, std::size_t& executed)
{
    std::string text;
    for (std::size_t index = first; index < last; ++index) {
        if (index > first)
            text += ';';
        text += statements[index].text;
    }
    COdbcStatement statement(m_dbc);
    // The server runs the statements of one text in order and stops at the first that
    // fails; each gives one result, so the results counted before the failure are the
    // statements that took effect.
    bool done = statement.IsValid() && statement.Run(text);
    if (done) {
        for (++executed;; ++executed) {
            bool end = false;
            if (!statement.NextResult(end)) {
                done = end;
                break;
            }
        }
    }
    if (!done)
        m_lastError = statement.Diagnostics();
    RoundTripDone();
    return done;
}

bool COdbcConnection::ExecuteBatch(const std::vector<SqlStatement>& statements, std::size_t& executed)
{
    if (!m_multiStatements || m_dbc == SQL_NULL_HDBC)
        return IOtlConnection::ExecuteBatch(statements, executed);
    m_lastError.clear();
    executed = 0;
    std::size_t first = 0;
    while (first < statements.size()) {
        std::size_t last = first;
        std::size_t bytes = 0;
        while (last < statements.size() && last - first < kBatchStatements &&
               (last == first || bytes + statements[last].text.size() + 1 <= kBatchBytes)) {
            bytes += statements[last].text.size() + 1;
            ++last;
        }
        if (!ExecuteText(statements, first, last, executed))
            return false;
        first = last;
    }
    return true;
}

std::string COdbcConnection::QueryValue(const std::string& sql)
{
    const RecordsetPtr rows(OpenRecordset(sql));
    if (!rows || rows->IsEof())
        return {};
    rows->FetchNext();
    return rows->GetFieldString(1);
}

IOtlRecordset* COdbcConnection::OpenRecordset(const std::string& sql)
{
    IOtlRecordset* rows = ReadRecordset(sql);
    RoundTripDone();
    return rows;
}

IOtlRecordset* COdbcConnection::ReadRecordset(const std::string& sql)
{
    m_lastError.clear();
    if (m_dbc == SQL_NULL_HDBC) {
        m_lastError = kNotConnected;
        return nullptr;
    }
    COdbcStatement statement(m_dbc);
    if (!statement.IsValid() || !statement.Run(sql)) {
        m_lastError = statement.Diagnostics();
        return nullptr;
    }

    const int columnCount = statement.ColumnCount();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(columnCount));
    for (SQLUSMALLINT column = 1; column <= columnCount; ++column) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, dataType = 0, decimals = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(statement.Handle(), column, name, static_cast<SQLSMALLINT>(sizeof name), &nameLength,
                       &dataType, &size, &decimals, &nullable);
        names.emplace_back(reinterpret_cast<const char*>(name));
    }

    auto rows = std::make_unique<CMemoryRecordset>(std::move(names));
    if (columnCount > 0) {
        std::vector<CMemoryRecordset::Value> row;
        bool failed = false;
        while (statement.FetchRow(row, failed))
            rows->AddRow(row);
        if (failed) {
            m_lastError = statement.Diagnostics();
            return nullptr;
        }
    }
    if (!statement.Drain()) {
        m_lastError = statement.Diagnostics();
        return nullptr;
    }
    return rows.release();
}

std::string COdbcConnection::GetLastErrorText()
{
    return m_lastError;
}
