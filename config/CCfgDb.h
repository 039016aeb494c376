#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/CRecordList.h"

class ILoadProgress;
struct CCfgData;

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
    /// Reads every configuration table into the store, showing its progress. False when a
    /// record list could not be read: loading stopped there, after showing which one.
    bool LoadCfg(ILoadProgress& progress);

    /// Rewrite the tables of one group from the store (each table emptied, then one INSERT
    /// per setting or record), stopping at the first statement the database refuses. A group
    /// that loading did not read whole, or a value that does not fit its column, is refused
    /// before anything is sent; GetDbError then says why.
    bool SaveSysCfg();
    bool SaveDevCfg();
    bool SaveLineCfg();

    /// Opens the connection again, once, when the server or the network has dropped it; to be
    /// called before an operation's first statement. False, with GetDbError saying why and
    /// what to do, when it cannot be opened.
    bool EnsureConnected();
    /// Whether the last EnsureConnected (which every save runs first) had to open the
    /// connection again.
    bool Reconnected() const { return m_reconnected; }

    /// Why the store would save a text that loading had to shorten to fit its record field;
    /// empty when it would not.
    std::string CutTextStillHeld() const;

    /// Why loading did not read `group` whole; empty when it did (or nothing was loaded).
    const std::string& LoadGap(CfgGroup group) const { return m_loadGaps[Index(group)]; }

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
    static std::size_t Index(CfgGroup group) { return static_cast<std::size_t>(group); }

    bool LoadIpoLines();
    bool LoadExtens();
    bool LoadSipAccounts();
    bool LoadTrunkItems();
    bool LoadTrunkMatches();
    /// A text of the database that a record field could hold only shortened.
    struct CutText
    {
        std::string what;                               // the record and field, for messages
        std::string stored;                             // as the database holds it
        std::size_t room = 0;                           // bytes the field can hold
        std::function<bool(const CCfgData&)> stillCut;  // whether the store still holds it shortened
    };
    /// Copies `text` into a text field of a loaded record of the store's `list`, and notes it
    /// when it had to be shortened.
    template <class Record, std::size_t N>
    void LoadText(Record& record, char (Record::*field)[N], CRecordList<Record> CCfgData::*list,
                  const std::string& text, const std::string& what);

public:
    /// A row of a table that a save rewrites but that the program does not edit: a setting
    /// of a name it does not know, or a line of conf_line of a type other than an extension.
    /// Loading keeps it, and the save writes it back as it was.
    struct KeptRow
    {
        std::string name;                 // conf_system and conf_dev
        int id = 0;                       // conf_line
        int type = 0;                     // conf_line
        std::optional<std::string> value; // nullopt for NULL
    };

private:
    /// Reads the rows of `table`'s settings whose names are none of `group`'s keys.
    bool LoadKeptSettings(CfgGroup group, const char* table, std::vector<KeptRow>& kept);
    bool LoadKeptLines();

    /// Records, once per group, that it was not read whole.
    void NoteLoadGap(CfgGroup group, const std::string& what);
    /// Starts a save: false, with the refusal kept, when the group was not loaded whole.
    bool BeginSave(CfgGroup group);

    std::array<std::string, 3> m_loadGaps;
    std::vector<CutText> m_cutTexts;
    std::vector<KeptRow> m_keptSystem; // conf_system
    std::vector<KeptRow> m_keptDevice; // conf_dev
    std::vector<KeptRow> m_keptLines;  // conf_line
    std::string m_refusal;
    bool m_reconnected = false;
};

/// The process's configuration database object, created on first use.
CCfgDb* GetCfgDb();
