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
    column.kind = field.kind;
    column.roomBytes = field.room;
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
    for (const RecordField<Record>& field : table.fields)
        layout.columns.push_back(ColumnOf(field, ownIds ? &field == id : field.keyRank > 0));
    layout.rows = [&table](const CCfgData& cfg) {
        std::vector<CsvRow> rows;
        for (const auto& record : cfg.*table.member)
            rows.push_back(RowOf(table, *record));
        return rows;
    };
    layout.store = [&table](const std::vector<CsvRow>& rows, CCfgData& cfg) {
        CRecordList<Record>& list = cfg.*table.member;
        list.DeleteAll();
        for (const CsvRow& row : rows) {
            auto record = std::make_unique<Record>();
            for (std::size_t index = 0; index < table.fields.size(); ++index) {
                const RecordField<Record>& field = table.fields[index];
                switch (field.kind) {
                case FieldKind::Text:
                    field.setText(*record, row[index]);
                    break;
                case FieldKind::Number:
                    (*record).*field.number = std::stoi(row[index]);
                    break;
                case FieldKind::Flag:
                    (*record).*field.flag = row[index] == "true";
                    break;
                }
            }
            list.AddTail(std::move(record));
        }
    };
    layout.newRow = RowOf(table, table.newRecord());
    return layout;
}

CsvListLayout ExtensionLayout()
{
    CsvListLayout layout;
    layout.word = "extensions";
    layout.title = ExtenTable().caption;
    CsvColumn number;
    number.label = kExtenNumber.label;
    number.aliases = {kExtenNumber.column, kExtenNumber.key};
    number.kind = FieldKind::Number;
    number.minimum = kExtenNumberLeast;
    number.maximum = kExtenNumberMost;
    number.identifies = true;
    CsvColumn password;
    password.label = kExtenPassword.label;
    password.aliases = {kExtenPassword.column, kExtenPassword.key};
    password.roomChars = kExtenPasswordRoom;
    layout.columns = {number, password};
    layout.rows = [](const CCfgData& cfg) {
        ExtenList extens = ExtensInOrder(cfg.Extens);
        std::sort(extens.begin(), extens.end());
        std::vector<CsvRow> rows;
        rows.reserve(extens.size());
        for (auto& [exten, text] : extens)
            rows.push_back({std::to_string(exten), std::move(text)});
        return rows;
    };
    layout.store = [](const std::vector<CsvRow>& rows, CCfgData& cfg) {
        ExtenList extens;
        extens.reserve(rows.size());
        for (const CsvRow& row : rows)
            extens.emplace_back(std::stoi(row[0]), row[1]);
        SetExtensInOrder(cfg.Extens, extens);
    };
    layout.newRow = {"0", ""};
    return layout;
}

} // namespace

const CsvListLayout& CsvListLayoutOf(CsvList list)
{
    static const std::array<CsvListLayout, 4> layouts = {
        ExtensionLayout(),
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
