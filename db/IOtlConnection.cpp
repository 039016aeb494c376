#include "db/IOtlConnection.h"

#include "db/COdbcConnection.h"
#include "db/ConnectionString.h"
#include "db/IOtlRecordset.h"

#include <utility>

namespace {
IOtlConnection* g_replacement = nullptr;

IOtlConnection::RoundTripHook& Hook()
{
    static IOtlConnection::RoundTripHook hook;
    return hook;
}
} // namespace

IOtlConnection* IOtlConnection::getInstance()
{
    if (g_replacement)
        return g_replacement;
    static COdbcConnection connection;
    return &connection;
}

IOtlConnection* IOtlConnection::setInstance(IOtlConnection* connection)
{
    IOtlConnection* previous = getInstance();
    g_replacement = connection;
    return previous;
}

bool IOtlConnection::ConnectDsn(const std::string& dsn, const std::string& user, const std::string& password,
                                std::string& errorText)
{
    return Connect(BuildConnectString(dsn, user, password), errorText);
}

bool IOtlConnection::ExecuteBatch(const std::vector<SqlStatement>& statements, std::size_t& executed)
{
    executed = 0;
    for (const SqlStatement& statement : statements) {
        if (!(statement.insert ? ExecuteInsert(statement.text) : ExecuteSql(statement.text)))
            return false;
        ++executed;
    }
    return true;
}

std::unique_ptr<IOtlConnection> IOtlConnection::NewSeparate() const
{
    return std::make_unique<COdbcConnection>();
}

bool IOtlConnection::EnsureOpen(bool& reconnected, OpenCheck)
{
    reconnected = false;
    return true;
}

IOtlConnection::RoundTripHook IOtlConnection::SetRoundTripHook(RoundTripHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

void IOtlConnection::RoundTripDone()
{
    if (Hook())
        Hook()();
}

void IOtlRecordset::DestroyInstance(IOtlRecordset* recordset)
{
    delete recordset;
}
