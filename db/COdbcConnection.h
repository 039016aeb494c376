#pragma once

#include "db/IOtlConnection.h"

#include <sql.h>
#include <string>
#include <vector>

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

    /// A connection handle, disconnected and freed unless released.
    class Handle
    {
    public:
        Handle() = default;
        ~Handle() { Reset(SQL_NULL_HDBC); }
        Handle(const Handle&) = delete;
        Handle& operator=(const Handle&) = delete;
        SQLHDBC Get() const { return m_dbc; }
        void Reset(SQLHDBC dbc);
        SQLHDBC Release();

    private:
        SQLHDBC m_dbc = SQL_NULL_HDBC;
    };

    /// Connects a new handle; on success `handle` holds it in place of what it held.
    bool Open(const std::string& connectString, Handle& handle, std::string& error);
    enum SessionState
    {
        SessionReady,
        SessionNotUtf8,
        SessionFailed,
    };
    /// Sets the session up as escaping and storing rely on, and checks that it took.
    static SessionState PrepareMySqlSession(SQLHDBC dbc, std::string& error);
    bool Execute(const std::string& sql);
    void CloseHandle();

    SQLHENV m_env = SQL_NULL_HENV;
    SQLHDBC m_dbc = SQL_NULL_HDBC;
    int m_dbType = DbTypeOther;
    std::string m_lastConnectString;
    std::string m_lastError;
};
