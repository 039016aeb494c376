#pragma once

#include "config/CCfgDb.h"

#include <string>
#include <vector>

class CCfgChanges;
struct CCfgData;

/// Writing a configuration file's store into the database: only the groups that differ,
/// through the same save operations and checks as Save, and nothing at all when a check
/// fails before the first group is written.
class CCfgImport
{
public:
    /// Why the process store cannot stand for the database in a comparison: a group that
    /// loading did not read whole. Empty when every group was read whole.
    static std::string LoadGaps();

    /// Why a value of `groups` of `incoming` does not fit the database's column (as the
    /// database defines it), naming the value as the file does; empty when all fit.
    static std::string CheckColumns(const CCfgData& incoming, const std::vector<CfgGroup>& groups);

    /// Writes the groups of `incoming` that `changes` shows to differ, in the order
    /// middleware, device, lines: each is copied into the process store and saved with
    /// CCfgDb. When a group was not loaded whole or a value does not fit, nothing is written.
    /// `written` lists the groups saved. False, with `error`, at the first group that fails;
    /// that group then holds in the process store what the file gave it, as after a failed Save.
    static bool WriteChanged(const CCfgData& incoming, const CCfgChanges& changes,
                             std::vector<CfgGroup>& written, std::string& error);
};
