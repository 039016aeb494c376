#pragma once

#include "config/data/CExtenMap.h"
#include "config/data/CRecordList.h"
#include "config/data/CfgRecords.h"

#include <string>
#include <vector>

/// The one in-memory copy of the configuration. Each scalar member is named after its key
/// in conf_system or conf_dev. Three groups are saved separately: the middleware settings
/// (CtiAddr to TtsType), the device settings (ScAddr to FsPCallContext) and the lines
/// (Extens to TrunkMatches).
struct CCfgData
{
    // Middleware: conf_system and conf_ivr_flow.
    std::string CtiAddr;
    std::string CtiPort = std::to_string(8811);
    std::string RecPath;
    int RecType = 0; // 0 trunk recording, 1 parallel-line recording
    int DevType = 1; // 0 IPO500V2, 1 eHang, 2 FreeSWITCH
    std::string AcdPort = std::to_string(8821);
    std::string AgentLockedPeriod;
    std::string PPTime;
    int PPType = 0;    // 0 automatic, 1 manual after-call work
    int QueueType = 0; // 0 VIP queue, 1 first-in first-served
    std::string LeaveWordPath;
    std::string IvrFlowCount;
    std::vector<std::string> IvrFlows;
    std::string LogPath;
    std::string CallConcurrency;
    std::string TtsBufferPath;
    int TtsType = 0; // 0 none, 1 to 3 the engines offered

    // Device: conf_dev and conf_vs, all three device kinds.
    std::string ScAddr;
    std::string ScPort = std::to_string(8801);
    std::string McAddr;
    std::string McPort;
    std::string DigTrunkCount;
    std::string VoipTrunkCount;
    std::string VoipSignallingAddr;
    std::string VoipMediaAddr;
    std::string FaxServerAddr;
    std::string FaxServerPort;
    std::string DevLinkIp;
    std::string DevLinkPwd;
    std::string IpoLinkPort;
    CIpoLineList IpoLines;
    std::string FsEslAddr;
    std::string FsEslPort;
    std::string FsEslPwd;
    std::string FsIvrPort;
    std::string FsTrunkCount;
    std::string FsExtContext;
    std::string FsMeetingContext;
    std::string FsPCallContext;

    // Lines: conf_line (type 0), conf_sip_account, conf_trunk_item, conf_trunk_match.
    CExtenMap Extens;
    CSipAccount SipAccounts;
    CTrunkItem TrunkItems;
    CTrunkMatch TrunkMatches;
};
