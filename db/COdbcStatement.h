#pragma once

#include "db/CMemoryRecordset.h"

#include <sql.h>
#include <string>

/// True for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO.
bool OdbcSucceeded(SQLRETURN rc);

/// All diagnostic records of a handle, one per line.
/// The texts of a handle's diagnostic records; `serverError`, where given, gets the first
/// native error a record carries (the server's error number on MySQL and MariaDB).
std::string OdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, long* serverError = nullptr);

/// One statement handle on a connection, freed when it goes out of scope. A statement text
/// may hold several statements (on a connection that allows it); each gives one result.
class COdbcStatement
{
public:
    explicit COdbcStatement(SQLHDBC dbc);
    ~COdbcStatement();
    COdbcStatement(const COdbcStatement&) = delete;
    COdbcStatement& operator=(const COdbcStatement&) = delete;

    /// False when no handle could be had; Diagnostics() then says why.
    bool IsValid() const { return m_handle != SQL_NULL_HSTMT; }
    SQLHSTMT Handle() const { return m_handle; }
    std::string Diagnostics(long* serverError = nullptr) const;

    /// Runs `sql`; its first result is current afterwards. SQL_NO_DATA (a statement that
    /// touched no row) counts as success.
    bool Run(const std::string& sql);
    /// Makes the next result current. False at a failed result, and at the end with `end` set.
    bool NextResult(bool& end);
    /// Skips every further result, so the connection is free for the next statement.
    bool Drain();

    /// The column count of the current result (0 for a statement without rows).
    int ColumnCount() const;
    /// Fetches the next row of the current result into `row`; false at the end or on a failure
    /// (`failed` tells which).
    bool FetchRow(std::vector<CMemoryRecordset::Value>& row, bool& failed);

private:
    SQLHDBC m_dbc;
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};
