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

void IOtlRecordset::DestroyInstance(IOtlRecordset* recordset)
{
    delete recordset;
}
