// Setting up the schemas: the configuration tables, the statistics tables and their procedure.
#include "config/CCfgDb.h"
#include "db/CCfgSchema.h"
#include "db/CStatSchema.h"

bool CCfgDb::ClearCfgTables()
{
    m_refusal.clear();
    return CCfgSchema::ClearCfgTables();
}

bool CCfgDb::CreateCfgTables()
{
    m_refusal.clear();
    return CCfgSchema::CreateCfgTables();
}

bool CCfgDb::ClearStatTables()
{
    m_refusal.clear();
    return CStatSchema::ClearStatTables();
}

bool CCfgDb::CreateStatTables()
{
    m_refusal.clear();
    return CStatSchema::CreateStatTables();
}

bool CCfgDb::CreateStatProcSqlServer()
{
    m_refusal.clear();
    return CStatSchema::CreateStatProcSqlServer(m_refusal);
}

bool CCfgDb::CreateStatProcMySql()
{
    m_refusal.clear();
    return CStatSchema::CreateStatProcMySql(m_refusal);
}
