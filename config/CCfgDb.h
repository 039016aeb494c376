#pragma once

#include <string>

class ILoadProgress;

/// The database work on the configuration: loading the store, saving each of its three
/// groups, and setting up the schemas. Stateless; every operation takes the process-wide
/// connection itself. Results are true when done.
class CCfgDb
{
public:
    /// Reads every configuration table into the store, showing its progress. False when a
    /// record list could not be read: loading stopped there, after showing which one.
    bool LoadCfg(ILoadProgress& progress);

    /// Rewrite the tables of one group from the store (each table emptied, then one INSERT
    /// per setting or record), stopping at the first statement the database refuses.
    bool SaveSysCfg();
    bool SaveDevCfg();
    bool SaveLineCfg();

    /// Configuration tables: emptied (SQL Server) or dropped and created again (MySQL).
    bool ClearCfgTables();
    bool CreateCfgTables();
    /// Statistics tables and their procedure, for SQL Server and for MySQL.
    bool ClearStatTables();
    bool CreateStatTables();
    bool CreateStatProcSqlServer();
    bool CreateStatProcMySql();

    /// The database's text of its last failure.
    std::string GetDbError();

private:
    bool LoadIpoLines();
    bool LoadExtens();
    bool LoadSipAccounts();
    bool LoadTrunkItems();
    bool LoadTrunkMatches();
};

/// The process's configuration database object, created on first use.
CCfgDb* GetCfgDb();
