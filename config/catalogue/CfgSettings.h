#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/data/CCfgData.h"

#include <array>
#include <string>
#include <vector>

/// How a setting is held: a text, or the index of a choice from a list.
enum class SettingKind
{
    Text,
    Index,
};

/// How a page edits a setting.
enum class SettingEditor
{
    Address, // an IPv4 address, typed in four parts
    Port,    // digits, 1 to 65535
    Digits,  // digits only
    Text,    // any characters, shown in clear
    Folder,  // a path, typed or chosen
    Choice,  // one of the setting's options
};

/// One scalar setting of the store, described once: its key (the member's name, the name in
/// conf_system or conf_dev, and the key in a configuration file), its group, the member that
/// holds it, and how loading reads it.
struct CfgSetting
{
    const char* key;
    /// What the user calls it, wherever it is named out of its page's context.
    const char* label;
    /// Its label on its page, in the context of the page's heading and section.
    const char* pageLabel;
    SettingEditor editor;
    CfgGroup group;
    SettingKind kind;
    std::string CCfgData::*text; // Text settings
    int CCfgData::*number;       // Index settings
    bool secret;                 // a password: compared, never shown
    /// The step of loading's progress that reads it (1 to 6).
    int loadStep;
    /// Loading asks for it as "name = 'key'" rather than "Name='key'".
    bool spacedQuery;
    /// The group's list (the IVR flows, the IPO lines) is read and written right after it.
    bool listFollows;
    /// An index setting's choices, in the order of their numbers.
    std::vector<const char*> options;

    /// The setting's value as the value column holds it.
    std::string Value(const CCfgData& cfg) const;
    /// Sets it from the value column's text: an index is read as a decimal number.
    void SetValue(CCfgData& cfg, const std::string& value) const;
    /// The query that loading sends for it.
    std::string LoadQuery() const;
};

/// The 37 scalar settings, in the store's order, which is also the order of loading and saving.
const std::array<CfgSetting, 37>& CfgSettings();

/// The setting of `key`, one of the store's own.
const CfgSetting& CfgSettingOf(const char* key);

/// The key/value table of a group's settings: conf_system or conf_dev.
const char* CfgSettingTable(CfgGroup group);

/// Whether `name`, as a settings table holds it, names one of `group`'s settings. The server
/// compares names without regard to case, as the loading queries do.
bool IsCfgSettingName(CfgGroup group, const std::string& name);
