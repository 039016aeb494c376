#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/data/CCfgData.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

/// The three groups in the order they are shown and written.
constexpr std::array<CfgGroup, 3> kCfgGroups = {CfgGroup::System, CfgGroup::Device, CfgGroup::Lines};

/// The group as the user knows it: "中间件配置", "设备配置", "线路配置".
std::string CfgGroupName(CfgGroup group);
/// The names of `groups` joined with "、".
std::string CfgGroupNames(const std::vector<CfgGroup>& groups);
/// The tables that saving `group` rewrites.
std::vector<std::string> CfgGroupTables(CfgGroup group);

/// Replaces `group` of `to` with a copy of the same group of `from`; the other groups of
/// `to` stay as they are. The extensions keep the order in which `from` enumerates them.
void CopyCfgGroup(const CCfgData& from, CCfgData& to, CfgGroup group);

/// Extensions as a map enumerates them.
using ExtenList = std::vector<std::pair<int, std::string>>;
ExtenList ExtensInOrder(const CExtenMap& extens);
/// Fills `extens` so that it enumerates `list` in its order, as far as the buckets allow:
/// each bucket shows its newest entry first, so the entries go in from last to first.
void SetExtensInOrder(CExtenMap& extens, const ExtenList& list);
