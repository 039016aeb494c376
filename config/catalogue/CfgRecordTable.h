#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/catalogue/CfgRecordField.h"
#include "config/data/CCfgData.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

/// How the store holds the records of a kind.
template <class Record> struct RecordListOf
{
    /// Each record, in the order the store keeps (the order a save writes them in).
    void (*forEach)(const CCfgData& cfg, const std::function<void(const Record&)>& visit);
    std::size_t (*count)(const CCfgData& cfg);
    /// Adds one record at the end.
    void (*append)(CCfgData& cfg, Record record);
    /// Puts `records` in place of the list, in their order as far as the store keeps one.
    void (*assign)(CCfgData& cfg, std::vector<Record> records);
    /// Puts the list of `from` in place of that of `to`, in the same order.
    void (*copy)(const CCfgData& from, CCfgData& to);
};

/// A record list of the store held as a CRecordList member.
template <auto Member> auto HeldIn()
{
    using Record = typename std::remove_reference_t<decltype(std::declval<CCfgData>().*Member)>::RecordType;
    RecordListOf<Record> list;
    list.forEach = [](const CCfgData& cfg, const std::function<void(const Record&)>& visit) {
        for (const auto& record : cfg.*Member)
            visit(*record);
    };
    list.count = [](const CCfgData& cfg) { return (cfg.*Member).GetCount(); };
    list.append = [](CCfgData& cfg, Record record) {
        (cfg.*Member).AddTail(std::make_unique<Record>(std::move(record)));
    };
    list.assign = [](CCfgData& cfg, std::vector<Record> records) {
        (cfg.*Member).DeleteAll();
        for (Record& record : records)
            (cfg.*Member).AddTail(std::make_unique<Record>(std::move(record)));
    };
    list.copy = [](const CCfgData& from, CCfgData& to) {
        (to.*Member).DeleteAll();
        for (const auto& record : from.*Member)
            (to.*Member).AddTail(std::make_unique<Record>(*record));
    };
    return list;
}

/// A record kind and the table it is kept in, described once: loading, saving, the
/// configuration file, the CSV lists, the comparison and the grids all read it from here.
template <class Record> struct RecordTable
{
    const char* table;
    /// The list's key in a configuration file.
    const char* list;
    /// What the user calls one of its records: in the viewer of changes, the grids' captions,
    /// the CSV lists and messages.
    const char* caption;
    RecordListOf<Record> records;
    /// Which rows of the table are the kind's ("type = 0"); null for all.
    const char* where;
    /// The order loading asks for ("id ASC"); null for the table's own.
    const char* orderBy;
    /// What loading shows when the rows cannot be read and loading stops; null where a list
    /// that cannot be read leaves its group incomplete and loading goes on.
    const char* loadFailure;
    /// The database keeps the list's order, so that another order is a change of its own.
    bool ordered;
    /// The name a file gets told of when it gives an "id" twice (the table's key would refuse
    /// the second row in the middle of a save); null where ids may repeat.
    const char* uniqueId;
    /// How messages name a record, up to the field's label: "SIP账户3 的".
    std::string (*name)(const Record& record, std::size_t index);
    /// The values a record added by the user takes, beside its ID.
    Record (*newRecord)();
    std::vector<RecordField<Record>> fields;
    /// Shown (in files, comparisons and CSV lists) in the order of their numbers, whatever
    /// order the store keeps.
    bool shownByNumber = false;
    /// Loading reads every column and takes the fields by name: the table may hold others.
    bool readByName = false;
    /// In a configuration file, each record is its one field's value, not an object.
    bool bareInFile = false;
};

/// The number field "id" that tells the records of a kind apart; null for a kind without one.
template <class Record> const RecordField<Record>* IdField(const RecordTable<Record>& table)
{
    for (const RecordField<Record>& field : table.fields) {
        if (field.kind == FieldKind::Number && std::string(field.column) == "id")
            return &field;
    }
    return nullptr;
}

/// The records of `table` in `cfg` in the order they are shown.
template <class Record>
std::vector<Record> RecordsShown(const RecordTable<Record>& table, const CCfgData& cfg)
{
    std::vector<Record> records;
    records.reserve(table.records.count(cfg));
    table.records.forEach(cfg, [&records](const Record& record) { records.push_back(record); });
    if (const RecordField<Record>* id = table.shownByNumber ? IdField(table) : nullptr) {
        std::stable_sort(records.begin(), records.end(), [id](const Record& a, const Record& b) {
            return a.*(id->number) < b.*(id->number);
        });
    }
    return records;
}

/// The query loading sends: the fields' columns, in their order.
template <class Record> std::string SelectText(const RecordTable<Record>& table)
{
    std::string columns;
    for (const RecordField<Record>& field : table.fields)
        columns += (columns.empty() ? "" : ", ") + std::string(field.column);
    std::string text = "SELECT " + (table.readByName ? std::string("*") : columns) + " FROM " + table.table;
    if (table.where)
        text += std::string(" WHERE ") + table.where;
    if (table.orderBy)
        text += std::string(" ORDER BY ") + table.orderBy;
    return text;
}

/// The format of a save's INSERT: one placeholder per inserted field, in their order.
template <class Record> std::string InsertFormat(const RecordTable<Record>& table)
{
    std::string columns;
    std::string values;
    for (const RecordField<Record>& field : table.fields) {
        if (!field.inserted)
            continue;
        const char* separator = columns.empty() ? "" : ", ";
        columns += separator + std::string(field.InsertColumn());
        values += separator + std::string(field.Placeholder());
        if (field.followingColumn) {
            columns += std::string(", ") + field.followingColumn;
            values += std::string(", ") + field.followingValue;
        }
    }
    return std::string("INSERT INTO ") + table.table + " (" + columns + ") VALUES (" + values + ")";
}

const RecordTable<tagIvrFlow>& IvrFlowTable();
const RecordTable<tagIpoLine>& IpoLineTable();
const RecordTable<tagExten>& ExtenTable();
const RecordTable<tagSIP_ACCOUNT>& SipAccountTable();
const RecordTable<tagTRUNK_ITEM>& TrunkItemTable();
const RecordTable<tagTRUNK_MATCH>& TrunkMatchTable();

/// Calls visit(table) for each record table of `group`, in the order of loading and saving.
template <class Visit> void ForEachRecordTable(CfgGroup group, Visit visit)
{
    switch (group) {
    case CfgGroup::System:
        visit(IvrFlowTable());
        break;
    case CfgGroup::Device:
        visit(IpoLineTable());
        break;
    case CfgGroup::Lines:
        visit(ExtenTable());
        visit(SipAccountTable());
        visit(TrunkItemTable());
        visit(TrunkMatchTable());
        break;
    }
}

/// The extension numbers the id column of conf_line holds: every path takes these and no others.
constexpr int kExtenNumberLeast = std::numeric_limits<int>::min();
constexpr int kExtenNumberMost = std::numeric_limits<int>::max();
/// The most characters of an access password that conf_line keeps.
constexpr int kExtenPasswordRoom = 100;
/// The other rows of conf_line, which the program keeps without editing.
extern const char* const kKeptLinesSelect;
extern const char* const kKeptLinesInsert;
