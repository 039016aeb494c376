#include "config/CfgGroups.h"

#include "config/CfgSettings.h"

#include <memory>

namespace {

template <class Record> void CopyRecords(const CRecordList<Record>& from, CRecordList<Record>& to)
{
    to.DeleteAll();
    for (const auto& record : from)
        to.AddTail(std::make_unique<Record>(*record));
}

} // namespace

std::string CfgGroupName(CfgGroup group)
{
    switch (group) {
    case CfgGroup::System:
        return "中间件配置";
    case CfgGroup::Device:
        return "设备配置";
    case CfgGroup::Lines:
        break;
    }
    return "线路配置";
}

std::string CfgGroupNames(const std::vector<CfgGroup>& groups)
{
    std::string names;
    for (CfgGroup group : groups)
        names += (names.empty() ? "" : "、") + CfgGroupName(group);
    return names;
}

std::vector<std::string> CfgGroupTables(CfgGroup group)
{
    switch (group) {
    case CfgGroup::System:
        return {"conf_system", "conf_ivr_flow"};
    case CfgGroup::Device:
        return {"conf_dev", "conf_vs"};
    case CfgGroup::Lines:
        break;
    }
    return {"conf_line", "conf_sip_account", "conf_trunk_item", "conf_trunk_match"};
}

void CopyCfgGroup(const CCfgData& from, CCfgData& to, CfgGroup group)
{
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        if (setting.kind == SettingKind::Text)
            to.*setting.text = from.*setting.text;
        else
            to.*setting.number = from.*setting.number;
    }
    switch (group) {
    case CfgGroup::System:
        to.IvrFlows = from.IvrFlows;
        break;
    case CfgGroup::Device:
        CopyRecords(from.IpoLines, to.IpoLines);
        break;
    case CfgGroup::Lines:
        SetExtensInOrder(to.Extens, ExtensInOrder(from.Extens));
        CopyRecords(from.SipAccounts, to.SipAccounts);
        CopyRecords(from.TrunkItems, to.TrunkItems);
        CopyRecords(from.TrunkMatches, to.TrunkMatches);
        break;
    }
}

ExtenList ExtensInOrder(const CExtenMap& extens)
{
    ExtenList list;
    list.reserve(extens.GetCount());
    extens.ForEach(
        [&list](unsigned number, const std::string& password) { list.emplace_back(number, password); });
    return list;
}

void SetExtensInOrder(CExtenMap& extens, const ExtenList& list)
{
    extens.RemoveAll();
    for (auto entry = list.rbegin(); entry != list.rend(); ++entry)
        extens.SetAt(entry->first, entry->second);
}
