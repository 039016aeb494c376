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
///
/// On a cluster node the lock of one node does not hold on the others. There the snapshot
/// also begins a transaction and writes the group's row of the lock table first, then reads
/// what every node has committed: a save through another node that commits before this one
/// makes this one fail as a whole, and one committed before the read is seen by it. The
/// save's statements then belong to that transaction, which ends with their COMMIT or, when
/// the snapshot ends without it, is rolled back.
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
    /// Whether the save's statements go in the snapshot's transaction, to end with COMMIT:
    /// they must empty tables with DELETE then, as TRUNCATE would end it.
    bool InOneTransaction() const { return m_transaction; }
    /// The transaction was committed: nothing is to be rolled back.
    void Committed() { m_transactionOpen = false; }

private:
    bool TakeInOneQuery(bool& ran, std::string& error);
    bool TakeOneByOne(std::string& error);
    bool LockOneByOne(std::string& error);
    bool BeginOneByOne(std::string& error);
    /// Why a snapshot read of a read-only server was refused.
    std::string ReadOnlyRefusal() const;
    /// Writes the group's row of the lock table, waiting as long as for the lock.
    std::string LockRowStatement() const;
    /// Why taking the snapshot failed, from the database's error.
    std::string FailureOf(std::string readFailure);
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
    bool m_transaction;
    bool m_transactionOpen = false;
};
