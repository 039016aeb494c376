#include "config/database/CCfgDb.h"

#include "config/database/CCfgLoader.h"
#include "config/database/CCfgWriter.h"
#include "config/document/CCfgDocument.h"
#include "db/CCfgSchema.h"
#include "db/CStatSchema.h"
#include "db/IOtlConnection.h"

CCfgDb* GetCfgDb()
{
    static CCfgDb cfgDb;
    return &cfgDb;
}

CCfgDocument* GetCfgDocument()
{
    static CCfgDocument document;
    return &document;
}

CCfgData* GetCfgData()
{
    return &GetCfgDocument()->Store();
}

std::string CCfgDb::GetDbError()
{
    return m_refusal.empty() ? IOtlConnection::getInstance()->GetLastErrorText() : m_refusal;
}

bool CCfgDb::LoadCfg(ILoadProgress& progress)
{
    m_refusal.clear();
    CCfgData cfg;
    CfgLoadReport report;
    const bool loaded = CCfgLoader::Load(*IOtlConnection::getInstance(), progress, cfg, report);
    GetCfgDocument()->Adopt(cfg, report);
    return loaded;
}

CfgWriteOutcome CCfgDb::Save(CfgGroup group, ICfgOverwriteQuestion* question)
{
    CfgWriteOutcome outcome =
        CCfgWriter::Save(*IOtlConnection::getInstance(), *GetCfgDocument(), group, question);
    m_refusal = outcome.error;
    return outcome;
}

bool CCfgDb::SaveSysCfg()
{
    return Save(CfgGroup::System, nullptr).IsWritten();
}

bool CCfgDb::SaveDevCfg()
{
    return Save(CfgGroup::Device, nullptr).IsWritten();
}

bool CCfgDb::SaveLineCfg()
{
    return Save(CfgGroup::Lines, nullptr).IsWritten();
}

bool CCfgDb::ClearCfgTables()
{
    m_refusal.clear();
    return CCfgSchema::ClearCfgTables(*IOtlConnection::getInstance());
}

bool CCfgDb::CreateCfgTables()
{
    m_refusal.clear();
    return CCfgSchema::CreateCfgTables(*IOtlConnection::getInstance());
}

bool CCfgDb::ClearStatTables()
{
    m_refusal.clear();
    return CStatSchema::ClearStatTables(*IOtlConnection::getInstance());
}

bool CCfgDb::CreateStatTables()
{
    m_refusal.clear();
    return CStatSchema::CreateStatTables(*IOtlConnection::getInstance());
}

bool CCfgDb::CreateStatProcSqlServer()
{
    m_refusal.clear();
    return CStatSchema::CreateStatProcSqlServer(*IOtlConnection::getInstance(), m_refusal);
}

bool CCfgDb::CreateStatProcMySql()
{
    m_refusal.clear();
    return CStatSchema::CreateStatProcMySql(*IOtlConnection::getInstance(), m_refusal);
}
