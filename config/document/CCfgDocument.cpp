#include "config/document/CCfgDocument.h"

#include "config/catalogue/CfgGroups.h"

void CCfgDocument::Adopt(const CCfgData& cfg, const CfgLoadReport& report)
{
    m_loaded = report;
    for (CfgGroup group : kCfgGroups) {
        CopyCfgGroup(cfg, m_store, group);
        SetReference(group, cfg);
        m_digestHeld[Index(group)] = report.digested[Index(group)];
    }
}

void CCfgDocument::SetReference(CfgGroup group, const CCfgData& cfg)
{
    CopyCfgGroup(cfg, m_reference, group);
    m_partlyWritten[Index(group)] = false;
    m_digestHeld[Index(group)] = false;
}

void CCfgDocument::Written(CfgGroup group, const CCfgData& cfg, const CfgLoadReport& kept)
{
    m_loaded.Kept(group) = kept.Kept(group);
    SetReference(group, cfg);
    m_digestHeld[Index(group)] = true;
}
