#include "config/CCfgDb.h"

#include "db/IOtlConnection.h"

CCfgDb* GetCfgDb()
{
    static CCfgDb cfgDb;
    return &cfgDb;
}

std::string CCfgDb::GetDbError()
{
    return m_refusal.empty() ? IOtlConnection::getInstance()->GetLastErrorText() : m_refusal;
}

void CCfgDb::NoteLoadGap(CfgGroup group, const std::string& what)
{
    std::string& gap = m_loadGaps[Index(group)];
    if (gap.empty())
        gap = what;
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

bool CCfgDb::BeginSave(CfgGroup group)
{
    m_refusal.clear();
    m_reconnected = false;
    const std::string& gap = LoadGap(group);
    if (!gap.empty()) {
        // Saving rewrites whole tables: what was never read would be lost from the database.
        m_refusal = "启动时这组配置未能完整读取（" + gap +
                    "），保存会覆盖数据库中未读取的数据，因此未写入任何内容。请检查数据库中的这些表，然后重新启动程序";
        return false;
    }
    return EnsureConnected();
}
