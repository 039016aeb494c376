#pragma once

#include <string>

/// What a login found out about the server beside the session: whether it takes no writes
/// (a replica, or a server set read-only), and whether it is a node of a Galera cluster.
struct ServerRole
{
    bool readOnly = false;
    bool clusterNode = false;
    int clusterSize = 0;
    /// The node's state in the cluster ("Synced", "Donor/Desynced", ...); empty off a cluster.
    std::string nodeState;

    /// What the status line says after the data source's name: "（集群节点，3 个节点）",
    /// "（只读）", or nothing for a plain server.
    std::string Note() const;

    /// A CREATE TABLE text as this server needs it: with InnoDB in place of MyISAM on a
    /// cluster node, as a cluster replicates only InnoDB tables; as it stands elsewhere.
    std::string TableCreate(const std::string& create) const;

    /// Why nothing may be written to a read-only server reached through `dataSource`.
    static std::string ReadOnlyRefusal(const std::string& dataSource);
};
