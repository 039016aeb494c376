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

/// The driver's text of a failure, with what it means for the user in front of it where the
/// driver's words would not tell: a cluster node cut off from the cluster.
std::string ExplainServerError(long serverError, const std::string& driverText, const std::string& dataSource);
