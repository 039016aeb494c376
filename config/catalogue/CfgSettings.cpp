#include "config/catalogue/CfgSettings.h"

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

CfgSetting Text(const char* key, const char* label, const char* pageLabel, SettingEditor editor,
                CfgGroup group, std::string CCfgData::*member, int step, unsigned flags = 0)
{
    return {key,
            label,
            pageLabel,
            editor,
            group,
            SettingKind::Text,
            member,
            nullptr,
            (flags & kSecret) != 0,
            step,
            (flags & kSpaced) != 0,
            (flags & kListFollows) != 0,
            {}};
}

CfgSetting Index(const char* key, const char* label, const char* pageLabel, int CCfgData::*member, int step,
                 std::vector<const char*> options)
{
    return {key,  label, pageLabel, SettingEditor::Choice, kSys, SettingKind::Index, nullptr, member, false,
            step, false, false,     std::move(options)};
}

} // namespace

const std::array<CfgSetting, 37>& CfgSettings()
{
    static const std::array<CfgSetting, 37> settings = {{
        Text("CtiAddr", "CTI地址", "CTI地址：", SettingEditor::Address, kSys, &CCfgData::CtiAddr, 1),
        Text("CtiPort", "CTI端口", "CTI端口：", SettingEditor::Port, kSys, &CCfgData::CtiPort, 1),
        Text("RecPath", "录音路径", "录音路径：", SettingEditor::Folder, kSys, &CCfgData::RecPath, 1),
        Index("RecType", "录音类型", "录音类型：", &CCfgData::RecType, 1, {"中继录音", "并线录音"}),
        Index("DevType", "设备类型", "设备类型：", &CCfgData::DevType, 1,
              {"IPO500V2", "eHangCom", "FreeSWITCH"}),
        Text("AcdPort", "ACD端口", "端口：", SettingEditor::Port, kSys, &CCfgData::AcdPort, 2),
        Text("AgentLockedPeriod", "座席锁定时长", "座席锁定时长：", SettingEditor::Digits, kSys,
             &CCfgData::AgentLockedPeriod, 2),
        Text("PPTime", "话后处理时长", "话后处理时长：", SettingEditor::Digits, kSys, &CCfgData::PPTime, 2),
        Index("PPType", "话后处理触发方式", "话后处理触发方式：", &CCfgData::PPType, 2,
              {"自动话后处理", "手动话后处理"}),
        Index("QueueType", "来电排队方式", "来电排队方式：", &CCfgData::QueueType, 2,
              {"VIP队列", "FIFS队列"}),
        Text("LeaveWordPath", "留言文件路径", "留言文件路径：", SettingEditor::Folder, kSys,
             &CCfgData::LeaveWordPath, 3),
        Text("IvrFlowCount", "IVR流程数", "流程数：", SettingEditor::Digits, kSys, &CCfgData::IvrFlowCount, 3,
             kListFollows),
        Text("LogPath", "日志路径", "日志路径：", SettingEditor::Folder, kSys, &CCfgData::LogPath, 4),
        Text("CallConcurrency", "外呼最大并发量", "外呼最大并发量：", SettingEditor::Digits, kSys,
             &CCfgData::CallConcurrency, 4),
        Text("TtsBufferPath", "TTS缓存目录", "TTS缓存目录：", SettingEditor::Folder, kSys,
             &CCfgData::TtsBufferPath, 4),
        Index("TtsType", "TTS类型", "TTS类型：", &CCfgData::TtsType, 4,
              {"不启用TTS", "科大讯飞", "捷通华声", "IBM"}),
        Text("ScAddr", "毅航监听地址", "监听地址：", SettingEditor::Address, kDev, &CCfgData::ScAddr, 5),
        Text("ScPort", "毅航监听端口", "监听端口：", SettingEditor::Port, kDev, &CCfgData::ScPort, 5),
        Text("McAddr", "毅航MC地址", "MC地址：", SettingEditor::Address, kDev, &CCfgData::McAddr, 5),
        Text("McPort", "毅航MC端口", "MC端口：", SettingEditor::Port, kDev, &CCfgData::McPort, 5),
        Text("DigTrunkCount", "毅航数字中继容量", "数字中继容量：", SettingEditor::Digits, kDev,
             &CCfgData::DigTrunkCount, 5),
        Text("VoipTrunkCount", "毅航VOIP中继容量", "VOIP中继容量：", SettingEditor::Digits, kDev,
             &CCfgData::VoipTrunkCount, 5),
        Text("VoipSignallingAddr", "毅航VOIP信令地址", "VOIP信令地址：", SettingEditor::Address, kDev,
             &CCfgData::VoipSignallingAddr, 5),
        Text("VoipMediaAddr", "毅航VOIP媒体地址", "VOIP媒体地址：", SettingEditor::Address, kDev,
             &CCfgData::VoipMediaAddr, 5),
        Text("FaxServerAddr", "毅航传真服务器地址", "传真服务器地址：", SettingEditor::Address, kDev,
             &CCfgData::FaxServerAddr, 5),
        Text("FaxServerPort", "毅航传真服务器端口", "传真服务器端口：", SettingEditor::Port, kDev,
             &CCfgData::FaxServerPort, 5),
        Text("DevLinkIp", "IPO DevLink设备地址", "设备地址：", SettingEditor::Address, kDev,
             &CCfgData::DevLinkIp, 6),
        Text("DevLinkPwd", "IPO DevLink接入口令", "接入口令：", SettingEditor::Text, kDev,
             &CCfgData::DevLinkPwd, 6, kSecret),
        Text("IpoLinkPort", "IPOLink端口", "IPOLink端口：", SettingEditor::Port, kDev, &CCfgData::IpoLinkPort,
             6, kListFollows),
        Text("FsEslAddr", "FreeSWITCH设备地址", "设备地址：", SettingEditor::Address, kDev,
             &CCfgData::FsEslAddr, 6, kSpaced),
        Text("FsEslPort", "FreeSWITCH设备端口", "设备端口：", SettingEditor::Port, kDev, &CCfgData::FsEslPort,
             6, kSpaced),
        Text("FsEslPwd", "FreeSWITCH接入口令", "接入口令：", SettingEditor::Text, kDev, &CCfgData::FsEslPwd,
             6, kSecret | kSpaced),
        Text("FsIvrPort", "FreeSWITCH IVR端口", "IVR端口：", SettingEditor::Port, kDev, &CCfgData::FsIvrPort,
             6, kSpaced),
        Text("FsTrunkCount", "FreeSWITCH中继通道数量", "中继通道数量：", SettingEditor::Digits, kDev,
             &CCfgData::FsTrunkCount, 6, kSpaced),
        Text("FsExtContext", "FreeSWITCH分机流程", "分机流程：", SettingEditor::Text, kDev,
             &CCfgData::FsExtContext, 6, kSpaced),
        Text("FsMeetingContext", "FreeSWITCH会议流程", "会议流程：", SettingEditor::Text, kDev,
             &CCfgData::FsMeetingContext, 6, kSpaced),
        Text("FsPCallContext", "FreeSWITCH预测呼叫流程", "预测呼叫流程：", SettingEditor::Text, kDev,
             &CCfgData::FsPCallContext, 6, kSpaced),
    }};
    return settings;
}

const CfgSetting& CfgSettingOf(const char* key)
{
    const auto& settings = CfgSettings();
    const auto found = std::find_if(settings.begin(), settings.end(), [key](const CfgSetting& setting) {
        return std::strcmp(setting.key, key) == 0;
    });
    return *found;
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
