#pragma once

#include <string>
#include <vector>

class IOtlConnection;

/// The configuration tables as a Galera cluster needs them. The cluster replicates only
/// InnoDB tables: rows written to another engine stay on the node that took them. And a
/// lock of one node is unknown to the others, so a save first claims the row of its group in
/// a small table of its own, which two nodes cannot both take.
class CCfgClusterTables
{
public:
    /// The table of those rows; one per database and group, with the last save's token, who
    /// made it, when, and until when its claim holds (none once let go).
    static const char* const kLockTable;
    static const char* const kLockTableCreate;

    struct Table
    {
        std::string name;
        std::string engine;
    };

    /// Which of `tables` are stored in an engine other than InnoDB. Tables that do not exist
    /// are not listed.
    static bool Find(IOtlConnection& db, const std::vector<std::string>& tables,
                     std::vector<Table>& notReplicated, std::string& error);
    /// On a cluster node: refuses, naming them and saying what to do, tables of `tables`
    /// that the cluster would not replicate. True at once off a cluster.
    static bool Replicated(IOtlConnection& db, const std::vector<std::string>& tables, std::string& error);
    /// A statement that fails when one of `tables` is in another engine than InnoDB (and
    /// while the lock table is missing): it goes
    /// first in the text that begins a save, so that such a table stops it before anything
    /// else, at no round trip of its own. Replicated then names the tables.
    static std::string ReplicatedCheck(const std::vector<std::string>& tables);
    /// Converts `tables` to InnoDB, one by one, and writes nothing else. `converted` lists
    /// those done, also when a later one fails.
    static bool Convert(IOtlConnection& db, const std::vector<Table>& tables,
                        std::vector<std::string>& converted, std::string& error);
    /// "conf_line (MyISAM)、conf_dev (MyISAM)".
    static std::string Names(const std::vector<Table>& tables);
};
