#include "config/database/CColumnRules.h"

#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/// Decodes the next character of UTF-8 `text` at `position`; false for a malformed sequence.
bool NextCodePoint(const std::string& text, std::size_t& position, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    int length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F;
        length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F;
        length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07;
        length = 4;
    } else {
        return false;
    }
    if (position + static_cast<std::size_t>(length) > text.size())
        return false;
    for (int index = 1; index < length; ++index) {
        const auto next = static_cast<unsigned char>(text[position + static_cast<std::size_t>(index)]);
        if ((next & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    position += static_cast<std::size_t>(length);
    return true;
}

/// Whether a character set can hold `codePoint`; true for the character sets this program
/// does not know the repertoire of, whose refusals the database reports itself.
bool CharsetHolds(const std::string& charset, char32_t codePoint)
{
    if (charset == "utf8" || charset == "utf8mb3" || charset == "ucs2")
        return codePoint <= 0xFFFF;
    if (charset == "ascii")
        return codePoint <= 0x7F;
    if (charset == "latin1") {
        // The server's latin1 is Windows-1252, whose 0x80 to 0x9F hold these.
        static const char32_t kWindows1252[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
                                                0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
                                                0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
        return codePoint <= 0xFF || std::find(std::begin(kWindows1252), std::end(kWindows1252), codePoint) !=
                                        std::end(kWindows1252);
    }
    return true;
}

std::string Utf8Of(char32_t codePoint)
{
    std::string text;
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return text;
}

struct IntegerRange
{
    long long low;
    long long high;
};

bool IntegerRangeOf(const std::string& dataType, bool isUnsigned, IntegerRange& range)
{
    static const struct
    {
        const char* type;
        int bits;
    } kTypes[] = {{"tinyint", 8}, {"smallint", 16}, {"mediumint", 24},
                  {"int", 32},    {"integer", 32},  {"bigint", 64}};
    for (const auto& type : kTypes) {
        if (dataType != type.type)
            continue;
        if (type.bits == 64) {
            range = isUnsigned ? IntegerRange{0, std::numeric_limits<long long>::max()}
                               : IntegerRange{std::numeric_limits<long long>::min(),
                                              std::numeric_limits<long long>::max()};
        } else if (isUnsigned) {
            range = {0, (1LL << type.bits) - 1};
        } else {
            range = {-(1LL << (type.bits - 1)), (1LL << (type.bits - 1)) - 1};
        }
        return true;
    }
    return false;
}

} // namespace

CColumnRules CColumnRules::Read(IOtlConnection* db, const std::vector<std::string>& tables)
{
    if (db->GetDbType() != DbTypeMySql || tables.empty())
        return {};
    const RecordsetPtr rows(db->OpenRecordset(Query(tables)));
    return rows ? FromRows(*rows) : CColumnRules();
}

std::string CColumnRules::Query(const std::vector<std::string>& tables)
{
    std::string names;
    for (const std::string& table : tables)
        names += (names.empty() ? "'" : ", '") + table + "'";
    return "SELECT TABLE_NAME, COLUMN_NAME, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, CHARACTER_SET_NAME, "
           "COLUMN_TYPE "
           "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME IN (" +
           names + ")";
}

CColumnRules CColumnRules::FromRows(IOtlRecordset& rows)
{
    CColumnRules rules;
    while (!rows.IsEof()) {
        rows.FetchNext();
        Column column;
        column.dataType = Lower(rows.GetFieldString(3));
        const std::string maxChars = rows.GetFieldString(4);
        if (!maxChars.empty())
            column.maxChars = std::stoll(maxChars);
        column.charset = Lower(rows.GetFieldString(5));
        column.isUnsigned = Lower(rows.GetFieldString(6)).find("unsigned") != std::string::npos;
        rules.m_columns[rows.GetFieldString(1) + "." + Lower(rows.GetFieldString(2))] = column;
    }
    return rules;
}

const CColumnRules::Column* CColumnRules::Find(const std::string& table, const std::string& column) const
{
    const auto found = m_columns.find(table + "." + Lower(column));
    return found == m_columns.end() ? nullptr : &found->second;
}

bool CColumnRules::TextFits(const std::string& table, const std::string& column, const std::string& text,
                            std::string& why) const
{
    const Column* rule = Find(table, column);
    if (!rule)
        return true;
    const std::string name = table + "." + column;
    long long characters = 0;
    for (std::size_t position = 0; position < text.size(); ++characters) {
        char32_t codePoint = 0;
        if (!NextCodePoint(text, position, codePoint)) {
            why = "不是有效的 UTF-8 文本";
            return false;
        }
        if (!CharsetHolds(rule->charset, codePoint)) {
            why = "含有字符“" + Utf8Of(codePoint) + "”，数据库列 " + name + " 的字符集 " + rule->charset +
                  " 无法保存它";
            return false;
        }
    }
    if (rule->maxChars >= 0 && characters > rule->maxChars) {
        why = "有 " + std::to_string(characters) + " 个字符，超过了数据库列 " + name + " 的 " +
              std::to_string(rule->maxChars) + " 个字符";
        return false;
    }
    return true;
}

bool CColumnRules::NumberFits(const std::string& table, const std::string& column, long long value,
                              std::string& why) const
{
    const Column* rule = Find(table, column);
    IntegerRange range{};
    if (!rule || !IntegerRangeOf(rule->dataType, rule->isUnsigned, range))
        return true;
    if (value >= range.low && value <= range.high)
        return true;
    why = "是 " + std::to_string(value) + "，超出了数据库列 " + table + "." + column + " 的范围 (" +
          std::to_string(range.low) + " 至 " + std::to_string(range.high) + ")";
    return false;
}
