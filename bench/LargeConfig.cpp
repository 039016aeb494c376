#include "bench/LargeConfig.h"

#include "config/data/CCfgData.h"

#include <memory>
#include <string>

void FillLargeLines(CCfgData& cfg)
{
    cfg = CCfgData();
    for (int number = 10000; number < 20000; ++number)
        cfg.Extens.SetAt(number, "pw" + std::to_string(number));
    for (int id = 1; id <= 2000; ++id) {
        auto account = std::make_unique<tagSIP_ACCOUNT>();
        account->id = id;
        CopyToField(account->account, "0215550" + std::to_string(id));
        CopyToField(account->auth_account, "0215550" + std::to_string(id));
        CopyToField(account->password, "secret" + std::to_string(id));
        CopyToField(account->proxy_addr, "10.20.0.1");
        account->proxy_port = 5060;
        account->reg = id % 2 == 0;
        account->reg_interval = 3600;
        cfg.SipAccounts.AddTail(std::move(account));

        auto item = std::make_unique<tagTRUNK_ITEM>();
        *item = {id, id % 4, id % 8, id % 30, -1};
        cfg.TrunkItems.AddTail(std::move(item));

        auto match = std::make_unique<tagTRUNK_MATCH>();
        match->id = id;
        CopyToField(match->prefix, std::to_string(id));
        CopyToField(match->caller, "021" + std::to_string(id));
        match->trunk_id = id;
        match->priority = 1 + id % 4;
        cfg.TrunkMatches.AddTail(std::move(match));
    }
}

void FillLargeConfiguration(CCfgData& cfg)
{
    FillLargeLines(cfg);
    cfg.CtiAddr = "192.168.10.20";
    cfg.RecPath = "D:\\Tarvex\\Record";
    cfg.IvrFlowCount = "200";
    for (int i = 0; i < 200; ++i)
        cfg.IvrFlows.push_back("D:\\Tarvex\\Flow\\flow" + std::to_string(i) + ".xml");
    for (std::string* text : {&cfg.ScAddr,           &cfg.McAddr,         &cfg.McPort,
                              &cfg.DigTrunkCount,    &cfg.VoipTrunkCount, &cfg.VoipSignallingAddr,
                              &cfg.VoipMediaAddr,    &cfg.FaxServerAddr,  &cfg.FaxServerPort,
                              &cfg.DevLinkIp,        &cfg.DevLinkPwd,     &cfg.IpoLinkPort,
                              &cfg.FsEslAddr,        &cfg.FsEslPort,      &cfg.FsEslPwd,
                              &cfg.FsIvrPort,        &cfg.FsTrunkCount,   &cfg.FsExtContext,
                              &cfg.FsMeetingContext, &cfg.FsPCallContext, &cfg.AgentLockedPeriod,
                              &cfg.PPTime,           &cfg.LeaveWordPath,  &cfg.LogPath,
                              &cfg.CallConcurrency,  &cfg.TtsBufferPath})
        *text = "value";
    for (int i = 0; i < 1000; ++i) {
        auto line = std::make_unique<tagIpoLine>();
        *line = {std::to_string(200 + i), i % 2 ? "EXT" : "SIP", std::to_string(i)};
        cfg.IpoLines.AddTail(std::move(line));
    }
}
