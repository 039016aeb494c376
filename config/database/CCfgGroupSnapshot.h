#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/data/CCfgData.h"
#include "config/database/CColumnRules.h"
#include "config/database/CCombinedRead.h"
#include "config/document/CfgLoadReport.h"
#include "db/IOtlConnection.h"

#include <string>
#include <vector>

class CCfgDocument;

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
/// first claims the group's row of the lock table, committed on its own so that the cluster
/// lets one of two claims through, then begins a transaction and reads what every node has
/// committed. The save's statements belong to that transaction, which ends with their COMMIT
/// or, when the snapshot ends without it, is rolled back; the claim is then let go.
class CCfgGroupSnapshot
{
public:
    /// How long a save waits for another save of the same group.
    static constexpr int kLockWaitSeconds = 5;
    /// How long a cluster-wide claim of a save holds when it is not let go.
    static constexpr int kClaimSeconds = 600;

    /// With `document`, whose reference is what its last save of the group wrote, the tables
    /// are read only where they changed since: otherwise the reference stands for them.
    CCfgGroupSnapshot(IOtlConnection& db, CfgGroup group, const CCfgDocument* document = nullptr);
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
    /// What ends the save's statements in the transaction: a check that the cluster has not
    /// rolled it back meanwhile, then COMMIT.
    std::vector<SqlStatement> CommitStatements() const;
    /// The transaction was committed: nothing is to be rolled back.
    void Committed() { m_transactionOpen = false; }
    /// The save wrote the group whole: when the snapshot ends, the digest of its tables is
    /// kept in the session for the next save of the document.
    void Written() { m_written = true; }
    /// Whether the tables were not read, being as the document's last save left them.
    bool Unchanged() const { return m_unchanged; }

private:
    bool TakeOnce(std::string& error);
    /// Rolls back what was not committed, lets go of the claim and the lock.
    void End();
    bool TakeInOneQuery(bool& ran, std::string& error);
    /// The reading of the group in one query, the lock and the server's role first.
    CCombinedRead CombinedRead() const;
    bool TakeOneByOne(std::string& error);
    bool LockOneByOne(std::string& error);
    bool ClaimHeldOneByOne(std::string& error);
    /// Why a snapshot read of a read-only server was refused.
    std::string ReadOnlyRefusal() const;
    /// On a cluster node, before anything is read: refuses tables the cluster would not
    /// replicate, claims the group for this save and begins the transaction.
    bool Claim(std::string& error);
    /// Claims the group's row of the lock table for this save, where no other holds it.
    std::string ClaimStatement() const;
    /// An SQL expression: whether the claim is this save's and has not lapsed.
    std::string ClaimHeld() const;
    std::string ClaimRelease() const;
    /// Why the claim was not had: who holds it, and until when at most.
    std::string ClaimRefusal();
    /// Why taking the snapshot failed, from the database's error.
    std::string FailureOf(std::string readFailure);
    /// Why the lock was not had: who holds it, where the database tells.
    std::string LockRefusal();
    /// The lock's name as an SQL expression of the dialect: one per database and group.
    std::string LockName(int dbType) const;

    IOtlConnection& m_db;
    CfgGroup m_group;
    const CCfgDocument* m_document;
    CCfgData m_data;
    CfgLoadReport m_report;
    CColumnRules m_rules;
    int m_dbType;
    int m_locksHeld = 0; // a session may take a lock it holds once more
    bool m_transaction;
    bool m_transactionOpen = false;
    bool m_claimRefused = false;
    // Digests on MySQL and MariaDB outside a transaction, unless the server would not take them.
    bool m_digests;
    bool m_written = false;
    bool m_unchanged = false;
};
