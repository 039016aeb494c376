#pragma once

#include "config/CCfgData.h"
#include "config/CCfgDb.h"

#include <array>
#include <string>

/// One scalar setting of the store: its key (the member's name, the name in conf_system or
/// conf_dev, and the key in a configuration file), its group and the member that holds it.
struct CfgSetting
{
    const char* key;
    CfgGroup group;
    std::string CCfgData::*text; // null for the integer settings
    int CCfgData::*number;       // null for the text settings
    bool secret;                 // a password: compared, never shown
};

/// The 37 scalar settings, in the store's order.
const std::array<CfgSetting, 37>& CfgSettings();
