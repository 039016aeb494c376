#include "db/COdbcStatement.h"

#include "db/ServerErrors.h"

#include <sqlext.h>
#include <utility>

namespace {

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
        if (!OdbcSucceeded(rc))
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

bool OdbcSucceeded(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

std::string OdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, long* serverError)
{
    std::string text;
    if (serverError)
        *serverError = 0;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRec(handleType, handle, record, state, &nativeError, message,
                                           static_cast<SQLSMALLINT>(sizeof message), &length);
        if (!OdbcSucceeded(rc))
            break;
        if (serverError && *serverError == 0)
            *serverError =
                nativeError != 0 ? nativeError : ServerErrorOfState(reinterpret_cast<const char*>(state));
        if (!text.empty())
            text += '\n';
        text += reinterpret_cast<const char*>(message);
    }
    return text;
}

COdbcStatement::COdbcStatement(SQLHDBC dbc) : m_dbc(dbc)
{
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &m_handle)))
        m_handle = SQL_NULL_HSTMT;
}

COdbcStatement::~COdbcStatement()
{
    if (m_handle != SQL_NULL_HSTMT)
        SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
}

std::string COdbcStatement::Diagnostics(long* serverError) const
{
    return IsValid() ? OdbcDiagnostics(SQL_HANDLE_STMT, m_handle, serverError)
                     : OdbcDiagnostics(SQL_HANDLE_DBC, m_dbc, serverError);
}

bool COdbcStatement::Run(const std::string& sql)
{
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data()));
    const SQLRETURN rc = SQLExecDirect(m_handle, text, static_cast<SQLINTEGER>(sql.size()));
    return OdbcSucceeded(rc) || rc == SQL_NO_DATA;
}

bool COdbcStatement::NextResult(bool& end)
{
    const SQLRETURN rc = SQLMoreResults(m_handle);
    end = rc == SQL_NO_DATA;
    return OdbcSucceeded(rc);
}

bool COdbcStatement::Drain()
{
    for (;;) {
        bool end = false;
        if (!NextResult(end))
            return end;
    }
}

int COdbcStatement::ColumnCount() const
{
    SQLSMALLINT columns = 0;
    SQLNumResultCols(m_handle, &columns);
    return columns;
}

bool COdbcStatement::FetchRow(std::vector<CMemoryRecordset::Value>& row, bool& failed)
{
    failed = false;
    const SQLRETURN rc = SQLFetch(m_handle);
    if (rc == SQL_NO_DATA)
        return false;
    failed = !OdbcSucceeded(rc);
    const int columns = ColumnCount();
    row.resize(static_cast<std::size_t>(columns));
    for (SQLUSMALLINT column = 1; !failed && column <= columns; ++column)
        failed = !ReadColumn(m_handle, column, row[column - 1]);
    return !failed;
}
