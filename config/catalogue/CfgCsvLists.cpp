#include "config/catalogue/CfgCsvLists.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/MessageList.h"

#include <algorithm>
#include <limits>

namespace {

template <class Record> CsvColumn ColumnOf(const RecordField<Record>& field, bool identifies)
{
    CsvColumn column;
    column.label = field.label;
    column.aliases = {field.column};
    if (field.fileKey)
        column.aliases.push_back(field.fileKey);
    column.kind = field.kind;
    column.roomBytes = field.room;
    column.roomChars = field.roomChars;
    column.minimum = field.minimum;
    column.maximum = field.maximum;
    column.options =
        field.kind == FieldKind::Flag ? std::vector<std::string>{"true", "false"} : field.options;
    column.identifies = identifies;
    column.numbered = !field.inserted;
    return column;
}

template <class Record> CsvRow RowOf(const RecordTable<Record>& table, const Record& record)
{
    CsvRow row;
    row.reserve(table.fields.size());
    for (const RecordField<Record>& field : table.fields)
        row.push_back(field.Spelled(record));
    return row;
}

/// The list of a record kind, its columns the kind's fields. The ID is the key where the
/// records have their own; the fields that name a record in a comparison otherwise.
template <class Record> CsvListLayout LayoutOf(const char* word, const RecordTable<Record>& table)
{
    CsvListLayout layout;
    layout.word = word;
    layout.title = table.caption;
    const RecordField<Record>* id = IdField(table);
    const bool ownIds = id && id->inserted;
    for (const RecordField<Record>& field : table.fields) {
        if (&field == id)
            layout.idColumn = layout.columns.size();
        layout.columns.push_back(ColumnOf(field, ownIds ? &field == id : field.keyRank > 0));
    }
    layout.rows = [&table](const CCfgData& cfg) {
        std::vector<CsvRow> rows;
        for (const Record& record : RecordsShown(table, cfg))
            rows.push_back(RowOf(table, record));
        return rows;
    };
    layout.store = [&table](const std::vector<CsvRow>& rows, CCfgData& cfg) {
        std::vector<Record> records;
        records.reserve(rows.size());
        for (const CsvRow& row : rows) {
            Record record{};
            for (std::size_t index = 0; index < table.fields.size(); ++index)
                table.fields[index].SetSpelled(record, row[index]);
            records.push_back(std::move(record));
        }
        table.records.assign(cfg, std::move(records));
    };
    layout.newRow = RowOf(table, table.newRecord());
    return layout;
}

} // namespace

const CsvListLayout& CsvListLayoutOf(CsvList list)
{
    static const std::array<CsvListLayout, 4> layouts = {
        LayoutOf("extensions", ExtenTable()),
        LayoutOf("sip-accounts", SipAccountTable()),
        LayoutOf("trunk-items", TrunkItemTable()),
        LayoutOf("trunk-matches", TrunkMatchTable()),
    };
    return layouts[static_cast<std::size_t>(list)];
}

bool CsvListFromWord(const std::string& word, CsvList& list)
{
    for (CsvList candidate : kCsvLists) {
        if (word == CsvListLayoutOf(candidate).word) {
            list = candidate;
            return true;
        }
    }
    return false;
}

std::string CsvListWords()
{
    std::vector<std::string> words;
    for (CsvList list : kCsvLists)
        words.emplace_back(CsvListLayoutOf(list).word);
    return MessageList(words);
}
