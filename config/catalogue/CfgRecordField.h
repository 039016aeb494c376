#pragma once

#include "config/data/CfgRecords.h"
#include "db/DecimalText.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

/// The ports a TCP or UDP field may name.
constexpr int kSmallestPort = 1;
constexpr int kLargestPort = 65535;

/// How a record field is held: a text, a number or a flag.
enum class FieldKind
{
    Text,
    Number,
    Flag,
};

/// One field of a record kind, described once: its column (also its key in a configuration
/// file and its name in the viewer of changes), the label messages and grids give it, how it
/// is held, and how to reach it in a record.
template <class Record> struct RecordField
{
    const char* column;
    const char* label;
    FieldKind kind;
    /// Its key in a configuration file, where that differs from `column`.
    const char* fileKey = nullptr;
    /// A text held in a fixed field: the bytes it holds. 0 when a text may be of any length.
    std::size_t room = 0;
    /// A text of any length in the store that its column holds up to so many characters; 0
    /// when the store's field or the column alone decides.
    std::size_t roomChars = 0;
    /// Above 0: its place in the key that names the record in a comparison.
    int keyRank = 0;
    /// A password: compared, never shown.
    bool secret = false;
    /// Written by a save's INSERT; false where the database numbers the rows itself.
    bool inserted = true;
    /// How a save's INSERT spells the column, where that differs from `column`.
    const char* insertedAs = nullptr;
    /// A column a save's INSERT fills with a fixed value right after this field's, and that value.
    const char* followingColumn = nullptr;
    const char* followingValue = nullptr;
    /// A number chosen from these values only, never typed; empty for any number. A flag is
    /// always one of "true" and "false".
    std::vector<std::string> options = {};
    /// The numbers a user may enter (in a grid, a spreadsheet): the column's, or a port's.
    int minimum = std::numeric_limits<int>::min();
    int maximum = std::numeric_limits<int>::max();

    std::string (*text)(const Record&) = nullptr;
    void (*setText)(Record&, const std::string&) = nullptr;
    int Record::*number = nullptr;
    bool Record::*flag = nullptr;

    RecordField Key(int rank) const
    {
        RecordField field = *this;
        field.keyRank = rank;
        return field;
    }
    RecordField Secret() const
    {
        RecordField field = *this;
        field.secret = true;
        return field;
    }
    RecordField InsertedAs(const char* spelling) const
    {
        RecordField field = *this;
        field.insertedAs = spelling;
        return field;
    }
    RecordField FileKey(const char* key) const
    {
        RecordField field = *this;
        field.fileKey = key;
        return field;
    }
    RecordField RoomChars(std::size_t characters) const
    {
        RecordField field = *this;
        field.roomChars = characters;
        return field;
    }
    RecordField FollowedBy(const char* fixedColumn, const char* fixedValue) const
    {
        RecordField field = *this;
        field.followingColumn = fixedColumn;
        field.followingValue = fixedValue;
        return field;
    }
    RecordField NotInserted() const
    {
        RecordField field = *this;
        field.inserted = false;
        return field;
    }
    /// A TCP or UDP port: 1 to 65535.
    RecordField Port() const
    {
        RecordField field = *this;
        field.minimum = kSmallestPort;
        field.maximum = kLargestPort;
        return field;
    }
    RecordField Options(std::vector<std::string> values) const
    {
        RecordField field = *this;
        field.options = std::move(values);
        return field;
    }

    /// Its key in a configuration file.
    const char* InFile() const { return fileKey ? fileKey : column; }
    /// The column as a save's INSERT names it.
    const char* InsertColumn() const { return insertedAs ? insertedAs : column; }
    /// Its place in the format of a save's INSERT: a number bare, a text or a flag quoted.
    const char* Placeholder() const { return kind == FieldKind::Number ? "%d" : "'%s'"; }

    /// Takes its value from column `place` of the current row of `row` (a recordset), and
    /// returns a text as the database holds it, before a fixed field cuts it ("" for others).
    template <class Row> std::string Read(Record& record, Row& row, int place) const
    {
        switch (kind) {
        case FieldKind::Text: {
            std::string stored = row.GetFieldString(place);
            setText(record, stored);
            return stored;
        }
        case FieldKind::Number:
            record.*number = row.GetFieldInt(place);
            break;
        case FieldKind::Flag:
            record.*flag = row.GetFieldString(place) == "true";
            break;
        }
        return {};
    }

    /// Gives the value to the one of `onText(const std::string&)`, `onNumber(int)` and
    /// `onFlag(bool)` that fits how the field holds it, and returns what that returns.
    template <class OnText, class OnNumber, class OnFlag>
    auto Visit(const Record& record, OnText onText, OnNumber onNumber, OnFlag onFlag) const
    {
        switch (kind) {
        case FieldKind::Text:
            return onText(text(record));
        case FieldKind::Number:
            return onNumber(record.*number);
        case FieldKind::Flag:
            break;
        }
        return onFlag(record.*flag);
    }

    /// Sets the value from the one of `readText(std::string&)`, `readNumber(int&)` and
    /// `readFlag(bool&)` that fits how the field holds it; false, with nothing set, when that
    /// one gives false.
    template <class ReadText, class ReadNumber, class ReadFlag>
    bool Take(Record& record, ReadText readText, ReadNumber readNumber, ReadFlag readFlag) const
    {
        switch (kind) {
        case FieldKind::Text: {
            std::string value;
            if (!readText(value))
                return false;
            setText(record, value);
            return true;
        }
        case FieldKind::Number:
            return readNumber(record.*number);
        case FieldKind::Flag:
            break;
        }
        return readFlag(record.*flag);
    }

    /// Sets the value from its spelling (as Spelled gives it); a number as C reads one.
    void SetSpelled(Record& record, const std::string& spelled) const
    {
        switch (kind) {
        case FieldKind::Text:
            setText(record, spelled);
            break;
        case FieldKind::Number:
            record.*number = DecimalToInt(spelled);
            break;
        case FieldKind::Flag:
            record.*flag = spelled == "true";
            break;
        }
    }

    /// The value as the database and the viewer of changes spell it.
    std::string Spelled(const Record& record) const
    {
        switch (kind) {
        case FieldKind::Text:
            return text(record);
        case FieldKind::Number:
            return std::to_string(record.*number);
        case FieldKind::Flag:
            break;
        }
        return record.*flag ? "true" : "false";
    }
};

namespace CfgFieldDetail {

template <class Member> struct MemberOf;

template <class Record, class Value> struct MemberOf<Value Record::*>
{
    using RecordType = Record;
    using ValueType = Value;
};

template <auto Member> using RecordOf = typename MemberOf<decltype(Member)>::RecordType;

} // namespace CfgFieldDetail

/// A text field: a fixed character field (cut to its room at a character boundary when set)
/// or a std::string.
template <auto Member>
RecordField<CfgFieldDetail::RecordOf<Member>> TextField(const char* column, const char* label)
{
    using Record = CfgFieldDetail::RecordOf<Member>;
    using Value = typename CfgFieldDetail::MemberOf<decltype(Member)>::ValueType;
    RecordField<Record> field{column, label, FieldKind::Text};
    if constexpr (std::is_array_v<Value>) {
        // A field filled to the brim has no terminating zero to stop at.
        field.text = [](const Record& record) {
            return std::string(record.*Member, strnlen(record.*Member, std::extent_v<Value>));
        };
        field.room = std::extent_v<Value> - 1;
        field.setText = [](Record& record, const std::string& text) { CopyToField(record.*Member, text); };
    } else {
        field.text = [](const Record& record) { return record.*Member; };
        field.setText = [](Record& record, const std::string& text) { record.*Member = text; };
    }
    return field;
}

template <auto Member>
RecordField<CfgFieldDetail::RecordOf<Member>> NumberField(const char* column, const char* label)
{
    RecordField<CfgFieldDetail::RecordOf<Member>> field{column, label, FieldKind::Number};
    field.number = Member;
    return field;
}

template <auto Member>
RecordField<CfgFieldDetail::RecordOf<Member>> FlagField(const char* column, const char* label)
{
    RecordField<CfgFieldDetail::RecordOf<Member>> field{column, label, FieldKind::Flag};
    field.flag = Member;
    return field;
}
