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

bool COdbcConnection::Connect(const std::string& connectString, std::string& errorText)
{
    m_lastError.clear();
    errorText.clear();
    if (m_env == SQL_NULL_HENV) {
        errorText = m_lastError = "ODBC environment could not be allocated";
        return false;
    }
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, m_env, &dbc))) {
        errorText = m_lastError = DiagnosticText(SQL_HANDLE_ENV, m_env);
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
        errorText = m_lastError = DiagnosticText(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }

    // Only a successful connect replaces the one that was open.
    CloseHandle();
    m_dbc = dbc;
    m_lastConnectString = connectString;

    SQLCHAR dbmsName[256] = {};
    SQLSMALLINT nameLength = 0;
    SQLGetInfo(m_dbc, SQL_DBMS_NAME, dbmsName, static_cast<SQLSMALLINT>(sizeof dbmsName), &nameLength);
    m_dbType = DbTypeOfName(reinterpret_cast<const char*>(dbmsName));
    if (m_dbType == DbTypeMySql)
        Execute(kMySqlSessionMode);
    m_lastError.clear();
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
