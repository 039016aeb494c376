#include "config/CCfgChanges.h"

#include "config/CCfgData.h"
#include "config/CfgGroups.h"
#include "config/CfgSettings.h"

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

std::string Flag(bool flag)
{
    return flag ? "true" : "false";
}

struct Field
{
    const char* name;
    std::string value; // as shown, texts quoted
    bool secret;
};

/// A record as the comparison sees it: its key and the fields beside the key.
struct Item
{
    std::string key;
    std::vector<Field> fields;
};

std::string Describe(const std::vector<Field>& fields)
{
    std::string text;
    for (const Field& field : fields)
        text += (text.empty() ? "" : ", ") + std::string(field.name) +
                (field.secret ? kHidden : " " + field.value);
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
        text += (text.empty() ? "" : ", ") + std::string(old.name) +
                (old.secret ? std::string(" 已更改") + kHidden : " " + old.value + " -> " + now.value);
    }
    return text;
}

/// Compares two lists of one kind, pairing records by key; `ordered` when the database keeps
/// the list's order, so that another order is a change of its own.
void CompareList(const char* list, const std::vector<Item>& before, const std::vector<Item>& after,
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

    auto name = [list, &keys](const std::string& key, std::size_t occurrence) {
        const Occurrences& seen = keys.at(key);
        std::string text = std::string(list) + " " + key;
        if (seen.before.size() > 1 || seen.inAfter > 1)
            text += "（第 " + std::to_string(occurrence + 1) + " 个）";
        return text + ": ";
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
            const std::string fields = Describe(item.fields);
            lines.push_back(name(item.key, occurrence) + "新增" + (fields.empty() ? "" : " " + fields));
        }
    }
    std::unordered_map<std::string, std::size_t> seenInBefore;
    for (std::size_t index = 0; index < before.size(); ++index) {
        const std::size_t occurrence = seenInBefore[before[index].key]++;
        if (paired[index])
            continue;
        const std::string fields = Describe(before[index].fields);
        lines.push_back(name(before[index].key, occurrence) + "删除" + (fields.empty() ? "" : " " + fields));
    }
    if (ordered && !std::is_sorted(pairedInOrder.begin(), pairedInOrder.end()))
        lines.push_back(std::string(list) + ": 顺序改变");
}

std::vector<Item> IvrFlows(const CCfgData& cfg)
{
    std::vector<Item> items;
    for (const std::string& flow : cfg.IvrFlows)
        items.push_back({Quoted(flow), {}});
    return items;
}

std::vector<Item> IpoLines(const CCfgData& cfg)
{
    std::vector<Item> items;
    for (const auto& line : cfg.IpoLines)
        items.push_back({"(value " + Quoted(line->value) + ", name " + Quoted(line->name) + ")",
                         {{"value2", Quoted(line->value2), false}}});
    return items;
}

std::vector<Item> Extens(const CCfgData& cfg)
{
    std::vector<Item> items;
    items.reserve(cfg.Extens.GetCount());
    cfg.Extens.ForEach([&items](unsigned number, const std::string& password) {
        items.push_back({"(number " + std::to_string(static_cast<int>(number)) + ")",
                         {{"password", Quoted(password), true}}});
    });
    return items;
}

std::vector<Item> SipAccounts(const CCfgData& cfg)
{
    std::vector<Item> items;
    for (const auto& a : cfg.SipAccounts) {
        items.push_back({"(id " + std::to_string(a->id) + ")",
                         {{"account", Quoted(a->account), false},
                          {"auth_account", Quoted(a->auth_account), false},
                          {"password", Quoted(a->password), true},
                          {"proxy_addr", Quoted(a->proxy_addr), false},
                          {"proxy_port", std::to_string(a->proxy_port), false},
                          {"reg", Flag(a->reg), false},
                          {"reg_interval", std::to_string(a->reg_interval), false}}});
    }
    return items;
}

std::vector<Item> TrunkItems(const CCfgData& cfg)
{
    std::vector<Item> items;
    for (const auto& t : cfg.TrunkItems) {
        items.push_back({"(id " + std::to_string(t->id) + ")",
                         {{"node", std::to_string(t->node), false},
                          {"board", std::to_string(t->board), false},
                          {"span", std::to_string(t->span), false},
                          {"sip_user", std::to_string(t->sip_user), false}}});
    }
    return items;
}

std::vector<Item> TrunkMatches(const CCfgData& cfg)
{
    std::vector<Item> items;
    for (const auto& m : cfg.TrunkMatches) {
        items.push_back({"(prefix " + Quoted(m->prefix) + ", caller " + Quoted(m->caller) + ", trunk_id " +
                             std::to_string(m->trunk_id) + ")",
                         {{"priority", std::to_string(m->priority), false}}});
    }
    return items;
}

} // namespace

CCfgChanges CCfgChanges::Compare(const CCfgData& current, const CCfgData& incoming)
{
    CCfgChanges changes;
    for (const CfgSetting& setting : CfgSettings()) {
        const std::string old =
            setting.text ? Quoted(current.*setting.text) : std::to_string(current.*setting.number);
        const std::string now =
            setting.text ? Quoted(incoming.*setting.text) : std::to_string(incoming.*setting.number);
        if (old != now) {
            changes.m_lines[Index(setting.group)].push_back(
                std::string(setting.key) + ": " +
                (setting.secret ? std::string("已更改") + kHidden : old + " -> " + now));
        }
    }
    std::vector<std::string>& sys = changes.m_lines[Index(CfgGroup::System)];
    std::vector<std::string>& dev = changes.m_lines[Index(CfgGroup::Device)];
    std::vector<std::string>& lines = changes.m_lines[Index(CfgGroup::Lines)];
    CompareList("IvrFlows", IvrFlows(current), IvrFlows(incoming), true, sys);
    CompareList("IpoLines", IpoLines(current), IpoLines(incoming), true, dev);
    // Loading reads these three sorted by number or id, whatever order they were saved in.
    CompareList("Extens", Extens(current), Extens(incoming), false, lines);
    CompareList("SipAccounts", SipAccounts(current), SipAccounts(incoming), false, lines);
    CompareList("TrunkItems", TrunkItems(current), TrunkItems(incoming), false, lines);
    CompareList("TrunkMatches", TrunkMatches(current), TrunkMatches(incoming), true, lines);
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
