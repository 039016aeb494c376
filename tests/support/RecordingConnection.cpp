#include "support/RecordingConnection.h"

#include "db/CMemoryRecordset.h"

RecordingConnection::RecordingConnection(int dbType)
    : m_previous(IOtlConnection::setInstance(this)), m_dbType(dbType)
{
}

RecordingConnection::~RecordingConnection()
{
    IOtlConnection::setInstance(m_previous);
}

void RecordingConnection::FailWhen(std::function<bool(const std::string&)> refuse, std::string errorText)
{
    m_refuse = std::move(refuse);
    m_refusalText = std::move(errorText);
}

std::vector<std::string> RecordingConnection::Statements() const
{
    std::vector<std::string> statements;
    for (const Call& call : m_calls)
        statements.push_back(call.sql);
    return statements;
}

std::vector<RecordingConnection::Call> RecordingConnection::Writes() const
{
    std::vector<Call> writes;
    for (const Call& call : m_calls) {
        const bool read = call.operation == "QueryValue" || call.operation == "OpenRecordset";
        if (!read && call.sql.find("applock") == std::string::npos)
            writes.push_back(call);
    }
    return writes;
}

bool RecordingConnection::Record(const char* operation, const std::string& sql)
{
    m_calls.push_back({operation, sql});
    m_lastError.clear();
    if (m_refuse && m_refuse(sql)) {
        m_lastError = m_refusalText;
        return false;
    }
    return true;
}

bool RecordingConnection::Reconnect()
{
    return true;
}

bool RecordingConnection::Connect(const std::string&, std::string&)
{
    return true;
}

bool RecordingConnection::Disconnect()
{
    return true;
}

int RecordingConnection::GetDbType()
{
    return m_dbType;
}

bool RecordingConnection::ExecuteSql(const std::string& sql)
{
    return Record("ExecuteSql", sql);
}

bool RecordingConnection::ExecuteSqlNoCheck(const std::string& sql)
{
    return Record("ExecuteSqlNoCheck", sql);
}

bool RecordingConnection::ExecuteInsert(const std::string& sql)
{
    return Record("ExecuteInsert", sql);
}

std::string RecordingConnection::QueryValue(const std::string& sql)
{
    Record("QueryValue", sql);
    return {};
}

IOtlRecordset* RecordingConnection::OpenRecordset(const std::string& sql)
{
    if (!Record("OpenRecordset", sql))
        return nullptr;
    return new CMemoryRecordset({});
}

std::string RecordingConnection::GetLastErrorText()
{
    return m_lastError;
}
