#include "config/catalogue/CfgRecordTable.h"

#include "config/catalogue/CfgGroups.h"

namespace {

std::string Ordinal(std::size_t index)
{
    return "第 " + std::to_string(index + 1) + " 项";
}

} // namespace

const RecordTable<tagIpoLine>& IpoLineTable()
{
    static const RecordTable<tagIpoLine> table{
        "conf_vs",
        "IpoLines",
        "IPO线路",
        HeldIn<&CCfgData::IpoLines>(),
        nullptr,
        nullptr,
        "IPO线路配置信息读取失败！",
        true,
        nullptr,
        [](const tagIpoLine& line, std::size_t index) {
            return IpoLineTable().caption + Ordinal(index) + "（线路号 " + line.value + "）的";
        },
        [] { return tagIpoLine(); },
        {
            TextField<&tagIpoLine::name>("name", "线路类型").Key(2),
            TextField<&tagIpoLine::value>("value", "线路号").Key(1).InsertedAs("Value"),
            TextField<&tagIpoLine::value2>("value2", "关联VS线路"),
        }};
    return table;
}

const RecordTable<tagSIP_ACCOUNT>& SipAccountTable()
{
    static const RecordTable<tagSIP_ACCOUNT> table{
        "conf_sip_account",
        "SipAccounts",
        "SIP账户",
        HeldIn<&CCfgData::SipAccounts>(),
        nullptr,
        "id ASC",
        "SIP账户配置信息读取失败！",
        false,
        "SIP账户ID",
        [](const tagSIP_ACCOUNT& account, std::size_t) {
            return SipAccountTable().caption + std::to_string(account.id) + " 的";
        },
        [] {
            tagSIP_ACCOUNT rec;
            rec.proxy_port = 5060;
            rec.reg = true;
            rec.reg_interval = 1800;
            return rec;
        },
        {
            NumberField<&tagSIP_ACCOUNT::id>("id", "ID").Key(1),
            TextField<&tagSIP_ACCOUNT::account>("account", "账户"),
            TextField<&tagSIP_ACCOUNT::auth_account>("auth_account", "鉴权账户"),
            TextField<&tagSIP_ACCOUNT::password>("password", "密码").Secret(),
            TextField<&tagSIP_ACCOUNT::proxy_addr>("proxy_addr", "注册地址"),
            NumberField<&tagSIP_ACCOUNT::proxy_port>("proxy_port", "注册端口").Port(),
            FlagField<&tagSIP_ACCOUNT::reg>("reg", "是否注册"),
            NumberField<&tagSIP_ACCOUNT::reg_interval>("reg_interval", "注册间隔"),
        }};
    return table;
}

const RecordTable<tagTRUNK_ITEM>& TrunkItemTable()
{
    static const RecordTable<tagTRUNK_ITEM> table{
        "conf_trunk_item",
        "TrunkItems",
        "中继项",
        HeldIn<&CCfgData::TrunkItems>(),
        nullptr,
        "id ASC",
        "中继项配置信息读取失败！",
        false,
        "中继项ID",
        [](const tagTRUNK_ITEM& item, std::size_t) {
            return TrunkItemTable().caption + std::to_string(item.id) + " 的";
        },
        [] {
            tagTRUNK_ITEM rec;
            rec.span = -1;
            rec.sip_user = -1;
            return rec;
        },
        {
            NumberField<&tagTRUNK_ITEM::id>("id", "ID").Key(1),
            NumberField<&tagTRUNK_ITEM::node>("node", "设备节点"),
            NumberField<&tagTRUNK_ITEM::board>("board", "设备板号"),
            NumberField<&tagTRUNK_ITEM::span>("span", "数字中继口"),
            NumberField<&tagTRUNK_ITEM::sip_user>("sip_user", "SIP账号ID"),
        }};
    return table;
}

const RecordTable<tagTRUNK_MATCH>& TrunkMatchTable()
{
    // The database numbers the rules itself, in list order, so their ids say nothing about them.
    static const RecordTable<tagTRUNK_MATCH> table{
        "conf_trunk_match",
        "TrunkMatches",
        "中继匹配",
        HeldIn<&CCfgData::TrunkMatches>(),
        nullptr,
        "id ASC",
        "中继匹配配置信息读取失败！",
        true,
        nullptr,
        [](const tagTRUNK_MATCH& match, std::size_t) {
            return TrunkMatchTable().caption + std::to_string(match.id) + " 的";
        },
        [] {
            tagTRUNK_MATCH rec;
            rec.priority = 4;
            return rec;
        },
        {
            NumberField<&tagTRUNK_MATCH::id>("id", "ID").NotInserted(),
            TextField<&tagTRUNK_MATCH::prefix>("prefix", "字冠").Key(1),
            TextField<&tagTRUNK_MATCH::caller>("caller", "透传号码").Key(2),
            NumberField<&tagTRUNK_MATCH::trunk_id>("trunk_id", "中继项ID").Key(3),
            NumberField<&tagTRUNK_MATCH::priority>("priority", "优先级").Options({"1", "2", "3", "4"}),
        }};
    return table;
}

const RecordTable<tagIvrFlow>& IvrFlowTable()
{
    // A list that cannot be read leaves the middleware group incomplete; loading goes on.
    static const RecordTable<tagIvrFlow> table{
        "conf_ivr_flow",
        "IvrFlows",
        "IVR流程文件",
        {
            [](const CCfgData& cfg, const std::function<void(const tagIvrFlow&)>& visit) {
                for (const std::string& flow : cfg.IvrFlows)
                    visit(tagIvrFlow{flow});
            },
            [](const CCfgData& cfg) { return cfg.IvrFlows.size(); },
            [](CCfgData& cfg, tagIvrFlow flow) { cfg.IvrFlows.push_back(std::move(flow.FilePath)); },
            [](CCfgData& cfg, std::vector<tagIvrFlow> flows) {
                cfg.IvrFlows.clear();
                for (tagIvrFlow& flow : flows)
                    cfg.IvrFlows.push_back(std::move(flow.FilePath));
            },
            [](const CCfgData& from, CCfgData& to) { to.IvrFlows = from.IvrFlows; },
        },
        nullptr,
        nullptr,
        nullptr,
        true,
        nullptr,
        [](const tagIvrFlow&, std::size_t index) { return IvrFlowTable().caption + Ordinal(index); },
        [] { return tagIvrFlow(); },
        {
            // Messages name a flow by its place alone.
            TextField<&tagIvrFlow::FilePath>("FilePath", "").Key(1),
        },
        false,
        true,
        true};
    return table;
}

const RecordTable<tagExten>& ExtenTable()
{
    static const RecordTable<tagExten> table{
        "conf_line",
        "Extens",
        "分机",
        {
            [](const CCfgData& cfg, const std::function<void(const tagExten&)>& visit) {
                cfg.Extens.ForEach([&visit](int number, const std::string& password) {
                    visit(tagExten{number, password});
                });
            },
            [](const CCfgData& cfg) { return cfg.Extens.GetCount(); },
            [](CCfgData& cfg, tagExten exten) { cfg.Extens.SetAt(exten.id, exten.value); },
            [](CCfgData& cfg, std::vector<tagExten> extens) {
                ExtenList list;
                list.reserve(extens.size());
                for (tagExten& exten : extens)
                    list.emplace_back(exten.id, std::move(exten.value));
                SetExtensInOrder(cfg.Extens, list);
            },
            [](const CCfgData& from, CCfgData& to) {
                SetExtensInOrder(to.Extens, ExtensInOrder(from.Extens));
            },
        },
        "type = 0",
        "id ASC",
        "分机配置信息读取失败！",
        false,
        "分机号",
        [](const tagExten& exten, std::size_t) {
            return std::string(ExtenTable().caption) + " " + std::to_string(exten.id) + " 的";
        },
        [] { return tagExten(); },
        {
            NumberField<&tagExten::id>("id", "分机号").Key(1).FileKey("number").FollowedBy("type", "0"),
            TextField<&tagExten::value>("value", "接入密码")
                .FileKey("password")
                .InsertedAs("Value")
                .RoomChars(kExtenPasswordRoom)
                .Secret(),
        },
        true};
    return table;
}

const char* const kKeptLinesSelect =
    "SELECT id, type, value, value IS NULL FROM conf_line WHERE type <> 0 ORDER BY id ASC";
const char* const kKeptLinesInsert = "INSERT INTO conf_line (id, type, Value) VALUES (%d, %d, %s)";
