#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/database/CfgWriteOutcome.h"

#include <string>

class CCfgDocument;
class ICfgOverwriteQuestion;
class ILoadProgress;
struct CCfgData;

/// The window's faces for the database work on the configuration: loading the window's
/// document, saving each of its three groups, and setting up the schemas, all through the
/// process-wide connection. The work itself is done by CCfgLoader, CCfgWriter and the schema
/// classes, which take what they work on as arguments; this keeps only the text of the last
/// failure, for GetDbError.
class CCfgDb
{
public:
    /// Reads every configuration table into the window's document, showing its progress.
    /// False when a record list could not be read: loading stopped there, after showing which one.
    bool LoadCfg(ILoadProgress& progress);

    /// Saves one group of the window's document, asking `question` (where there is one)
    /// before writing over a colleague's changes.
    CfgWriteOutcome Save(CfgGroup group, ICfgOverwriteQuestion* question);
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

    /// The text of the last failure: the refusal of the last save, or the database's text.
    std::string GetDbError();

private:
    std::string m_refusal;
};

/// The window's database faces.
CCfgDb* GetCfgDb();
/// The window's document: what its pages show and its saves write.
CCfgDocument* GetCfgDocument();
/// The store of the window's document.
CCfgData* GetCfgData();
