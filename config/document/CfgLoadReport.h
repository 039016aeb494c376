#pragma once

#include "config/catalogue/CfgGroup.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct CCfgData;

/// A row of a table that a save rewrites but that the program does not edit: a setting of a
/// name it does not know, or a line of conf_line of a type other than an extension. Loading
/// keeps it, and a save writes it back as it was.
struct KeptRow
{
    std::string name;                 // conf_system and conf_dev
    int id = 0;                       // conf_line
    int type = 0;                     // conf_line
    std::optional<std::string> value; // nullopt for NULL
};

/// A text of the database that a record field could hold only shortened.
struct CutText
{
    std::string what;                              // the record and field, for messages
    std::string stored;                            // as the database holds it
    std::size_t room = 0;                          // bytes the field can hold
    std::function<bool(const CCfgData&)> stillCut; // whether a store still holds it shortened
};

/// What one load found beside the values it put in its store: why a group was not read
/// whole, the texts it had to shorten and the rows it keeps without editing. A save of that
/// store is refused, or completed, from this report alone.
struct CfgLoadReport
{
    std::array<std::string, 3> gaps;
    std::vector<CutText> cutTexts;
    std::vector<KeptRow> keptSystem; // conf_system
    std::vector<KeptRow> keptDevice; // conf_dev
    std::vector<KeptRow> keptLines;  // conf_line
    /// Per group: whether the reading left the digest of what it read in the session.
    std::array<bool, 3> digested{};

    /// Why loading did not read `group` whole; empty when it did.
    const std::string& Gap(CfgGroup group) const { return gaps[static_cast<std::size_t>(group)]; }
    /// Records, once per group, that it was not read whole.
    void NoteGap(CfgGroup group, const std::string& what);
    /// The rows of a group's tables kept without editing: its settings table's, or conf_line's.
    const std::vector<KeptRow>& Kept(CfgGroup group) const;
    std::vector<KeptRow>& Kept(CfgGroup group);
    /// Whether `cfg` holds no text that loading had to shorten; `why` names one when it does.
    bool NoCutTextHeld(const CCfgData& cfg, std::string& why) const;
    /// Whether `cfg` can stand for the database; `why` when not: a group not read whole, or a
    /// text held shortened.
    bool StandsForTheDatabase(const CCfgData& cfg, std::string& why) const;
};
