#pragma once

#include "db/COdbcLogin.h"
#include "db/IOtlConnection.h"

class COdbcStatement;

#include <chrono>
#include <sql.h>
#include <string>
#include <vector>

/// The connection on the ODBC C API (narrow-character functions). Every statement runs on
/// its own handle, all of its results are drained and the handle is freed before the call
/// returns, so no statement is ever held up by an earlier one.
///
/// On MySQL and MariaDB the session always speaks UTF-8 (utf8mb4), keeps backslash escapes
/// and refuses values that do not fit instead of cutting them; a connection on which that
/// cannot be made so is refused. Batches go to the server as multi-statement texts there.
class COdbcConnection final : public IOtlConnection
{
public:
    COdbcConnection();
    ~COdbcConnection() override;
    COdbcConnection(const COdbcConnection&) = delete;
    COdbcConnection& operator=(const COdbcConnection&) = delete;

    bool Reconnect() override;
    std::string DataSourceName() const override { return m_lastLogin.DataSource(); }
    bool Connect(const std::string& connectString, std::string& errorText) override;
    /// A value that a connection string cannot carry as typed (a password with a blank at
    /// either end) is given to the driver as an argument of its own instead.
    bool ConnectDsn(const std::string& dsn, const std::string& user, const std::string& password,
                    std::string& errorText) override;
    bool Disconnect() override;
    int GetDbType() override;
    bool ExecuteSql(const std::string& sql) override;
    bool ExecuteSqlNoCheck(const std::string& sql) override;
    bool ExecuteInsert(const std::string& sql) override;
    std::string QueryValue(const std::string& sql) override;
    IOtlRecordset* OpenRecordset(const std::string& sql) override;
    std::string GetLastErrorText() override;
    long GetLastServerError() const override { return m_lastServerError; }
    bool TakesSeveralStatements() const override { return m_multiStatements; }
    bool ExecuteBatch(const std::vector<SqlStatement>& statements, std::size_t& executed) override;
    bool EnsureOpen(bool& reconnected, OpenCheck check) override;
    ServerRole Role() const override { return m_role; }

    /// Most statements and bytes of statement text sent in one round trip.
    static constexpr std::size_t kBatchStatements = 1000;
    static constexpr std::size_t kBatchBytes = 512 * 1024;

private:
    bool LogIn(const COdbcLogin& login, std::string& errorText);
    bool Execute(const std::string& sql);
    IOtlRecordset* ReadRecordset(const std::string& sql);
    /// Sends statements [first, last) as one text; `executed` counts those that took effect.
    bool ExecuteText(const std::vector<SqlStatement>& statements, std::size_t first, std::size_t last,
                     std::size_t& executed);
    void CloseHandle();
    /// Keeps why `statement` failed, for GetLastErrorText and GetLastServerError.
    void Failed(const COdbcStatement& statement);
    void Succeeded();
    /// The server answered a statement just now.
    void Answered() { m_answeredAt = std::chrono::steady_clock::now(); }

    SQLHENV m_env = SQL_NULL_HENV;
    SQLHDBC m_dbc = SQL_NULL_HDBC;
    int m_dbType = DbTypeOther;
    bool m_multiStatements = false;
    ServerRole m_role;
    COdbcLogin m_lastLogin;
    bool m_loggedIn = false;
    std::string m_lastError;
    long m_lastServerError = 0;
    /// When the server last answered; none since the last failure.
    std::chrono::steady_clock::time_point m_answeredAt;
};
