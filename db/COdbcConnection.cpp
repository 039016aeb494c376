#include "db/COdbcConnection.h"

#include "db/COdbcStatement.h"
#include "db/ConnectionString.h"
#include "db/ServerErrors.h"

#include <memory>
#include <sqlext.h>
#include <utility>

namespace {

// How long after its last answer a session is taken as open without asking the server.
constexpr std::chrono::seconds kAnswerStaysFresh(2);

const char* const kNotConnected = "数据库未连接";

} // namespace

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

void COdbcConnection::Succeeded()
{
    m_lastError.clear();
    m_lastServerError = 0;
}

void COdbcConnection::Failed(const COdbcStatement& statement)
{
    // The session may be gone: the next operation asks before its first statement.
    m_answeredAt = {};
    const std::string text = statement.Diagnostics(&m_lastServerError);
    m_lastError = ExplainServerError(text, DataSourceName());
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
    return LogIn(COdbcLogin::WithString(connectString), errorText);
}

bool COdbcConnection::ConnectDsn(const std::string& dsn, const std::string& user, const std::string& password,
                                 std::string& errorText)
{
    return LogIn(COdbcLogin::ToDataSource(dsn, user, password), errorText);
}

bool COdbcConnection::LogIn(const COdbcLogin& login, std::string& errorText)
{
    Succeeded();
    errorText.clear();
    if (m_env == SQL_NULL_HENV) {
        errorText = m_lastError = "ODBC environment could not be allocated";
        return false;
    }
    COdbcLogin::Session session;
    if (!login.Open(m_env, session, errorText)) {
        m_lastError = errorText;
        return false;
    }
    // Only a successful connect replaces the one that was open.
    CloseHandle();
    m_dbc = session.dbc;
    m_dbType = session.dbType;
    m_multiStatements = session.multiStatements;
    m_role = session.role;
    m_lastLogin = login;
    m_loggedIn = true;
    Answered();
    return true;
}

bool COdbcConnection::Reconnect()
{
    if (!m_loggedIn) {
        m_lastError = kNotConnected;
        return false;
    }
    std::string errorText;
    return LogIn(COdbcLogin(m_lastLogin), errorText);
}

bool COdbcConnection::EnsureOpen(bool& reconnected, OpenCheck check)
{
    reconnected = false;
    Succeeded();
    if (m_dbc != SQL_NULL_HDBC && check == OpenCheck::TrustARecentAnswer &&
        std::chrono::steady_clock::now() - m_answeredAt < kAnswerStaysFresh)
        return true;
    if (m_dbc != SQL_NULL_HDBC) {
        // The driver asks the server, so a session that was dropped shows here.
        SQLUINTEGER dead = SQL_CD_FALSE;
        SQLGetConnectAttr(m_dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
        RoundTripDone();
        if (dead != SQL_CD_TRUE) {
            Answered();
            return true;
        }
    }
    reconnected = Reconnect();
    return reconnected;
}

bool COdbcConnection::Disconnect()
{
    Succeeded();
    CloseHandle();
    return true;
}

int COdbcConnection::GetDbType()
{
    return m_dbType;
}

bool COdbcConnection::Execute(const std::string& sql)
{
    Succeeded();
    if (m_dbc == SQL_NULL_HDBC) {
        m_lastError = kNotConnected;
        return false;
    }
    COdbcStatement statement(m_dbc);
    const bool done = statement.IsValid() && statement.Run(sql) && statement.Drain();
    if (done)
        Answered();
    else
        Failed(statement);
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
    if (done)
        Answered();
    else
        Failed(statement);
    RoundTripDone();
    return done;
}

bool COdbcConnection::ExecuteBatch(const std::vector<SqlStatement>& statements, std::size_t& executed)
{
    if (!m_multiStatements || m_dbc == SQL_NULL_HDBC)
        return IOtlConnection::ExecuteBatch(statements, executed);
    Succeeded();
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
    Succeeded();
    if (m_dbc == SQL_NULL_HDBC) {
        m_lastError = kNotConnected;
        return nullptr;
    }
    COdbcStatement statement(m_dbc);
    if (!statement.IsValid() || !statement.Run(sql)) {
        Failed(statement);
        return nullptr;
    }

    // The rows are those of the first result that has columns: statements before the query
    // in the same text (a transaction begun, a lock row written) give none.
    for (bool end = false; statement.ColumnCount() == 0 && !end;) {
        if (!statement.NextResult(end) && !end) {
            Failed(statement);
            return nullptr;
        }
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
        // The driver has the whole result at hand: its size is known before the rows.
        SQLLEN rowCount = 0;
        if (OdbcSucceeded(SQLRowCount(statement.Handle(), &rowCount)) && rowCount > 0)
            rows->Reserve(static_cast<std::size_t>(rowCount));
        std::vector<CMemoryRecordset::Value> row;
        bool failed = false;
        while (statement.FetchRow(row, failed))
            rows->AddRow(std::move(row));
        if (failed) {
            Failed(statement);
            return nullptr;
        }
    }
    if (!statement.Drain()) {
        Failed(statement);
        return nullptr;
    }
    Answered();
    return rows.release();
}

std::string COdbcConnection::GetLastErrorText()
{
    return m_lastError;
}
