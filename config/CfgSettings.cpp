#include "config/CfgSettings.h"

#include "db/DecimalText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr CfgGroup kSys = CfgGroup::System;
constexpr CfgGroup kDev = CfgGroup::Device;

/// Flags of a setting beside its key, group and member.
enum : unsigned
{
    kSecret = 1,
    kSpaced = 2,
    kListFollows = 4,
};

constexpr CfgSetting Text(const char* key, CfgGroup group, std::string CCfgData::*member, int step,
                          unsigned flags = 0)
{
    return {key,
            group,
            SettingKind::Text,
            member,
            nullptr,
            (flags & kSecret) != 0,
            step,
            (flags & kSpaced) != 0,
            (flags & kListFollows) != 0};
}

constexpr CfgSetting Index(const char* key, int CCfgData::*member, int step)
{
    return {key, kSys, SettingKind::Index, nullptr, member, false, step, false, false};
}

} // namespace

const std::array<CfgSetting, 37>& CfgSettings()
{
    static const std::array<CfgSetting, 37> settings = {{
        Text("CtiAddr", kSys, &CCfgData::CtiAddr, 1),
        Text("CtiPort", kSys, &CCfgData::CtiPort, 1),
        Text("RecPath", kSys, &CCfgData::RecPath, 1),
        Index("RecType", &CCfgData::RecType, 1),
        Index("DevType", &CCfgData::DevType, 1),
        Text("AcdPort", kSys, &CCfgData::AcdPort, 2),
        Text("AgentLockedPeriod", kSys, &CCfgData::AgentLockedPeriod, 2),
        Text("PPTime", kSys, &CCfgData::PPTime, 2),
        Index("PPType", &CCfgData::PPType, 2),
        Index("QueueType", &CCfgData::QueueType, 2),
        Text("LeaveWordPath", kSys, &CCfgData::LeaveWordPath, 3),
        Text("IvrFlowCount", kSys, &CCfgData::IvrFlowCount, 3, kListFollows),
        Text("LogPath", kSys, &CCfgData::LogPath, 4),
        Text("CallConcurrency", kSys, &CCfgData::CallConcurrency, 4),
        Text("TtsBufferPath", kSys, &CCfgData::TtsBufferPath, 4),
        Index("TtsType", &CCfgData::TtsType, 4),
        Text("ScAddr", kDev, &CCfgData::ScAddr, 5),
        Text("ScPort", kDev, &CCfgData::ScPort, 5),
        Text("McAddr", kDev, &CCfgData::McAddr, 5),
        Text("McPort", kDev, &CCfgData::McPort, 5),
        Text("DigTrunkCount", kDev, &CCfgData::DigTrunkCount, 5),
        Text("VoipTrunkCount", kDev, &CCfgData::VoipTrunkCount, 5),
        Text("VoipSignallingAddr", kDev, &CCfgData::VoipSignallingAddr, 5),
        Text("VoipMediaAddr", kDev, &CCfgData::VoipMediaAddr, 5),
        Text("FaxServerAddr", kDev, &CCfgData::FaxServerAddr, 5),
        Text("FaxServerPort", kDev, &CCfgData::FaxServerPort, 5),
        Text("DevLinkIp", kDev, &CCfgData::DevLinkIp, 6),
        Text("DevLinkPwd", kDev, &CCfgData::DevLinkPwd, 6, kSecret),
        Text("IpoLinkPort", kDev, &CCfgData::IpoLinkPort, 6, kListFollows),
        Text("FsEslAddr", kDev, &CCfgData::FsEslAddr, 6, kSpaced),
        Text("FsEslPort", kDev, &CCfgData::FsEslPort, 6, kSpaced),
        Text("FsEslPwd", kDev, &CCfgData::FsEslPwd, 6, kSecret | kSpaced),
        Text("FsIvrPort", kDev, &CCfgData::FsIvrPort, 6, kSpaced),
        Text("FsTrunkCount", kDev, &CCfgData::FsTrunkCount, 6, kSpaced),
        Text("FsExtContext", kDev, &CCfgData::FsExtContext, 6, kSpaced),
        Text("FsMeetingContext", kDev, &CCfgData::FsMeetingContext, 6, kSpaced),
        Text("FsPCallContext", kDev, &CCfgData::FsPCallContext, 6, kSpaced),
    }};
    return settings;
}

std::string CfgSetting::Value(const CCfgData& cfg) const
{
    return kind == SettingKind::Text ? cfg.*text : std::to_string(cfg.*number);
}

void CfgSetting::SetValue(CCfgData& cfg, const std::string& value) const
{
    if (kind == SettingKind::Text)
        cfg.*text = value;
    else
        cfg.*number = DecimalToInt(value);
}

std::string CfgSetting::LoadQuery() const
{
    const std::string table = CfgSettingTable(group);
    return spacedQuery ? "SELECT value FROM " + table + " WHERE name = '" + key + "'"
                       : "SELECT value FROM " + table + " WHERE Name='" + key + "'";
}

const char* CfgSettingTable(CfgGroup group)
{
    return group == CfgGroup::System ? "conf_system" : "conf_dev";
}

bool IsCfgSettingName(CfgGroup group, const std::string& name)
{
    auto sameLetters = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::any_of(CfgSettings().begin(), CfgSettings().end(), [&](const CfgSetting& setting) {
        return setting.group == group && std::equal(name.begin(), name.end(), setting.key,
                                                    setting.key + std::strlen(setting.key), sameLetters);
    });
}
