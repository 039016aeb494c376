#pragma once

#include <string>

class IOtlConnection;

/// The statistics tables (the call-id counter and the report tables) and the procedure
/// proc_DataAnalysis that sums up one agent login. Stateless; works on the connection it
/// is given; a failure comes back as its message.
class CStatSchema
{
public:
    /// One version of the procedure: where its script is stored and what is said about it.
    struct ProcScript
    {
        const char* resourcePath;
        const char* missingMessage;
        const char* failurePrefix;
    };

    static const ProcScript SqlServerProc;
    static const ProcScript MySqlProc;

    /// Empties the existing tables and seeds the counter (SQL Server). False only when the
    /// seed row is refused; the report tables are then left as they were.
    static bool ClearStatTables(IOtlConnection& connection);
    /// Drops and creates the tables, seeding the counter (MySQL). False at the first CREATE
    /// (or the seed row) the database refuses; the tables after it are not touched.
    static bool CreateStatTables(IOtlConnection& connection);

    static bool CreateStatProcSqlServer(IOtlConnection& connection, std::string& error);
    static bool CreateStatProcMySql(IOtlConnection& connection, std::string& error);
    /// Sends the whole script as one statement. False, with `error` holding the matching
    /// message, when the script is missing or the database refuses it.
    static bool CreateStatProc(IOtlConnection& connection, const ProcScript& script, std::string& error);
};
