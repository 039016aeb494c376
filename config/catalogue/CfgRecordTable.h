#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/catalogue/CfgRecordField.h"
#include "config/data/CCfgData.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

/// A record list of the store and the table it is kept in, described once: loading, saving,
/// the configuration file and the comparison all read it from here.
template <class Record> struct RecordTable
{
    const char* table;
    /// The list's key in a configuration file.
    const char* list;
    /// What the user calls one of its records: in the viewer of changes, the grids' captions,
    /// the CSV lists and messages.
    const char* caption;
    CRecordList<Record> CCfgData::*member;
    /// The order loading asks for ("id ASC"); null for the table's own.
    const char* orderBy;
    /// What loading shows when the rows cannot be read.
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
};

/// The query loading sends: the fields' columns, in their order.
template <class Record> std::string SelectText(const RecordTable<Record>& table)
{
    std::string columns;
    for (const RecordField<Record>& field : table.fields)
        columns += (columns.empty() ? "" : ", ") + std::string(field.column);
    std::string text = "SELECT " + columns + " FROM " + table.table;
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
    }
    return std::string("INSERT INTO ") + table.table + " (" + columns + ") VALUES (" + values + ")";
}

/// The number field "id" that tells the records of a kind apart; null for a kind without one.
template <class Record> const RecordField<Record>* IdField(const RecordTable<Record>& table)
{
    for (const RecordField<Record>& field : table.fields) {
        if (field.kind == FieldKind::Number && std::string(field.column) == "id")
            return &field;
    }
    return nullptr;
}

const RecordTable<tagIpoLine>& IpoLineTable();
const RecordTable<tagSIP_ACCOUNT>& SipAccountTable();
const RecordTable<tagTRUNK_ITEM>& TrunkItemTable();
const RecordTable<tagTRUNK_MATCH>& TrunkMatchTable();

/// Calls visit(table) for each record table of `group`, in the order of loading and saving.
template <class Visit> void ForEachRecordTable(CfgGroup group, Visit visit)
{
    if (group == CfgGroup::Device) {
        visit(IpoLineTable());
    } else if (group == CfgGroup::Lines) {
        visit(SipAccountTable());
        visit(TrunkItemTable());
        visit(TrunkMatchTable());
    }
}

/// A list of single values: the IVR flows (file paths in conf_ivr_flow) and the extensions
/// (rows of conf_line of type 0, a number and an access password each).
struct ListTable
{
    const char* table;
    const char* list;
    const char* caption;
    const char* select;
    const char* insert;
    const char* loadFailure;
};

/// The IVR flows, in list order; the file path is column FilePath.
const ListTable& IvrFlowTable();
extern const char* const kIvrFlowColumn;
/// How messages name the flow at `index` of the list.
std::string IvrFlowName(std::size_t index);

/// The extensions: column id holds the number, column value the access password.
const ListTable& ExtenTable();
struct ExtenField
{
    const char* column; // in conf_line
    const char* key;    // in a configuration file and the viewer
    const char* label;
};
extern const ExtenField kExtenNumber;
extern const ExtenField kExtenPassword;
/// The extension numbers the id column of conf_line holds: every path takes these and no others.
constexpr int kExtenNumberLeast = std::numeric_limits<int>::min();
constexpr int kExtenNumberMost = std::numeric_limits<int>::max();
/// The most characters of an access password that conf_line keeps.
constexpr int kExtenPasswordRoom = 100;
/// How messages name an extension, up to a field's label.
std::string ExtenName(int number);
/// The other rows of conf_line, which the program keeps without editing.
extern const char* const kKeptLinesSelect;
extern const char* const kKeptLinesInsert;
