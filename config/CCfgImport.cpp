#include "config/CCfgImport.h"

#include "config/CCfgChanges.h"
#include "config/CCfgData.h"
#include "config/CCfgFile.h"
#include "config/CColumnRules.h"
#include "config/CfgGroups.h"
#include "config/CfgSettings.h"
#include "db/IOtlConnection.h"

namespace {

/// Checks values against the columns they are saved to, keeping the first that does not fit.
class CColumnCheck
{
public:
    explicit CColumnCheck(const std::vector<CfgGroup>& groups)
    {
        std::vector<std::string> tables;
        for (CfgGroup group : groups) {
            for (std::string& table : CfgGroupTables(group))
                tables.push_back(std::move(table));
        }
        m_rules = CColumnRules::Read(IOtlConnection::getInstance(), tables);
    }

    void Text(const std::string& path, const char* table, const char* column, const std::string& text)
    {
        if (m_error.empty())
            Note(path, m_rules.CheckText(table, column, text));
    }

    void Number(const std::string& path, const char* table, const char* column, int value)
    {
        if (m_error.empty())
            Note(path, m_rules.CheckNumber(table, column, value));
    }

    const std::string& Error() const { return m_error; }

private:
    void Note(const std::string& path, const std::string& reason)
    {
        if (!reason.empty())
            m_error = "文件中 " + path + " 的值" + reason + "；未写入任何内容";
    }

    CColumnRules m_rules;
    std::string m_error;
};

std::string Element(const char* list, std::size_t index)
{
    return std::string(list) + "[" + std::to_string(index) + "]";
}

void CheckSettings(const CCfgData& cfg, CfgGroup group, const char* table, CColumnCheck& check)
{
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group == group) {
            check.Text(std::string(CCfgFile::GroupKey(group)) + "." + setting.key, table, "value",
                       setting.text ? cfg.*setting.text : std::to_string(cfg.*setting.number));
        }
    }
}

void CheckMiddleware(const CCfgData& cfg, CColumnCheck& check)
{
    CheckSettings(cfg, CfgGroup::System, "conf_system", check);
    for (std::size_t index = 0; index < cfg.IvrFlows.size(); ++index)
        check.Text(Element("middleware.IvrFlows", index), "conf_ivr_flow", "FilePath", cfg.IvrFlows[index]);
}

void CheckDevice(const CCfgData& cfg, CColumnCheck& check)
{
    CheckSettings(cfg, CfgGroup::Device, "conf_dev", check);
    std::size_t index = 0;
    for (const auto& line : cfg.IpoLines) {
        const std::string path = Element("device.IpoLines", index++);
        check.Text(path + ".value", "conf_vs", "value", line->value);
        check.Text(path + ".name", "conf_vs", "name", line->name);
        check.Text(path + ".value2", "conf_vs", "value2", line->value2);
    }
}

void CheckLines(const CCfgData& cfg, CColumnCheck& check)
{
    std::size_t index = 0;
    cfg.Extens.ForEach([&check, &index](unsigned number, const std::string& password) {
        const std::string path = Element("lines.Extens", index++);
        check.Number(path + ".number", "conf_line", "id", static_cast<int>(number));
        check.Text(path + ".password", "conf_line", "value", password);
    });
    index = 0;
    for (const auto& a : cfg.SipAccounts) {
        const std::string path = Element("lines.SipAccounts", index++);
        check.Number(path + ".id", "conf_sip_account", "id", a->id);
        check.Text(path + ".account", "conf_sip_account", "account", a->account);
        check.Text(path + ".auth_account", "conf_sip_account", "auth_account", a->auth_account);
        check.Text(path + ".password", "conf_sip_account", "password", a->password);
        check.Text(path + ".proxy_addr", "conf_sip_account", "proxy_addr", a->proxy_addr);
        check.Number(path + ".proxy_port", "conf_sip_account", "proxy_port", a->proxy_port);
        check.Number(path + ".reg_interval", "conf_sip_account", "reg_interval", a->reg_interval);
    }
    index = 0;
    for (const auto& t : cfg.TrunkItems) {
        const std::string path = Element("lines.TrunkItems", index++);
        check.Number(path + ".id", "conf_trunk_item", "id", t->id);
        check.Number(path + ".node", "conf_trunk_item", "node", t->node);
        check.Number(path + ".board", "conf_trunk_item", "board", t->board);
        check.Number(path + ".span", "conf_trunk_item", "span", t->span);
        check.Number(path + ".sip_user", "conf_trunk_item", "sip_user", t->sip_user);
    }
    index = 0;
    for (const auto& m : cfg.TrunkMatches) {
        const std::string path = Element("lines.TrunkMatches", index++);
        check.Text(path + ".prefix", "conf_trunk_match", "prefix", m->prefix);
        check.Text(path + ".caller", "conf_trunk_match", "caller", m->caller);
        check.Number(path + ".trunk_id", "conf_trunk_match", "trunk_id", m->trunk_id);
        check.Number(path + ".priority", "conf_trunk_match", "priority", m->priority);
    }
}

bool Save(CfgGroup group)
{
    CCfgDb* cfgDb = GetCfgDb();
    switch (group) {
    case CfgGroup::System:
        return cfgDb->SaveSysCfg();
    case CfgGroup::Device:
        return cfgDb->SaveDevCfg();
    case CfgGroup::Lines:
        break;
    }
    return cfgDb->SaveLineCfg();
}

} // namespace

std::string CCfgImport::LoadGaps()
{
    for (CfgGroup group : kCfgGroups) {
        const std::string& gap = GetCfgDb()->LoadGap(group);
        if (!gap.empty())
            return CfgGroupName(group) + "未能从数据库完整读取（" + gap + "）";
    }
    // A text the store holds shortened is not the database's either.
    return GetCfgDb()->CutTextStillHeld();
}

std::string CCfgImport::CheckColumns(const CCfgData& incoming, const std::vector<CfgGroup>& groups)
{
    CColumnCheck check(groups);
    for (CfgGroup group : groups) {
        switch (group) {
        case CfgGroup::System:
            CheckMiddleware(incoming, check);
            break;
        case CfgGroup::Device:
            CheckDevice(incoming, check);
            break;
        case CfgGroup::Lines:
            CheckLines(incoming, check);
            break;
        }
    }
    return check.Error();
}

bool CCfgImport::WriteChanged(const CCfgData& incoming, const CCfgChanges& changes,
                              std::vector<CfgGroup>& written, std::string& error)
{
    written.clear();
    const std::vector<CfgGroup> groups = changes.DifferingGroups();
    if (groups.empty())
        return true;
    // What was compared must be what the database holds, and every value must fit, before
    // the first table is emptied.
    error = LoadGaps();
    if (!error.empty()) {
        error += "，未写入任何内容";
        return false;
    }
    error = CheckColumns(incoming, groups);
    if (!error.empty())
        return false;

    for (CfgGroup group : groups) {
        CopyCfgGroup(incoming, *GetCfgData(), group);
        if (!Save(group)) {
            error = CfgGroupName(group) + "写入失败，" + GetCfgDb()->GetDbError();
            if (!written.empty())
                error += "（此前已写入：" + CfgGroupNames(written) + "）";
            return false;
        }
        written.push_back(group);
    }
    return true;
}
