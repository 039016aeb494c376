#include "config/database/CCfgLoader.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "config/database/CCombinedRead.h"
#include "config/database/CQuietProgress.h"
#include "config/database/ILoadProgress.h"
#include "config/database/ILoadRows.h"
#include "config/document/CfgLoadReport.h"
#include "config/formats/CCfgFile.h"
#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

#include <memory>

namespace {

constexpr int kFailureShownMs = 1500;
constexpr int kLastStep = 7;

/// A connection, one query a round trip.
class ConnectionRows final : public ILoadRows
{
public:
    explicit ConnectionRows(IOtlConnection& db) : m_db(db) {}
    RecordsetPtr Open(const std::string& query) override { return RecordsetPtr(m_db.OpenRecordset(query)); }
    std::string Value(const std::string& query) override { return m_db.QueryValue(query); }
    std::string LastError() override { return m_db.GetLastErrorText(); }

private:
    IOtlConnection& m_db;
};

/// Runs `fill` for every row of `query`; false when the rows cannot be read at all.
template <class Fill> bool ForEachRow(ILoadRows& source, const std::string& query, Fill fill)
{
    const RecordsetPtr rows = source.Open(query);
    if (!rows)
        return false;
    while (!rows->IsEof()) {
        rows->FetchNext();
        fill(*rows);
    }
    return true;
}

std::string ReadFailure(ILoadRows& source, const std::string& table)
{
    return "读取 " + table + " 失败: " + source.LastError();
}

/// Notes a text that `field` of a loaded record could hold only shortened: saved as it now
/// is, it would come back shortened, so a save is refused as long as a store still holds it so.
template <class Record>
void NoteCut(const RecordTable<Record>& table, const RecordField<Record>& field, const Record& record,
             std::size_t index, const std::string& stored, CfgLoadReport& report)
{
    const RecordField<Record>* idField = IdField(table);
    if (!idField)
        return;
    const int id = record.*(idField->number);
    const std::string kept = field.text(record);
    report.cutTexts.push_back({table.name(record, index) + field.label, stored, field.room,
                               [&table, &field, idField, id, kept](const CCfgData& cfg) {
                                   bool held = false;
                                   table.records.forEach(cfg, [&](const Record& each) {
                                       held = held ||
                                              (each.*(idField->number) == id && field.text(each) == kept);
                                   });
                                   return held;
                               }});
}

template <class Record>
bool LoadRecords(ILoadRows& source, const RecordTable<Record>& table, CCfgData& cfg, CfgLoadReport& report)
{
    std::size_t index = table.records.count(cfg);
    return ForEachRow(source, SelectText(table), [&](IOtlRecordset& row) {
        Record record;
        std::vector<std::pair<const RecordField<Record>*, std::string>> cut;
        int column = 1;
        for (const RecordField<Record>& field : table.fields) {
            if (table.readByName) {
                field.SetSpelled(record, row.GetFieldByName(field.column));
                continue;
            }
            std::string stored = field.Read(record, row, column++);
            // Only a fixed field cuts what it is given.
            if (field.room != 0 && stored.size() > field.room)
                cut.emplace_back(&field, std::move(stored));
        }
        for (const auto& [field, text] : cut)
            NoteCut(table, *field, record, index, text, report);
        table.records.append(cfg, std::move(record));
        ++index;
    });
}

/// Reads the rows of a group's settings table whose names are none of the group's keys:
/// they are someone else's, and a save keeps them.
bool LoadKeptSettings(ILoadRows& source, CfgGroup group, std::vector<KeptRow>& kept)
{
    return ForEachRow(source, std::string("SELECT Name, Value, Value IS NULL FROM ") + CfgSettingTable(group),
                      [group, &kept](IOtlRecordset& row) {
                          const std::string name = row.GetFieldString(1);
                          if (IsCfgSettingName(group, name))
                              return;
                          KeptRow setting;
                          setting.name = name;
                          if (row.GetFieldInt(3) == 0)
                              setting.value = row.GetFieldString(2);
                          kept.push_back(std::move(setting));
                      });
}

bool LoadKeptLines(ILoadRows& source, std::vector<KeptRow>& kept)
{
    return ForEachRow(source, kKeptLinesSelect, [&kept](IOtlRecordset& row) {
        KeptRow line;
        line.id = row.GetFieldInt(1);
        line.type = row.GetFieldInt(2);
        if (row.GetFieldInt(4) == 0)
            line.value = row.GetFieldString(3);
        kept.push_back(std::move(line));
    });
}

/// The list read right after a group's setting that it follows. False when loading must stop.
bool LoadGroupList(ILoadRows& source, CfgGroup group, CCfgData& cfg, CfgLoadReport& report,
                   const char*& failure)
{
    bool loaded = true;
    ForEachRecordTable(group, [&](const auto& table) {
        if (LoadRecords(source, table, cfg, report))
            return;
        // Saving the group would lose what was not read, so the group counts as incomplete.
        report.NoteGap(group, ReadFailure(source, table.table));
        if (!table.loadFailure)
            return;
        failure = table.loadFailure;
        report.NoteGap(CfgGroup::Lines, std::string("读取在 ") + table.table + " 处中断，线路配置未读取");
        loaded = false;
    });
    return loaded;
}

/// The settings of `group` with the list that follows one of them, then its kept settings.
bool LoadSettingsGroup(ILoadRows& source, CfgGroup group, ILoadProgress& progress, int& step, CCfgData& cfg,
                       CfgLoadReport& report, const char*& failure)
{
    const std::string table = CfgSettingTable(group);
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        if (setting.loadStep != step) {
            progress.SetPos(step);
            step = setting.loadStep;
        }
        setting.SetValue(cfg, source.Value(setting.LoadQuery()));
        // A query that fails, as opposed to one that finds no row, leaves its group incomplete.
        const std::string error = source.LastError();
        if (!error.empty())
            report.NoteGap(group, "读取 " + table + " 失败: " + error);
        if (setting.listFollows && !LoadGroupList(source, group, cfg, report, failure))
            return false;
    }
    if (!LoadKeptSettings(source, group, report.Kept(group)))
        report.NoteGap(group, ReadFailure(source, table));
    return true;
}

/// The lists of the lines group, in order, stopping at the first that cannot be read.
bool LoadLines(ILoadRows& source, CCfgData& cfg, CfgLoadReport& report, const char*& failure)
{
    auto stop = [&source, &report, &failure](const char* what, const char* table) {
        failure = what;
        report.NoteGap(CfgGroup::Lines, ReadFailure(source, table));
        return false;
    };
    bool loaded = true;
    ForEachRecordTable(CfgGroup::Lines, [&](const auto& table) {
        if (loaded && !LoadRecords(source, table, cfg, report))
            loaded = stop(table.loadFailure, table.table);
        // The other rows of the extensions' table come right after them.
        if (loaded && table.table == std::string(ExtenTable().table) &&
            !LoadKeptLines(source, report.keptLines))
            loaded = stop(table.loadFailure, table.table);
    });
    return loaded;
}

/// Every group, in order, showing its progress from step 1; false when loading stopped at a
/// list that could not be read, after showing which one.
bool LoadAll(ILoadRows& source, ILoadProgress& progress, CCfgData& cfg, CfgLoadReport& report)
{
    report = CfgLoadReport();
    int step = 1;
    const char* failure = nullptr;
    if (LoadSettingsGroup(source, CfgGroup::System, progress, step, cfg, report, failure) &&
        LoadSettingsGroup(source, CfgGroup::Device, progress, step, cfg, report, failure)) {
        progress.SetPos(step);
        LoadLines(source, cfg, report, failure);
    }
    if (failure) {
        progress.SetText(failure);
        progress.Pause(kFailureShownMs);
        return false;
    }
    progress.SetPos(kLastStep);
    return true;
}

} // namespace

bool CCfgLoader::Load(IOtlConnection& db, ILoadProgress& progress, CCfgData& cfg, CfgLoadReport& report)
{
    progress.Open(0, kLastStep);
    progress.SetText("配置参数加载中...");
    // On MySQL and MariaDB every query in one round trip. Where that cannot run (a table or a
    // column missing, a server that will not combine the rows), one query a round trip, which
    // tells which table failed and reads what can be read.
    CCombinedRead combined;
    ConnectionRows connection(db);
    ILoadRows* source = &connection;
    bool digested = false;
    if (db.GetDbType() == DbTypeMySql && combined.SetQueries(CCombinedRead::QueriesOf([](ILoadRows& list) {
            CCfgData scratch;
            CfgLoadReport scratchReport;
            CQuietProgress quiet;
            LoadAll(list, quiet, scratch, scratchReport);
        }))) {
        // The digest of each group is left in the session, taken in the same statement as
        // the rows, for the first save to compare with.
        std::vector<std::string> digests;
        for (CfgGroup group : kCfgGroups)
            digests.push_back(DigestVariable(group) + " := " + DigestExpression(group));
        combined.SetHead(digests);
        RecordsetPtr rows(db.OpenRecordset(combined.Text()));
        digested = rows != nullptr;
        // A server without the digest's functions (an older one) reads the rows all the same.
        if (!rows) {
            combined.SetHead({});
            rows.reset(db.OpenRecordset(combined.Text()));
        }
        if (rows) {
            combined.Take(*rows);
            source = &combined;
        }
    }
    const bool loaded = LoadAll(*source, progress, cfg, report);
    report.digested.fill(digested);
    progress.Close();
    return loaded;
}

bool CCfgLoader::LoadGroup(CfgGroup group, ILoadRows& source, CCfgData& cfg, CfgLoadReport& report)
{
    report = CfgLoadReport();
    const char* failure = nullptr;
    if (group == CfgGroup::Lines)
        LoadLines(source, cfg, report, failure);
    else {
        CQuietProgress progress;
        int step = 0;
        LoadSettingsGroup(source, group, progress, step, cfg, report, failure);
    }
    return report.Gap(group).empty();
}

std::string CCfgLoader::DigestVariable(CfgGroup group)
{
    return std::string("@tarvex_digest_") + CCfgFile::GroupKey(group);
}

std::string CCfgLoader::DigestExpression(CfgGroup group)
{
    CCombinedRead read;
    read.SetQueries(CCombinedRead::QueriesOf([group](ILoadRows& list) {
        CCfgData scratch;
        CfgLoadReport report;
        LoadGroup(group, list, scratch, report);
    }));
    return read.DigestExpression();
}

bool CCfgLoader::LoadGroup(IOtlConnection& db, CfgGroup group, CCfgData& cfg, CfgLoadReport& report)
{
    ConnectionRows source(db);
    return LoadGroup(group, source, cfg, report);
}
