#include "db/COdbcConnection.h"

#include "db/CMemoryRecordset.h"

#include <sqlext.h>

#include <memory>
#include <utility>

namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 15;
const char* const kNotConnected = "数据库未连接";

// Values must never be cut or altered silently, and backslashes in literals must keep the
// meaning the statements give them, whatever the server's own defaults.
const char* const kMySqlSessionMode =
    "SET SESSION sql_mode = CONCAT(REPLACE(@@SESSION.sql_mode, 'NO_BACKSLASH_ESCAPES', ''), ',STRICT_ALL_TABLES')";

bool Succeeded(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

/// All diagnostic records of a handle, one per line.
std::string DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRec(handleType, handle, record, state, &nativeError, message,
                                           static_cast<SQLSMALLINT>(sizeof message), &length);
        if (!Succeeded(rc))
            break;
        if (!text.empty())
            text += '\n';
        text += reinterpret_cast<const char*>(message);
    }
    return text;
}

int DbTypeOfName(const std::string& dbmsName)
{
    if (dbmsName == "MariaDB" || dbmsName == "MySQL")
        return DbTypeMySql;
    if (dbmsName == "Microsoft SQL Server")
        return DbTypeSqlServer;
    return DbTypeOther;
}

/// Reads one column of the current row; nullopt for NULL.
bool ReadColumn(SQLHSTMT statement, SQLUSMALLINT column, CMemoryRecordset::Value& value)
{
    char buffer[4096];
    std::string text;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(statement, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            break;
        if (!Succeeded(rc))
            return false;
        if (indicator == SQL_NULL_DATA) {
            value.reset();
            return true;
        }
        const bool truncated = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer);
        text.append(buffer, truncated ? sizeof buffer - 1 : static_cast<std::size_t>(indicator));
        if (!truncated)
            break;
    }
    value = std::move(text);
    return true;
}

} // namespace

/// One statement handle, freed when it goes out of scope.
class COdbcConnection::Statement
{
public:
    explicit Statement(SQLHDBC dbc)
    {
        if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &m_handle)))
            m_handle = SQL_NULL_HSTMT;
    }
    ~Statement()
    {
        if (m_handle != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT Handle() const { return m_handle; }
    std::string Diagnostics() const { return DiagnosticText(SQL_HANDLE_STMT, m_handle); }

    /// Runs `sql`; SQL_NO_DATA (a statement that touched no row) counts as success.
    bool Run(const std::string& sql)
    {
        auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data()));
        const SQLRETURN rc = SQLExecDirect(m_handle, text, static_cast<SQLINTEGER>(sql.size()));
        return Succeeded(rc) || rc == SQL_NO_DATA;
    }

    /// Skips every further result, so the connection is free for the next statement.
    bool Drain()
    {
        for (;;) {
            const SQLRETURN rc = SQLMoreResults(m_handle);
            if (rc == SQL_NO_DATA)
                return true;
            if (!Succeeded(rc))
                return false;
        }
    }

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

COdbcConnection::COdbcConnection()
{
    if (Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env)))
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

namespace {

/// Runs one statement on `dbc` and drains its results; the first row's columns, when it has
/// one, go to `row`.
bool RunOn(SQLHDBC dbc, const std::string& sql, std::vector<std::string>* row, std::string& error)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &statement))) {
        error = DiagnosticText(SQL_HANDLE_DBC, dbc);
        return false;
    }
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data()));
    bool ok = Succeeded(SQLExecDirect(statement, text, static_cast<SQLINTEGER>(sql.size())));
    if (ok && row) {
        SQLSMALLINT columns = 0;
        SQLNumResultCols(statement, &columns);
        row->clear();
        if (columns > 0 && Succeeded(SQLFetch(statement))) {
            for (SQLUSMALLINT column = 1; ok && column <= columns; ++column) {
                CMemoryRecordset::Value value;
                ok = ReadColumn(statement, column, value);
                row->push_back(value.value_or(std::string()));
            }
        }
    }
    while (ok) {
        const SQLRETURN rc = SQLMoreResults(statement);
        if (rc == SQL_NO_DATA)
            break;
        ok = Succeeded(rc);
    }
    if (!ok)
        error = DiagnosticText(SQL_HANDLE_STMT, statement);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return ok;
}

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT info)
{
    SQLCHAR text[256] = {};
    SQLSMALLINT length = 0;
    SQLGetInfo(dbc, info, text, static_cast<SQLSMALLINT>(sizeof text), &length);
    return reinterpret_cast<const char*>(text);
}

bool IsUtf8(const std::string& charset)
{
    return charset == "utf8mb4";
}

bool HasMode(const std::string& modes, const std::string& mode)
{
    return ("," + modes + ",").find("," + mode + ",") != std::string::npos;
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

bool COdbcConnection::Open(const std::string& connectString, Handle& handle, std::string& error)
{
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, m_env, &dbc))) {
        error = DiagnosticText(SQL_HANDLE_ENV, m_env);
        return false;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectString.c_str()));
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc = SQLDriverConnect(dbc, nullptr, text, SQL_NTS, completed,
                                          static_cast<SQLSMALLINT>(sizeof completed), &completedLength,
                                          SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) {
        error = DiagnosticText(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    handle.Reset(dbc);
    return true;
}

COdbcConnection::SessionState COdbcConnection::PrepareMySqlSession(SQLHDBC dbc, std::string& error)
{
    std::vector<std::string> session;
    if (!RunOn(dbc, kMySqlSessionMode, nullptr, error) ||
        !RunOn(dbc, "SELECT @@character_set_client, @@character_set_connection, @@character_set_results, "
                    "@@SESSION.sql_mode",
               &session, error)) {
        error = "无法设置数据库会话: " + error;
        return SessionFailed;
    }
    if (session.size() != 4 || !IsUtf8(session[0]) || !IsUtf8(session[1]) || !IsUtf8(session[2])) {
        const std::string charset = session.empty() ? std::string("?") : session[0];
        error = "数据库连接的字符集是 " + charset +
                "，不是 UTF-8 (utf8mb4)，中文等文字无法原样读写。请在数据源中把字符集 (CHARSET) 设置为 utf8mb4。";
        return SessionNotUtf8;
    }
    // Escaping relies on backslash escapes, and a value that does not fit must fail, never be cut.
    if (HasMode(session[3], "NO_BACKSLASH_ESCAPES") || !HasMode(session[3], "STRICT_ALL_TABLES")) {
        error = "无法设置数据库会话的 SQL 模式 (sql_mode): " + session[3];
        return SessionFailed;
    }
    return SessionReady;
}

bool COdbcConnection::Connect(const std::string& connectString, std::string& errorText)
{
    m_lastError.clear();
    errorText.clear();
    if (m_env == SQL_NULL_HENV) {
        errorText = m_lastError = "ODBC environment could not be allocated";
        return false;
    }

    Handle handle;
    std::string effective = connectString;
    if (!Open(effective, handle, errorText)) {
        m_lastError = errorText;
        return false;
    }
    const int dbType = DbTypeOfName(InfoText(handle.Get(), SQL_DBMS_NAME));
    bool ready = true;
    if (dbType == DbTypeMySql) {
        // Whatever character set the data source names, this program speaks UTF-8: text must
        // come back byte for byte, and no multi-byte character set may swallow an escaping
        // backslash. A connection string attribute overrides the data source's.
        SessionState state = PrepareMySqlSession(handle.Get(), errorText);
        if (state == SessionNotUtf8) {
            effective = connectString + ";CHARSET=utf8mb4";
            errorText.clear();
            state = Open(effective, handle, errorText) ? PrepareMySqlSession(handle.Get(), errorText) : SessionFailed;
        }
        ready = state == SessionReady;
    } else if (dbType == DbTypeSqlServer && InfoText(handle.Get(), SQL_DRIVER_NAME).find("tdsodbc") != std::string::npos) {
        effective = connectString + ";ClientCharset=UTF-8";
        ready = Open(effective, handle, errorText);
    }
    if (!ready) {
        m_lastError = errorText;
        return false;
    }

    // Only a successful connect replaces the one that was open.
    CloseHandle();
    m_dbc = handle.Release();
    m_dbType = dbType;
    m_lastConnectString = effective;
    return true;
}

bool COdbcConnection::Reconnect()
{
    if (m_lastConnectString.empty()) {
        m_lastError = kNotConnected;
        return false;
    }
    std::string errorText;
    return Connect(m_lastConnectString, errorText);
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
    Statement statement(m_dbc);
    if (statement.Handle() == SQL_NULL_HSTMT) {
        m_lastError = DiagnosticText(SQL_HANDLE_DBC, m_dbc);
        return false;
    }
    if (!statement.Run(sql) || !statement.Drain()) {
        m_lastError = statement.Diagnostics();
        return false;
    }
    return true;
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
    m_lastError.clear();
    if (m_dbc == SQL_NULL_HDBC) {
        m_lastError = kNotConnected;
        return nullptr;
    }
    Statement statement(m_dbc);
    if (statement.Handle() == SQL_NULL_HSTMT) {
        m_lastError = DiagnosticText(SQL_HANDLE_DBC, m_dbc);
        return nullptr;
    }
    if (!statement.Run(sql)) {
        m_lastError = statement.Diagnostics();
        return nullptr;
    }

    SQLSMALLINT columnCount = 0;
    SQLNumResultCols(statement.Handle(), &columnCount);
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
        std::vector<CMemoryRecordset::Value> row(static_cast<std::size_t>(columnCount));
        for (;;) {
            const SQLRETURN rc = SQLFetch(statement.Handle());
            if (rc == SQL_NO_DATA)
                break;
            bool ok = Succeeded(rc);
            for (SQLUSMALLINT column = 1; ok && column <= columnCount; ++column)
                ok = ReadColumn(statement.Handle(), column, row[column - 1]);
            if (!ok) {
                m_lastError = statement.Diagnostics();
                return nullptr;
            }
            rows->AddRow(row);
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
