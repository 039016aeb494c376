#include "config/document/CfgLoadReport.h"

#include "config/catalogue/CfgGroups.h"

void CfgLoadReport::NoteGap(CfgGroup group, const std::string& what)
{
    std::string& gap = gaps[static_cast<std::size_t>(group)];
    if (gap.empty())
        gap = what;
}

const std::vector<KeptRow>& CfgLoadReport::Kept(CfgGroup group) const
{
    return group == CfgGroup::System ? keptSystem : group == CfgGroup::Device ? keptDevice : keptLines;
}

std::vector<KeptRow>& CfgLoadReport::Kept(CfgGroup group)
{
    return group == CfgGroup::System ? keptSystem : group == CfgGroup::Device ? keptDevice : keptLines;
}

bool CfgLoadReport::NoCutTextHeld(const CCfgData& cfg, std::string& why) const
{
    for (const CutText& cut : cutTexts) {
        if (cut.stillCut(cfg)) {
            why = cut.what + "在数据库中是“" + cut.stored + "”（" + std::to_string(cut.stored.size()) +
                  " 个字节），本程序只能存放 " + std::to_string(cut.room) +
                  " 个字节，保存会把它截短。请先在线路页把它改短或删除；未写入任何内容";
            return false;
        }
    }
    return true;
}

bool CfgLoadReport::StandsForTheDatabase(const CCfgData& cfg, std::string& why) const
{
    for (CfgGroup group : kCfgGroups) {
        if (!Gap(group).empty()) {
            why = CfgGroupName(group) + "未能从数据库完整读取（" + Gap(group) + "）";
            return false;
        }
    }
    return NoCutTextHeld(cfg, why);
}
