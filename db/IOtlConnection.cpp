#include "db/IOtlConnection.h"

#include "db/COdbcConnection.h"
#include "db/IOtlRecordset.h"

namespace {
IOtlConnection* g_replacement = nullptr;
}

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

void IOtlRecordset::DestroyInstance(IOtlRecordset* recordset)
{
    delete recordset;
}
