#include "config/catalogue/CfgGroups.h"

#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/CfgSettings.h"
#include "config/catalogue/MessageList.h"

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
    std::vector<std::string> names;
    for (CfgGroup group : groups)
        names.push_back(CfgGroupName(group));
    return MessageList(names);
}

std::vector<std::string> CfgGroupTables(CfgGroup group)
{
    std::vector<std::string> tables;
    if (group != CfgGroup::Lines)
        tables.push_back(CfgSettingTable(group));
    ForEachRecordTable(group, [&tables](const auto& table) { tables.push_back(table.table); });
    return tables;
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
    ForEachRecordTable(group, [&from, &to](const auto& table) { table.records.copy(from, to); });
}

ExtenList ExtensInOrder(const CExtenMap& extens)
{
    ExtenList list;
    list.reserve(extens.GetCount());
    extens.ForEach([&list](int number, const std::string& password) { list.emplace_back(number, password); });
    return list;
}

void SetExtensInOrder(CExtenMap& extens, const ExtenList& list)
{
    extens.RemoveAll();
    for (auto entry = list.rbegin(); entry != list.rend(); ++entry)
        extens.SetAt(entry->first, entry->second);
}
