#include "config/CCfgDb.h"

#include "config/CCfgBackups.h"
#include "config/CCfgChanges.h"
#include "config/CCfgData.h"
#include "config/CCfgGroupSnapshot.h"
#include "config/CCfgLoader.h"
#include "config/CCfgSaveBuilder.h"
#include "config/CColumnRules.h"
#include "config/CfgGroups.h"
#include "config/CfgLoadReport.h"

CCfgDb* GetCfgDb()
{
    static CCfgDb cfgDb;
    return &cfgDb;
}

CCfgDb::CCfgDb() : m_loaded(std::make_unique<CfgLoadReport>()), m_reference(std::make_unique<CCfgData>()) {}

CCfgDb::~CCfgDb() = default;

std::string CCfgDb::GetDbError()
{
    return m_refusal.empty() ? IOtlConnection::getInstance()->GetLastErrorText() : m_refusal;
}

bool CCfgDb::LoadCfg(ILoadProgress& progress)
{
    m_refusal.clear();
    const bool loaded = CCfgLoader::Load(progress, *GetCfgData(), *m_loaded);
    for (CfgGroup group : kCfgGroups)
        SetReference(group, *GetCfgData());
    return loaded;
}

void CCfgDb::AdoptLoadReport(const CfgLoadReport& report)
{
    *m_loaded = report;
}

void CCfgDb::SetReference(CfgGroup group, const CCfgData& cfg)
{
    CopyCfgGroup(cfg, *m_reference, group);
    m_partlyWritten[static_cast<std::size_t>(group)] = false;
}

bool CCfgDb::EnsureConnected()
{
    m_refusal.clear();
    IOtlConnection* db = IOtlConnection::getInstance();
    if (db->EnsureOpen(m_reconnected))
        return true;
    m_refusal = "与数据库的连接已断开，重新连接也失败了：" + db->GetLastErrorText() +
                "\r\n请检查网络和数据库服务器后重试，或在“数据库 → 数据源设置”中重新连接；未写入任何内容";
    return false;
}

bool CCfgDb::SaveSysCfg()
{
    return SaveGroup(CfgGroup::System);
}

bool CCfgDb::SaveDevCfg()
{
    return SaveGroup(CfgGroup::Device);
}

bool CCfgDb::SaveLineCfg()
{
    return SaveGroup(CfgGroup::Lines);
}

bool CCfgDb::SaveGroup(CfgGroup group)
{
    m_refusal.clear();
    m_reconnected = false;
    m_declined = false;
    const std::string& gap = m_loaded->Gap(group);
    if (!gap.empty()) {
        // Saving rewrites whole tables: what was never read would be lost from the database.
        m_refusal = "启动时这组配置未能完整读取（" + gap +
                    "），保存会覆盖数据库中未读取的数据，因此未写入任何内容。请检查数据库中的这些表，然后重新"
                    "启动程序";
        return false;
    }
    if (!EnsureConnected())
        return false;
    return WriteGroup(group, *GetCfgData());
}

bool CCfgDb::WriteGroup(CfgGroup group, const CCfgData& cfg)
{
    m_refusal.clear();
    m_declined = false;
    m_lastBackup.clear();
    // The tables as they are now, held against another save of the group until this one has
    // written: what a colleague saved since is either kept or written over knowingly.
    CCfgGroupSnapshot now(group);
    if (!now.Take(m_refusal))
        return false;
    if (m_overwrite && !m_partlyWritten[static_cast<std::size_t>(group)]) {
        const CCfgChanges changes = CCfgChanges::Compare(*m_reference, now.Data());
        if (changes.Differs(group) && !m_overwrite(group, changes)) {
            m_declined = true;
            m_refusal = "数据库中的配置已被他人修改，已取消保存，未写入任何内容";
            return false;
        }
    }
    // Rows the program does not edit go back as the database holds them now.
    CfgLoadReport report = *m_loaded;
    report.Kept(group) = now.Report().Kept(group);
    IOtlConnection* db = IOtlConnection::getInstance();
    std::vector<SqlStatement> statements;
    if (!CCfgSaveBuilder::Build(group, cfg, report, now.Rules(), db->GetDbType(), statements, m_refusal))
        return false;
    // What the tables held goes to a backup first; without one nothing is written.
    QString backup;
    if (!CCfgBackups::Write(now.Data(), {db->DataSourceName(), CCfgBackups::Now(), group}, backup,
                            m_refusal)) {
        m_refusal += "，因此未写入任何内容";
        return false;
    }
    m_lastBackup = backup.toStdString();
    if (!Run(statements)) {
        // Letting go of the lock starts another operation, which would clear the reason.
        m_refusal = db->GetLastErrorText() + "\r\n这组配置的表可能只写入了一部分。写入前的内容已备份在 " +
                    m_lastBackup + "，可用“数据库 → 恢复备份...”恢复";
        NotePartlyWritten(group);
        return false;
    }
    *m_loaded = std::move(report);
    SetReference(group, cfg);
    return true;
}

bool CCfgDb::Run(const std::vector<SqlStatement>& statements)
{
    m_refusal.clear();
    std::size_t executed = 0;
    return IOtlConnection::getInstance()->ExecuteBatch(statements, executed);
}
