#pragma once

#include "db/IOtlConnection.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCfgChanges;
class ILoadProgress;
struct CCfgData;
struct CfgLoadReport;

/// The three groups of the store that are saved separately.
enum class CfgGroup
{
    System, // middleware: conf_system, conf_ivr_flow
    Device, // conf_dev, conf_vs
    Lines,  // conf_line, conf_sip_account, conf_trunk_item, conf_trunk_match
};

/// The database work on the configuration: loading the store, saving each of its three
/// groups, and setting up the schemas. Every operation takes the process-wide connection
/// itself. Results are true when done.
class CCfgDb
{
public:
    /// Reads every configuration table into the process store, showing its progress, and
    /// keeps what the load found: it decides what the saves of that store refuse and keep.
    /// False when a record list could not be read: loading stopped there, after showing which one.
    bool LoadCfg(ILoadProgress& progress);
    /// What the load that the process store holds found beside its values.
    const CfgLoadReport& LoadReport() const { return *m_loaded; }
    /// Puts `report` in place of the load report, where the store now holds what that load read.
    void AdoptLoadReport(const CfgLoadReport& report);

    /// What the database held for each group when this process last read or wrote it: what
    /// the pages' edits and a colleague's changes are told against.
    const CCfgData& Reference() const { return *m_reference; }
    /// Puts `group` of `cfg` in the reference: the database now holds it.
    void SetReference(CfgGroup group, const CCfgData& cfg);
    /// A write of `group` stopped part-way: its tables hold what this process left there, not
    /// the reference, so the next save of the group does not take that for a colleague's work.
    void NotePartlyWritten(CfgGroup group) { m_partlyWritten[static_cast<std::size_t>(group)] = true; }

    /// Rewrite the tables of one group from the store (each table emptied, then one INSERT
    /// per setting or record), stopping at the first statement the database refuses. A group
    /// that loading did not read whole, or a value that does not fit its column, is refused
    /// before anything is sent; GetDbError then says why.
    bool SaveSysCfg();
    bool SaveDevCfg();
    bool SaveLineCfg();
    bool SaveGroup(CfgGroup group);
    /// Writes `group` of `cfg` over the group's tables: under the group's lock, after reading
    /// them afresh (asking the overwrite question when they changed since the reference) and
    /// backing up what they held, with the rows the program keeps as they are now. The group
    /// of `cfg` then becomes the reference.
    bool WriteGroup(CfgGroup group, const CCfgData& cfg);
    /// The backup file of what the last write wrote over; empty when it made none.
    const std::string& LastBackup() const { return m_lastBackup; }

    /// Asked, before anything is written, when the group's tables no longer hold what this
    /// process last read or wrote (`changes`: from that to what they hold now): true to write
    /// over them. Without a question a save writes.
    using OverwriteQuestion = std::function<bool(CfgGroup group, const CCfgChanges& changes)>;
    /// The question for the writes made while it lives; without one, or once it ends however
    /// it ends, a save writes.
    class Asking
    {
    public:
        Asking(CCfgDb& cfgDb, OverwriteQuestion question) : m_cfgDb(cfgDb)
        {
            m_cfgDb.m_overwrite = std::move(question);
        }
        ~Asking() { m_cfgDb.m_overwrite = nullptr; }
        Asking(const Asking&) = delete;
        Asking& operator=(const Asking&) = delete;

    private:
        CCfgDb& m_cfgDb;
    };
    /// Whether the last save wrote nothing because the question was answered no.
    bool Declined() const { return m_declined; }

    /// Opens the connection again, once, when the server or the network has dropped it; to be
    /// called before an operation's first statement. False, with GetDbError saying why and
    /// what to do, when it cannot be opened.
    bool EnsureConnected();
    /// Whether the last EnsureConnected (which every save runs first) had to open the
    /// connection again.
    bool Reconnected() const { return m_reconnected; }

    /// Runs statements built beforehand, in order, stopping at the first the database refuses.
    bool Run(const std::vector<SqlStatement>& statements);

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

    CCfgDb();
    ~CCfgDb();
    CCfgDb(const CCfgDb&) = delete;
    CCfgDb& operator=(const CCfgDb&) = delete;

private:
    std::unique_ptr<CfgLoadReport> m_loaded;
    std::unique_ptr<CCfgData> m_reference;
    std::string m_refusal;
    bool m_reconnected = false;
    OverwriteQuestion m_overwrite;
    std::array<bool, 3> m_partlyWritten{};
    bool m_declined = false;
    std::string m_lastBackup;
};

/// The process's configuration database object, created on first use.
CCfgDb* GetCfgDb();
