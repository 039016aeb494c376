// Saving: each group of the store written back to its tables.
#include "config/CCfgData.h"
#include "config/CCfgDb.h"
#include "config/CSqlSequence.h"

namespace {

/// "INSERT INTO <table> (Name, Value) VALUES ('<key>', '%s')" for the key/value tables.
class CSettingWriter
{
public:
    CSettingWriter(CSqlSequence& sql, const char* table) : m_sql(sql), m_table(table) {}

    void operator()(const char* format, const char* key, const std::string& value)
    {
        m_sql.Insert(format, {m_sql.Text(value, m_table, "value", std::string("设置 ") + key + " 的值")});
    }
    void operator()(const char* format, const char* key, int value) { (*this)(format, key, std::to_string(value)); }

private:
    CSqlSequence& m_sql;
    const char* m_table;
};

/// A kept value as it goes into its statement: quoted text, or NULL.
std::string KeptValue(CSqlSequence& sql, const std::optional<std::string>& value, const char* table, const char* column,
                      const std::string& what)
{
    return value ? "'" + sql.Text(*value, table, column, what) + "'" : std::string("NULL");
}

/// The settings of names this program does not know, written back as they were.
void WriteKeptSettings(CSqlSequence& sql, const char* format, const char* table,
                       const std::vector<CCfgDb::KeptRow>& kept)
{
    for (const CCfgDb::KeptRow& setting : kept) {
        const std::string what = "数据库中的设置 " + setting.name + " 的";
        sql.Insert(format, {sql.Text(setting.name, table, "name", what + "名称"),
                            KeptValue(sql, setting.value, table, "value", what + "值")});
    }
}

std::string Ordinal(std::size_t index)
{
    return "第 " + std::to_string(index + 1) + " 项";
}

} // namespace

bool CCfgDb::SaveSysCfg()
{
    if (!BeginSave(CfgGroup::System))
        return false;
    const CCfgData& cfg = *GetCfgData();
    CSqlSequence sql({"conf_system", "conf_ivr_flow"});
    CSettingWriter setting(sql, "conf_system");

    sql.Sql("TRUNCATE TABLE conf_system");
    setting("INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '%s')", "CtiAddr", cfg.CtiAddr);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('CtiPort', '%s')", "CtiPort", cfg.CtiPort);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('RecPath', '%s')", "RecPath", cfg.RecPath);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('RecType', '%d')", "RecType", cfg.RecType);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('DevType', '%d')", "DevType", cfg.DevType);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('AcdPort', '%s')", "AcdPort", cfg.AcdPort);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('AgentLockedPeriod', '%s')", "AgentLockedPeriod",
            cfg.AgentLockedPeriod);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('PPTime', '%s')", "PPTime", cfg.PPTime);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('PPType', '%d')", "PPType", cfg.PPType);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('QueueType', '%d')", "QueueType", cfg.QueueType);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('LeaveWordPath', '%s')", "LeaveWordPath", cfg.LeaveWordPath);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('IvrFlowCount', '%s')", "IvrFlowCount", cfg.IvrFlowCount);
    sql.Sql("TRUNCATE TABLE conf_ivr_flow");
    for (std::size_t index = 0; index < cfg.IvrFlows.size(); ++index) {
        sql.Insert("INSERT INTO conf_ivr_flow (FilePath) VALUES ('%s')",
                   {sql.Text(cfg.IvrFlows[index], "conf_ivr_flow", "FilePath", "IVR流程文件" + Ordinal(index))});
    }
    setting("INSERT INTO conf_system (Name, Value) VALUES ('LogPath', '%s')", "LogPath", cfg.LogPath);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('CallConcurrency', '%s')", "CallConcurrency",
            cfg.CallConcurrency);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('TtsBufferPath', '%s')", "TtsBufferPath", cfg.TtsBufferPath);
    setting("INSERT INTO conf_system (Name, Value) VALUES ('TtsType', '%d')", "TtsType", cfg.TtsType);
    WriteKeptSettings(sql, "INSERT INTO conf_system (Name, Value) VALUES ('%s', %s)", "conf_system", m_keptSystem);
    const bool done = sql.Run();
    m_refusal = sql.Refusal();
    return done;
}

bool CCfgDb::SaveDevCfg()
{
    if (!BeginSave(CfgGroup::Device))
        return false;
    const CCfgData& cfg = *GetCfgData();
    CSqlSequence sql({"conf_dev", "conf_vs"});
    CSettingWriter setting(sql, "conf_dev");

    sql.Sql("TRUNCATE TABLE conf_dev");
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', '%s')", "ScAddr", cfg.ScAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('ScPort', '%s')", "ScPort", cfg.ScPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('McAddr', '%s')", "McAddr", cfg.McAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('McPort', '%s')", "McPort", cfg.McPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('DigTrunkCount', '%s')", "DigTrunkCount", cfg.DigTrunkCount);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('VoipTrunkCount', '%s')", "VoipTrunkCount", cfg.VoipTrunkCount);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('VoipSignallingAddr', '%s')", "VoipSignallingAddr",
            cfg.VoipSignallingAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('VoipMediaAddr', '%s')", "VoipMediaAddr", cfg.VoipMediaAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FaxServerAddr', '%s')", "FaxServerAddr", cfg.FaxServerAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FaxServerPort', '%s')", "FaxServerPort", cfg.FaxServerPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('DevLinkIp', '%s')", "DevLinkIp", cfg.DevLinkIp);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('DevLinkPwd', '%s')", "DevLinkPwd", cfg.DevLinkPwd);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('IpoLinkPort', '%s')", "IpoLinkPort", cfg.IpoLinkPort);
    sql.Sql("TRUNCATE TABLE conf_vs");
    std::size_t index = 0;
    for (const auto& line : cfg.IpoLines) {
        const std::string what = "IPO线路" + Ordinal(index++) + "（线路号 " + line->value + "）的";
        sql.Insert("INSERT INTO conf_vs (name, Value, value2) VALUES ('%s', '%s', '%s')",
                   {sql.Text(line->name, "conf_vs", "name", what + "线路类型"),
                    sql.Text(line->value, "conf_vs", "value", what + "线路号"),
                    sql.Text(line->value2, "conf_vs", "value2", what + "关联VS线路")});
    }
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsEslAddr', '%s')", "FsEslAddr", cfg.FsEslAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsEslPort', '%s')", "FsEslPort", cfg.FsEslPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsEslPwd', '%s')", "FsEslPwd", cfg.FsEslPwd);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsIvrPort', '%s')", "FsIvrPort", cfg.FsIvrPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsTrunkCount', '%s')", "FsTrunkCount", cfg.FsTrunkCount);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsExtContext', '%s')", "FsExtContext", cfg.FsExtContext);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsMeetingContext', '%s')", "FsMeetingContext",
            cfg.FsMeetingContext);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsPCallContext', '%s')", "FsPCallContext", cfg.FsPCallContext);
    WriteKeptSettings(sql, "INSERT INTO conf_dev (Name, Value) VALUES ('%s', %s)", "conf_dev", m_keptDevice);
    const bool done = sql.Run();
    m_refusal = sql.Refusal();
    return done;
}

bool CCfgDb::SaveLineCfg()
{
    if (!BeginSave(CfgGroup::Lines))
        return false;
    m_refusal = CutTextStillHeld();
    if (!m_refusal.empty())
        return false;
    const CCfgData& cfg = *GetCfgData();
    CSqlSequence sql({"conf_line", "conf_sip_account", "conf_trunk_item", "conf_trunk_match"});

    sql.Sql("TRUNCATE TABLE conf_line");
    cfg.Extens.ForEach([&sql](unsigned number, const std::string& password) {
        // The key is the 32 bits loading read from the signed id column: written back as
        // that same number, so a number stored there comes back unchanged.
        const std::string what = "分机 " + std::to_string(number);
        sql.Insert("INSERT INTO conf_line (id, type, Value) VALUES (%u, %d, '%s')",
                   {sql.Number(static_cast<int>(number), "conf_line", "id", what + " 的分机号"), "0",
                    sql.Text(password, "conf_line", "value", what + " 的接入密码")});
    });
    // Lines of other types are not the extensions': written back as they were, under their
    // own numbers, which no extension may take.
    for (const KeptRow& line : m_keptLines) {
        std::string text;
        if (cfg.Extens.Lookup(static_cast<unsigned>(line.id), text)) {
            m_refusal = "分机 " + std::to_string(static_cast<unsigned>(line.id)) + " 与数据库中类型为 " +
                        std::to_string(line.type) + " 的线路同号，而 conf_line 的每个号码只能出现一次。"
                        "请换一个分机号；未写入任何内容";
            return false;
        }
        const std::string what = "数据库中类型为 " + std::to_string(line.type) + " 的线路 " + std::to_string(line.id) + " 的";
        sql.Insert("INSERT INTO conf_line (id, type, Value) VALUES (%d, %d, %s)",
                   {std::to_string(line.id), std::to_string(line.type),
                    KeptValue(sql, line.value, "conf_line", "value", what + "值")});
    }
    sql.Sql("TRUNCATE TABLE conf_sip_account");
    for (const auto& account : cfg.SipAccounts) {
        const std::string what = "SIP账户" + std::to_string(account->id) + " 的";
        sql.Insert("INSERT INTO conf_sip_account (id, account, auth_account, password, proxy_addr, proxy_port, reg, "
                   "reg_interval) VALUES (%d, '%s', '%s', '%s', '%s', %d, '%s', %d)",
                   {sql.Number(account->id, "conf_sip_account", "id", what + "ID"),
                    sql.Text(account->account, "conf_sip_account", "account", what + "账户"),
                    sql.Text(account->auth_account, "conf_sip_account", "auth_account", what + "鉴权账户"),
                    sql.Text(account->password, "conf_sip_account", "password", what + "密码"),
                    sql.Text(account->proxy_addr, "conf_sip_account", "proxy_addr", what + "注册地址"),
                    sql.Number(account->proxy_port, "conf_sip_account", "proxy_port", what + "注册端口"),
                    account->reg ? "true" : "false",
                    sql.Number(account->reg_interval, "conf_sip_account", "reg_interval", what + "注册间隔")});
    }
    sql.Sql("TRUNCATE TABLE conf_trunk_item");
    for (const auto& item : cfg.TrunkItems) {
        const std::string what = "中继项" + std::to_string(item->id) + " 的";
        sql.Insert("INSERT INTO conf_trunk_item (id, node, board, span, sip_user) VALUES (%d, %d, %d, %d, %d)",
                   {sql.Number(item->id, "conf_trunk_item", "id", what + "ID"),
                    sql.Number(item->node, "conf_trunk_item", "node", what + "设备节点"),
                    sql.Number(item->board, "conf_trunk_item", "board", what + "设备板号"),
                    sql.Number(item->span, "conf_trunk_item", "span", what + "数字中继口"),
                    sql.Number(item->sip_user, "conf_trunk_item", "sip_user", what + "SIP账号ID")});
    }
    sql.Sql("TRUNCATE TABLE conf_trunk_match");
    for (const auto& match : cfg.TrunkMatches) {
        const std::string what = "中继匹配" + std::to_string(match->id) + " 的";
        sql.Insert("INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES ('%s', '%s', %d, %d)",
                   {sql.Text(match->prefix, "conf_trunk_match", "prefix", what + "字冠"),
                    sql.Text(match->caller, "conf_trunk_match", "caller", what + "透传号码"),
                    sql.Number(match->trunk_id, "conf_trunk_match", "trunk_id", what + "中继项ID"),
                    sql.Number(match->priority, "conf_trunk_match", "priority", what + "优先级")});
    }
    const bool done = sql.Run();
    m_refusal = sql.Refusal();
    return done;
}
