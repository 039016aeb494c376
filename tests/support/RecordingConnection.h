#pragma once

#include "db/IOtlConnection.h"

#include <functional>
#include <string>
#include <vector>

/// Stands in for a database that cannot run here (SQL Server): keeps every statement it is
/// given, in order, and answers as told. Installed as the process-wide connection for its
/// lifetime.
class RecordingConnection final : public IOtlConnection
{
public:
    struct Call
    {
        std::string operation; // "ExecuteSql", "ExecuteSqlNoCheck", "ExecuteInsert", ...
        std::string sql;
    };

    explicit RecordingConnection(int dbType = DbTypeSqlServer);
    ~RecordingConnection() override;
    RecordingConnection(const RecordingConnection&) = delete;
    RecordingConnection& operator=(const RecordingConnection&) = delete;

    /// Statements for which `refuse` holds fail with `errorText`.
    void FailWhen(std::function<bool(const std::string&)> refuse, std::string errorText);

    const std::vector<Call>& Calls() const { return m_calls; }
    /// The calls that write: neither a read nor the taking or letting go of a save's lock.
    std::vector<Call> Writes() const;
    std::vector<std::string> Statements() const;

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
    bool Record(const char* operation, const std::string& sql);

    IOtlConnection* m_previous;
    int m_dbType;
    std::function<bool(const std::string&)> m_refuse;
    std::string m_refusalText;
    std::vector<Call> m_calls;
    std::string m_lastError;
};
