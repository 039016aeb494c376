#pragma once

class ILoadProgress;
struct CCfgData;
struct CfgLoadReport;

/// Reads every configuration table into a store, through the process-wide connection.
class CCfgLoader
{
public:
    /// Fills `cfg` (lists are appended to: give it a fresh store) and says in `report` what
    /// it found beside the values, showing its progress. False when a record list could not
    /// be read: loading stopped there, after showing which one.
    static bool Load(ILoadProgress& progress, CCfgData& cfg, CfgLoadReport& report);
};
