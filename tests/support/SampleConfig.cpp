#include "support/SampleConfig.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "support/ConfigTables.h"
#include "support/RecordingProgress.h"

#include <QtGlobal>
#include <climits>

namespace SampleConfig {

namespace {

void AddIpoLine(CCfgData& cfg, const std::string& value, const std::string& name, const std::string& value2)
{
    auto line = std::make_unique<tagIpoLine>();
    *line = {value, name, value2};
    cfg.IpoLines.AddTail(std::move(line));
}

void AddTrunkMatch(CCfgData& cfg, int id, const std::string& prefix, const std::string& caller, int trunk,
                   int priority)
{
    auto match = std::make_unique<tagTRUNK_MATCH>();
    match->id = id;
    CopyToField(match->prefix, prefix);
    CopyToField(match->caller, caller);
    match->trunk_id = trunk;
    match->priority = priority;
    cfg.TrunkMatches.AddTail(std::move(match));
}

} // namespace

void Fill(CCfgData& cfg, const std::string& text)
{
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.kind == SettingKind::Text)
            cfg.*setting.text = text;
    }
    cfg.RecType = -1;
    cfg.DevType = 2;
    cfg.PPType = 1;
    cfg.QueueType = INT_MAX;
    cfg.TtsType = 3;
    cfg.IvrFlows = {text, text + "2", text + "3", text};
    AddIpoLine(cfg, text, "EXT", text);
    AddIpoLine(cfg, "1", "DT", "");
    cfg.Extens.SetAt(8001, text);
    cfg.Extens.SetAt(8002, text + "2");
    cfg.Extens.SetAt(8018, text + "18"); // in the bucket of 8001, so listed before it
    cfg.Extens.SetAt(-5, "");            // a stray number the signed id column can hold
    for (int id : {1, 2}) {
        auto account = std::make_unique<tagSIP_ACCOUNT>();
        account->id = id;
        CopyToField(account->account, text);
        CopyToField(account->auth_account, text + "a");
        CopyToField(account->password, text + "p");
        CopyToField(account->proxy_addr, text);
        account->proxy_port = 5060 + id;
        account->reg = id == 1;
        account->reg_interval = 60 * id;
        cfg.SipAccounts.AddTail(std::move(account));
    }
    auto digital = std::make_unique<tagTRUNK_ITEM>();
    *digital = {1, 0, 1, 2, -1};
    cfg.TrunkItems.AddTail(std::move(digital));
    auto sip = std::make_unique<tagTRUNK_ITEM>();
    *sip = {2, -1, -1, -1, 1};
    cfg.TrunkItems.AddTail(std::move(sip));
    // The table numbers the rules itself, from 1.
    AddTrunkMatch(cfg, 1, text, text, 2, -3);
    AddTrunkMatch(cfg, 2, "9", "", 1, 0);
}

void LoadStore()
{
    *GetCfgData() = CCfgData();
    RecordingProgress progress;
    GetCfgDb()->LoadCfg(progress);
}

bool PutOnServer(const CCfgData& cfg)
{
    if (!ConfigTables::CreateEmpty())
        return false;
    *GetCfgData() = CCfgData();
    for (CfgGroup group : kCfgGroups)
        CopyCfgGroup(cfg, *GetCfgData(), group);
    CCfgDb* cfgDb = GetCfgDb();
    if (!cfgDb->SaveSysCfg() || !cfgDb->SaveDevCfg() || !cfgDb->SaveLineCfg()) {
        qWarning("saving the sample configuration failed: %s", cfgDb->GetDbError().c_str());
        return false;
    }
    LoadStore();
    return true;
}

} // namespace SampleConfig
