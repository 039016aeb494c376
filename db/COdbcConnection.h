#pragma once

#include "db/IOtlConnection.h"

#include <sql.h>
#include <string>

/// The connection on the ODBC C API (narrow-character functions). Every statement runs on
/// its own handle, all of its results are drained and the handle is freed before the call
/// returns, so no statement is ever held up by an earlier one.
class COdbcConnection final : public IOtlConnection
{
public:
    COdbcConnection();
    ~COdbcConnection() override;
    COdbcConnection(const COdbcConnection&) = delete;
    COdbcConnection& operator=(const COdbcConnection&) = delete;

    bool Reconnect() override;
    bool Connect(const std::string& connectString, std::string& errorText) override;
    bool Disconnect() override;
    int GetDbType() override;
    bool ExecuteSql(const std::string& sql) override;
    bool ExecuteSqlNoCheck(const std::string& sql) override;
    bool ExecuteInsert(const std::string& sql) override;
    std::string QueryValue(const std::string& sql) override;
    IOtlRecordset* OpenRecordset(const std::string& sql) override;
    std::string GetLastErrorText() override;

private:
    class Statement;

    bool Execute(const std::string& sql);
    void CloseHandle();

    SQLHENV m_env = SQL_NULL_HENV;
    SQLHDBC m_dbc = SQL_NULL_HDBC;
    int m_dbType = DbTypeOther;
    std::string m_lastConnectString;
    std::string m_lastError;
};
