#include "config/CfgSettings.h"

namespace {

constexpr CfgSetting Text(const char* key, CfgGroup group, std::string CCfgData::*member, bool secret = false)
{
    return {key, group, member, nullptr, secret};
}

constexpr CfgSetting Number(const char* key, int CCfgData::*member)
{
    return {key, CfgGroup::System, nullptr, member, false};
}

constexpr CfgGroup kSys = CfgGroup::System;
constexpr CfgGroup kDev = CfgGroup::Device;

} // namespace

const std::array<CfgSetting, 37>& CfgSettings()
{
    static const std::array<CfgSetting, 37> settings = {{
        Text("CtiAddr", kSys, &CCfgData::CtiAddr),
        Text("CtiPort", kSys, &CCfgData::CtiPort),
        Text("RecPath", kSys, &CCfgData::RecPath),
        Number("RecType", &CCfgData::RecType),
        Number("DevType", &CCfgData::DevType),
        Text("AcdPort", kSys, &CCfgData::AcdPort),
        Text("AgentLockedPeriod", kSys, &CCfgData::AgentLockedPeriod),
        Text("PPTime", kSys, &CCfgData::PPTime),
        Number("PPType", &CCfgData::PPType),
        Number("QueueType", &CCfgData::QueueType),
        Text("LeaveWordPath", kSys, &CCfgData::LeaveWordPath),
        Text("IvrFlowCount", kSys, &CCfgData::IvrFlowCount),
        Text("LogPath", kSys, &CCfgData::LogPath),
        Text("CallConcurrency", kSys, &CCfgData::CallConcurrency),
        Text("TtsBufferPath", kSys, &CCfgData::TtsBufferPath),
        Number("TtsType", &CCfgData::TtsType),
        Text("ScAddr", kDev, &CCfgData::ScAddr),
        Text("ScPort", kDev, &CCfgData::ScPort),
        Text("McAddr", kDev, &CCfgData::McAddr),
        Text("McPort", kDev, &CCfgData::McPort),
        Text("DigTrunkCount", kDev, &CCfgData::DigTrunkCount),
        Text("VoipTrunkCount", kDev, &CCfgData::VoipTrunkCount),
        Text("VoipSignallingAddr", kDev, &CCfgData::VoipSignallingAddr),
        Text("VoipMediaAddr", kDev, &CCfgData::VoipMediaAddr),
        Text("FaxServerAddr", kDev, &CCfgData::FaxServerAddr),
        Text("FaxServerPort", kDev, &CCfgData::FaxServerPort),
        Text("DevLinkIp", kDev, &CCfgData::DevLinkIp),
        Text("DevLinkPwd", kDev, &CCfgData::DevLinkPwd, true),
        Text("IpoLinkPort", kDev, &CCfgData::IpoLinkPort),
        Text("FsEslAddr", kDev, &CCfgData::FsEslAddr),
        Text("FsEslPort", kDev, &CCfgData::FsEslPort),
        Text("FsEslPwd", kDev, &CCfgData::FsEslPwd, true),
        Text("FsIvrPort", kDev, &CCfgData::FsIvrPort),
        Text("FsTrunkCount", kDev, &CCfgData::FsTrunkCount),
        Text("FsExtContext", kDev, &CCfgData::FsExtContext),
        Text("FsMeetingContext", kDev, &CCfgData::FsMeetingContext),
        Text("FsPCallContext", kDev, &CCfgData::FsPCallContext),
    }};
    return settings;
}
