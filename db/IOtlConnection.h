#pragma once

#include "db/ServerRole.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IOtlRecordset;

/// One statement of a batch: sent as ExecuteInsert when `insert`, else as ExecuteSql.
struct SqlStatement
{
    bool insert = false;
    std::string text;
};

/// Database types as GetDbType reports them.
enum DbType : int
{
    DbTypeSqlServer = 0,
    DbTypeMySql = 1,
    DbTypeOther = 2,
};

/// The one database connection of the process. Results are true on success; on a
/// failure GetLastErrorText holds the driver's text until the next operation starts.
class IOtlConnection
{
public:
    virtual ~IOtlConnection() = default;

    /// Opens again with the connection string of the last successful Connect.
    virtual bool Reconnect() = 0;
    /// Opens the connection. On failure `errorText` holds the reason and a connection
    /// that was open before stays open.
    virtual bool Connect(const std::string& connectString, std::string& errorText) = 0;
    /// Opens the connection to data source `dsn` as `user`. Like Connect with the connection
    /// string of the three values; this one builds that string.
    virtual bool ConnectDsn(const std::string& dsn, const std::string& user, const std::string& password,
                            std::string& errorText);
    virtual bool Disconnect() = 0;
    /// The data source of the last successful login; empty where none is named.
    virtual std::string DataSourceName() const { return {}; }
    /// DbTypeSqlServer, DbTypeMySql or DbTypeOther, from the database's own name.
    virtual int GetDbType() = 0;
    virtual bool ExecuteSql(const std::string& sql) = 0;
    /// Like ExecuteSql, for statements whose failure is expected (DROP of a missing table);
    /// the connection stays usable either way.
    virtual bool ExecuteSqlNoCheck(const std::string& sql) = 0;
    virtual bool ExecuteInsert(const std::string& sql) = 0;
    /// First column of the first row as text; empty for no row, NULL or a failure.
    virtual std::string QueryValue(const std::string& sql) = 0;
    /// The rows of a query, or null on failure. Free with IOtlRecordset::DestroyInstance.
    virtual IOtlRecordset* OpenRecordset(const std::string& sql) = 0;
    /// Text of the last failure; empty when the last operation succeeded.
    virtual std::string GetLastErrorText() = 0;
    /// The server's number for the last failure (ServerError); 0 when unknown or none.
    virtual long GetLastServerError() const { return 0; }
    /// Whether one text may carry several statements, each with its own result.
    virtual bool TakesSeveralStatements() const { return false; }

    /// Runs `statements` in order and stops at the first the database refuses, with the
    /// same outcome as sending them one by one, but in as few round trips as the database
    /// allows. `executed` counts the statements that took effect; GetLastErrorText names
    /// the refused statement's reason. This one sends them one by one.
    virtual bool ExecuteBatch(const std::vector<SqlStatement>& statements, std::size_t& executed);

    /// How EnsureOpen tells an open connection.
    enum class OpenCheck
    {
        AskTheServer,
        /// A session whose server answered moments ago (a command's login before its read)
        /// is taken as open without a round trip.
        TrustARecentAnswer,
    };
    /// Makes sure the connection is open before an operation's first statement: one that the
    /// server or the network has dropped is opened again, once, with the settings of the last
    /// successful Connect, and `reconnected` tells so. False when it is not open and cannot
    /// be opened; GetLastErrorText says why. This one assumes the connection is open.
    virtual bool EnsureOpen(bool& reconnected, OpenCheck check);

    /// Called after every round trip to the database, so that the user interface can stay
    /// alive during a long operation. Returns the hook that was set before.
    using RoundTripHook = std::function<void()>;
    static RoundTripHook SetRoundTripHook(RoundTripHook hook);

    /// A new connection of the same kind, not open and apart from this one: to try a data
    /// source without moving this connection to it. This one opens through ODBC.
    virtual std::unique_ptr<IOtlConnection> NewSeparate() const;

    /// What the last login found out about the server: read-only, a node of a cluster. This
    /// one: a plain server that takes writes.
    virtual ServerRole Role() const { return {}; }

    /// The process-wide connection, created on first use.
    static IOtlConnection* getInstance();
    /// Puts `connection` (not owned) in place of the process-wide one; null restores the
    /// process's own. Returns what was in place before. Meant for tests.
    static IOtlConnection* setInstance(IOtlConnection* connection);

protected:
    /// Runs the round-trip hook, if one is set.
    static void RoundTripDone();
};
