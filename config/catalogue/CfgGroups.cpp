#include "config/catalogue/CfgGroups.h"

#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/CfgSettings.h"
#include "config/catalogue/MessageList.h"

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
    std::vector<std::string> names;
    for (CfgGroup group : groups)
        names.push_back(CfgGroupName(group));
    return MessageList(names);
}

std::vector<std::string> CfgGroupTables(CfgGroup group)
{
    std::vector<std::string> tables;
    if (group == CfgGroup::Lines)
        tables.push_back(ExtenTable().table);
    else
        tables.push_back(CfgSettingTable(group));
    if (group == CfgGroup::System)
        tables.push_back(IvrFlowTable().table);
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
    if (group == CfgGroup::System)
        to.IvrFlows = from.IvrFlows;
    if (group == CfgGroup::Lines)
        SetExtensInOrder(to.Extens, ExtensInOrder(from.Extens));
    ForEachRecordTable(
        group, [&from, &to](const auto& table) { CopyRecords(from.*table.member, to.*table.member); });
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
