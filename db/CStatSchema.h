#pragma once

/// The statistics tables (the call-id counter and the report tables) and the procedure
/// proc_DataAnalysis that sums up one agent login. Stateless; works on the process-wide
/// connection and shows its own messages through AfxMessageBox.
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
    static bool ClearStatTables();
    /// Drops and creates the tables, seeding the counter (MySQL). False at the first CREATE
    /// (or the seed row) the database refuses; the tables after it are not touched.
    static bool CreateStatTables();

    static bool CreateStatProcSqlServer();
    static bool CreateStatProcMySql();
    /// Sends the whole script as one statement. When the script is missing, or the database
    /// refuses it, shows the matching message and returns false.
    static bool CreateStatProc(const ProcScript& script);
};
