#pragma once

#include "config/data/CCfgData.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CfgLoadReport.h"
#include "config/formats/CCfgFile.h"
#include "config/formats/CCsvSheet.h"
#include "db/IOtlConnection.h"

#include <QString>
#include <array>
#include <string>
#include <vector>

class CCfgDocument;
class ICfgOverwriteQuestion;

/// One export, comparison or import of a configuration file, the same for the window and the
/// command line, through a given connection. The database is read afresh into a store of the
/// session's own, so that a document and what its saves refuse stay as they are until an
/// import writes.
class CCfgFileSession
{
public:
    explicit CCfgFileSession(IOtlConnection& db) : m_db(db) {}

    /// Reads the file at `path`; false, with `error` saying where and why, for a file that is
    /// not a valid configuration file. A backup holds one group: the session takes the others
    /// as the database holds them, so only that group can differ.
    bool ReadFile(const QString& path, std::string& error);
    /// Reads the whole configuration from the database; false, with `error`, when a group
    /// cannot be read whole, or a text only shortened: then it cannot stand for the database.
    bool ReadDatabase(std::string& error);

    /// Takes for the file the configuration the database holds with `sheet`'s list put in as
    /// `mode` says; valid once the database is read. False, with `error`, when the sheet holds
    /// a value the list cannot take.
    bool TakeSheet(const CCsvSheet& sheet, CCsvSheet::Mode mode, std::string& error);

    /// Writes what the database holds into the file at `path`.
    bool Export(const QString& path, std::string& error) const;
    /// Writes the database's `list` into the CSV file at `path`.
    bool ExportSheet(CsvList list, const QString& path, std::string& error) const;
    /// What importing the file would change in the database; valid once both are read.
    CCfgChanges Compare() const;

    /// Whether the database takes writes; false, with `error`, for a read-only one.
    bool Writable(std::string& error) const;

    /// Builds the statements of every group that differs, checked against the columns, before
    /// any is sent. False, with `error` naming the value, when one would be refused; nothing
    /// is written then.
    bool Prepare(const CCfgChanges& changes, std::string& error);
    /// Writes the prepared groups in the order middleware, device, lines, each as a save writes
    /// (under its lock, after a backup of what it held, asking `question`), stopping at the
    /// first that fails. `document` then holds the database's configuration with the file's
    /// groups in place of those written (and of one that failed, as after a failed Save), and
    /// its saves go by this session's reading of the database. `written` lists the groups
    /// written; `declined`, whether the question was answered no.
    bool Write(CCfgDocument& document, ICfgOverwriteQuestion* question, std::vector<CfgGroup>& written,
               bool& declined, std::string& error);

    /// Whether Write had to open the connection again before its first statement.
    bool Reconnected() const { return m_reconnected; }
    /// The configuration as ReadDatabase read it.
    const CCfgData& Database() const { return m_database; }

private:
    void TakeWhatTheFileLacks();

    IOtlConnection& m_db;
    CCfgData m_database;
    CfgLoadReport m_report;
    CCfgData m_file;
    CfgFileContents m_contents;
    bool m_fileRead = false;
    bool m_databaseRead = false;
    std::vector<CfgGroup> m_prepared;
    bool m_reconnected = false;
};
