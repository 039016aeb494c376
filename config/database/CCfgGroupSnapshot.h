#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/data/CCfgData.h"
#include "config/database/CColumnRules.h"
#include "config/document/CfgLoadReport.h"

#include <string>

class IOtlConnection;

/// One group's tables as they are just before a save writes them, read with the same queries
/// as loading, together with the definitions of their columns, while the group's save lock
/// is held: two saves of one group never interleave, and what was read stays what the
/// database holds until the save has written. The lock is let go when the snapshot ends.
///
/// On MySQL and MariaDB the lock and every read go in one query, one round trip. Where that
/// query cannot run (a mix of character sets the server will not put in one result) and on
/// SQL Server, the lock and each read go one by one.
class CCfgGroupSnapshot
{
public:
    /// How long a save waits for another save of the same group.
    static constexpr int kLockWaitSeconds = 5;

    CCfgGroupSnapshot(IOtlConnection& db, CfgGroup group);
    ~CCfgGroupSnapshot();
    CCfgGroupSnapshot(const CCfgGroupSnapshot&) = delete;
    CCfgGroupSnapshot& operator=(const CCfgGroupSnapshot&) = delete;

    /// Takes the lock, then reads. False, with `error` saying why (who holds the lock, a table
    /// that cannot be read); nothing may be written then.
    bool Take(std::string& error);

    const CCfgData& Data() const { return m_data; }
    const CfgLoadReport& Report() const { return m_report; }
    const CColumnRules& Rules() const { return m_rules; }

private:
    bool TakeInOneQuery(bool& ran, std::string& error);
    bool TakeOneByOne(std::string& error);
    bool LockOneByOne(std::string& error);
    /// Why the lock was not had: who holds it, where the database tells.
    std::string LockRefusal();
    /// The lock's name as an SQL expression of the dialect: one per database and group.
    std::string LockName(int dbType) const;

    IOtlConnection& m_db;
    CfgGroup m_group;
    CCfgData m_data;
    CfgLoadReport m_report;
    CColumnRules m_rules;
    int m_dbType;
    int m_locksHeld = 0; // a session may take a lock it holds once more
};
