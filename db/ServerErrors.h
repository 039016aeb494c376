#pragma once

#include <string>

/// Error numbers of MySQL and MariaDB servers that this program answers in its own way.
enum ServerError : long
{
    /// A Galera node outside the cluster's primary component takes no statement.
    ServerErrorNodeNotReady = 1047,
    ServerErrorLockWaitTimeout = 1205,
    /// Also how a Galera node says that a transaction lost to one committed on another node.
    ServerErrorDeadlock = 1213,
    /// From here on the numbers are the client's own: the link, not the server, failed.
    ServerErrorFirstClientError = 2000,
};

/// The error number a failure's SQLSTATE stands for, where the driver leaves the number out
/// (it does for a transaction the server rolled back); 0 where the state does not tell.
long ServerErrorOfState(const std::string& sqlState);

/// The driver's text of a failure, with what it means for the user in front of it where the
/// driver's words would not tell: a cluster node cut off from the cluster (told by its
/// words, as its number is not always given).
std::string ExplainServerError(const std::string& driverText, const std::string& dataSource);

/// What to tell of a cluster node cut off from the cluster, reached through `dataSource`.
std::string CutOffNodeText(const std::string& dataSource);
