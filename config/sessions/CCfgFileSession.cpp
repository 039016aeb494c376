#include "config/sessions/CCfgFileSession.h"

#include "config/catalogue/CfgGroups.h"
#include "config/database/CCfgClusterTables.h"
#include "config/database/CCfgLoader.h"
#include "config/database/CCfgSaveBuilder.h"
#include "config/database/CCfgWriter.h"
#include "config/database/CColumnRules.h"
#include "config/database/CQuietProgress.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgFile.h"

#include <algorithm>

bool CCfgFileSession::ReadFile(const QString& path, std::string& error)
{
    if (!CCfgFile::Read(path, m_file, error, &m_contents))
        return false;
    m_fileRead = true;
    TakeWhatTheFileLacks();
    return true;
}

void CCfgFileSession::TakeWhatTheFileLacks()
{
    // A backup holds one group: the others are to stay as the database has them.
    if (!m_fileRead || !m_databaseRead)
        return;
    for (CfgGroup group : kCfgGroups) {
        if (std::find(m_contents.groups.begin(), m_contents.groups.end(), group) == m_contents.groups.end())
            CopyCfgGroup(m_database, m_file, group);
    }
}

bool CCfgFileSession::ReadDatabase(std::string& error)
{
    bool reconnected = false;
    if (!CCfgWriter::EnsureConnected(m_db, reconnected, error, IOtlConnection::OpenCheck::TrustARecentAnswer))
        return false;
    m_database = CCfgData();
    CQuietProgress progress;
    CCfgLoader::Load(m_db, progress, m_database, m_report);
    m_databaseRead = true;
    TakeWhatTheFileLacks();
    return m_report.StandsForTheDatabase(m_database, error);
}

bool CCfgFileSession::TakeSheet(const CCsvSheet& sheet, CCsvSheet::Mode mode, std::string& error)
{
    for (CfgGroup group : kCfgGroups)
        CopyCfgGroup(m_database, m_file, group);
    if (!sheet.ApplyTo(m_file, mode, error))
        return false;
    m_contents = CfgFileContents();
    m_contents.groups = {CfgGroup::Lines};
    m_fileRead = true;
    return true;
}

bool CCfgFileSession::Export(const QString& path, std::string& error) const
{
    return CCfgFile::Write(m_database, path, error);
}

bool CCfgFileSession::ExportSheet(CsvList list, const QString& path, std::string& error) const
{
    return CCfgFile::WriteBytes(CCsvSheet::Export(m_database, list), path, error);
}

CCfgChanges CCfgFileSession::Compare() const
{
    return CCfgChanges::Compare(m_database, m_file);
}

bool CCfgFileSession::Writable(std::string& error) const
{
    return CCfgWriter::Writable(m_db, error);
}

bool CCfgFileSession::Prepare(const CCfgChanges& changes, std::string& error)
{
    m_prepared.clear();
    const std::vector<CfgGroup> groups = changes.DifferingGroups();
    if (groups.empty())
        return true;
    // What was compared must be what the database holds before a table is emptied.
    if (!m_report.StandsForTheDatabase(m_database, error)) {
        error += "，未写入任何内容";
        return false;
    }
    std::vector<std::string> tables;
    for (CfgGroup group : groups) {
        for (std::string& table : CfgGroupTables(group))
            tables.push_back(std::move(table));
    }
    if (!CCfgClusterTables::Replicated(m_db, tables, error))
        return false;
    const CColumnRules rules = CColumnRules::Read(&m_db, tables);
    for (CfgGroup group : groups) {
        std::vector<SqlStatement> statements;
        if (!CCfgSaveBuilder::Build(group, m_file, m_report, rules, m_db.GetDbType(), statements, error))
            return false;
        m_prepared.push_back(group);
    }
    return true;
}

bool CCfgFileSession::Write(CCfgDocument& document, ICfgOverwriteQuestion* question,
                            std::vector<CfgGroup>& written, bool& declined, std::string& error)
{
    written.clear();
    declined = false;
    m_reconnected = false;
    if (!m_prepared.empty() &&
        (!CCfgWriter::EnsureConnected(m_db, m_reconnected, error) || !CCfgWriter::Writable(m_db, error))) {
        error = CfgGroupName(m_prepared.front()) + "写入失败，" + error;
        return false;
    }
    document.Adopt(m_database, m_report);
    bool done = true;
    for (CfgGroup group : m_prepared) {
        CopyCfgGroup(m_file, document.Store(), group);
        const CfgWriteOutcome outcome = CCfgWriter::Write(m_db, document, group, m_file, question);
        if (!outcome.IsWritten()) {
            declined = outcome.result == CfgWriteOutcome::Result::Declined;
            error = CfgGroupName(group) + "写入失败，" + outcome.error;
            if (!written.empty())
                error += "（此前已写入：" + CfgGroupNames(written) + "）";
            done = false;
            break;
        }
        written.push_back(group);
    }
    m_prepared.clear();
    return done;
}
