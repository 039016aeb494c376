// Setting up the schemas: the configuration tables, the statistics tables and their procedure.
#include "config/CCfgDb.h"
#include "db/CCfgSchema.h"
#include "db/CStatSchema.h"

bool CCfgDb::ClearCfgTables()
{
    return CCfgSchema::ClearCfgTables();
}

bool CCfgDb::CreateCfgTables()
{
    return CCfgSchema::CreateCfgTables();
}

bool CCfgDb::ClearStatTables()
{
    return CStatSchema::ClearStatTables();
}

bool CCfgDb::CreateStatTables()
{
    return CStatSchema::CreateStatTables();
}

bool CCfgDb::CreateStatProcSqlServer()
{
    return CStatSchema::CreateStatProcSqlServer();
}

bool CCfgDb::CreateStatProcMySql()
{
    return CStatSchema::CreateStatProcMySql();
}
