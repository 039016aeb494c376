#include "config/document/CCfgChanges.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace {

const char* const kHidden = "（不显示）";

std::size_t Index(CfgGroup group)
{
    return static_cast<std::size_t>(group);
}

/// A text as it is shown: in double quotes, with quotes, backslashes and control
/// characters escaped, so that an empty text or trailing blanks can be seen.
std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

struct Field
{
    const char* label;
    std::string value; // as shown, texts quoted
    bool secret;
};

/// A record as the comparison sees it: its key as shown ("8001", "线路号 \"201\"，线路类型
/// \"EXT\"") and the fields beside the key.
struct Item
{
    std::string key;
    std::vector<Field> fields;
};

/// A record added or removed: the fields it shows (a secret is no news of its own).
std::string Describe(const Item& item)
{
    std::string text;
    for (const Field& field : item.fields) {
        if (!field.secret)
            text += (text.empty() ? " " : "，") + std::string(field.label) + " " + field.value;
    }
    return text;
}

std::string Differences(const std::vector<Field>& before, const std::vector<Field>& after)
{
    std::string text;
    for (std::size_t index = 0; index < before.size(); ++index) {
        const Field& old = before[index];
        const Field& now = after[index];
        if (old.value == now.value)
            continue;
        text += (text.empty() ? "" : "，") + std::string(old.label) +
                (old.secret ? std::string("已更改") + kHidden : " " + old.value + " -> " + now.value);
    }
    return text;
}

/// Compares two lists of one kind, pairing records by key; `ordered` when the database keeps
/// the list's order, so that another order is a change of its own.
void CompareList(const char* caption, const std::vector<Item>& before, const std::vector<Item>& after,
                 bool ordered, std::vector<std::string>& lines)
{
    struct Occurrences
    {
        std::vector<std::size_t> before; // positions in `before`
        std::size_t paired = 0;
        std::size_t inAfter = 0;
    };
    std::unordered_map<std::string, Occurrences> keys;
    keys.reserve(before.size() + after.size());
    for (std::size_t index = 0; index < before.size(); ++index)
        keys[before[index].key].before.push_back(index);
    for (const Item& item : after)
        ++keys[item.key].inAfter;

    auto name = [caption, &keys](const std::string& key, std::size_t occurrence) {
        const Occurrences& seen = keys.at(key);
        std::string text = std::string(caption) + " " + key;
        if (seen.before.size() > 1 || seen.inAfter > 1)
            text += "（第 " + std::to_string(occurrence + 1) + " 个）";
        return text + "：";
    };

    std::vector<bool> paired(before.size(), false);
    std::vector<std::size_t> pairedInOrder;
    std::unordered_map<std::string, std::size_t> seenInAfter;
    for (const Item& item : after) {
        Occurrences& seen = keys.at(item.key);
        const std::size_t occurrence = seenInAfter[item.key]++;
        if (seen.paired < seen.before.size()) {
            const std::size_t match = seen.before[seen.paired++];
            paired[match] = true;
            pairedInOrder.push_back(match);
            const std::string differences = Differences(before[match].fields, item.fields);
            if (!differences.empty())
                lines.push_back(name(item.key, occurrence) + differences);
        } else {
            lines.push_back(name(item.key, occurrence) + "新增" + Describe(item));
        }
    }
    std::unordered_map<std::string, std::size_t> seenInBefore;
    for (std::size_t index = 0; index < before.size(); ++index) {
        const std::size_t occurrence = seenInBefore[before[index].key]++;
        if (paired[index])
            continue;
        lines.push_back(name(before[index].key, occurrence) + "删除" + Describe(before[index]));
    }
    if (ordered && !std::is_sorted(pairedInOrder.begin(), pairedInOrder.end()))
        lines.push_back(std::string(caption) + "：顺序改变");
}

/// A record's field as shown: texts quoted, flags as 是 or 否.
template <class Record> std::string Shown(const RecordField<Record>& field, const Record& record)
{
    return field.Visit(
        record, [](const std::string& text) { return Quoted(text); },
        [](int number) { return std::to_string(number); },
        [](bool flag) { return std::string(flag ? "是" : "否"); });
}

/// A setting's value as shown: a text quoted, an index with the choice it names.
std::string Shown(const CfgSetting& setting, const CCfgData& cfg)
{
    if (setting.kind == SettingKind::Text)
        return Quoted(setting.Value(cfg));
    const int index = cfg.*setting.number;
    std::string shown = std::to_string(index);
    if (index >= 0 && static_cast<std::size_t>(index) < setting.options.size())
        shown += std::string("（") + setting.options[static_cast<std::size_t>(index)] + "）";
    return shown;
}

/// The records of a list: the key fields in their rank, the others beside the key. A key of
/// one field is shown as its value alone: "SIP账户 3".
template <class Record> std::vector<Item> Records(const RecordTable<Record>& table, const CCfgData& cfg)
{
    std::vector<const RecordField<Record>*> keys;
    for (const RecordField<Record>& field : table.fields) {
        if (field.keyRank > 0)
            keys.push_back(&field);
    }
    std::sort(keys.begin(), keys.end(), [](const auto* a, const auto* b) { return a->keyRank < b->keyRank; });
    const bool bare = keys.size() == 1;
    std::vector<Item> items;
    for (const Record& record : RecordsShown(table, cfg)) {
        Item item;
        for (const RecordField<Record>* field : keys) {
            if (!item.key.empty())
                item.key += "，";
            if (!bare)
                item.key += std::string(field->label) + " ";
            item.key += Shown(*field, record);
        }
        for (const RecordField<Record>& field : table.fields) {
            // A record numbered by the database is named by what it holds, not by its id.
            if (field.keyRank == 0 && field.inserted)
                item.fields.push_back({field.label, Shown(field, record), field.secret});
        }
        items.push_back(std::move(item));
    }
    return items;
}

template <class Record>
void CompareRecords(const RecordTable<Record>& table, const CCfgData& current, const CCfgData& incoming,
                    std::vector<std::string>& lines)
{
    CompareList(table.caption, Records(table, current), Records(table, incoming), table.ordered, lines);
}

} // namespace

CCfgChanges CCfgChanges::Compare(const CCfgData& current, const CCfgData& incoming)
{
    CCfgChanges changes;
    for (const CfgSetting& setting : CfgSettings()) {
        const std::string old = Shown(setting, current);
        const std::string now = Shown(setting, incoming);
        if (old != now) {
            changes.m_lines[Index(setting.group)].push_back(
                std::string(setting.label) + "：" +
                (setting.secret ? std::string("已更改") + kHidden : old + " -> " + now));
        }
    }
    for (CfgGroup group : kCfgGroups) {
        std::vector<std::string>& lines = changes.m_lines[Index(group)];
        ForEachRecordTable(group,
                           [&](const auto& table) { CompareRecords(table, current, incoming, lines); });
    }
    return changes;
}

bool CCfgChanges::IsEmpty() const
{
    return DifferingGroups().empty();
}

std::vector<CfgGroup> CCfgChanges::DifferingGroups() const
{
    std::vector<CfgGroup> groups;
    for (CfgGroup group : kCfgGroups) {
        if (Differs(group))
            groups.push_back(group);
    }
    return groups;
}

const std::vector<std::string>& CCfgChanges::Lines(CfgGroup group) const
{
    return m_lines[Index(group)];
}

std::string CCfgChanges::ToText() const
{
    std::string text;
    for (CfgGroup group : kCfgGroups) {
        text += CfgGroupName(group) + "：";
        if (!Differs(group))
            text += "无变化";
        text += "\n";
        for (const std::string& line : Lines(group))
            text += "  " + line + "\n";
    }
    return text;
}
