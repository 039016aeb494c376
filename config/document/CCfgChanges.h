#pragma once

#include "config/catalogue/CfgGroup.h"

#include <array>
#include <string>
#include <vector>

struct CCfgData;

/// What differs between two stores, group by group, one readable line per change: a setting
/// changed (old -> new); a record added, removed or changed, named by its key; a list whose
/// order the database keeps put in another order. Passwords are compared, never shown.
///
/// Keys: extensions by number, SIP accounts and trunk items by id, IPO lines by line number
/// and type, IVR flows by file path, trunk match rules by prefix, caller and trunk (the
/// database numbers the rules itself, in list order, so their ids say nothing). Records with
/// the same key are paired in the order they come.
class CCfgChanges
{
public:
    /// From `current` (what the database holds) to `incoming` (what a file holds).
    static CCfgChanges Compare(const CCfgData& current, const CCfgData& incoming);

    bool IsEmpty() const;
    bool Differs(CfgGroup group) const { return !Lines(group).empty(); }
    /// The groups that differ, in the order middleware, device, lines.
    std::vector<CfgGroup> DifferingGroups() const;
    const std::vector<std::string>& Lines(CfgGroup group) const;
    /// Every group: its name, then its changes indented one per line, or that it has none.
    std::string ToText() const;

private:
    std::array<std::vector<std::string>, 3> m_lines;
};
