#pragma once

#include "config/catalogue/CfgGroup.h"

#include <string>

class ILoadProgress;
class IOtlConnection;
class ILoadRows;
struct CCfgData;
struct CfgLoadReport;

/// Reads every configuration table into a store, through a given connection.
class CCfgLoader
{
public:
    /// Fills `cfg` (lists are appended to: give it a fresh store) and says in `report` what
    /// it found beside the values, showing its progress. False when a record list could not
    /// be read: loading stopped there, after showing which one.
    static bool Load(IOtlConnection& db, ILoadProgress& progress, CCfgData& cfg, CfgLoadReport& report);
    /// Reads the tables of one group into `cfg` with the same queries, in the same order, as
    /// Load, taking their rows from `source`. False, with the reason in `report`, when the
    /// group was not read whole.
    static bool LoadGroup(CfgGroup group, ILoadRows& source, CCfgData& cfg, CfgLoadReport& report);
    /// The same through `db`, one query a round trip.
    static bool LoadGroup(IOtlConnection& db, CfgGroup group, CCfgData& cfg, CfgLoadReport& report);
    /// The session's variable that holds the digest of what reading `group` returns, as a
    /// read or a save last found it.
    static std::string DigestVariable(CfgGroup group);
    /// The digest of what reading `group` returns, as an SQL expression of MySQL and MariaDB.
    static std::string DigestExpression(CfgGroup group);
};
