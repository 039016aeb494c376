#pragma once

#include <map>
#include <string>
#include <vector>

class IOtlConnection;
class IOtlRecordset;

/// What the columns of some tables can hold, as the database itself defines them, so that a
/// save can refuse a value that does not fit before it empties a single table.
class CColumnRules
{
public:
    /// Reads the definitions of `tables` (MySQL and MariaDB, from information_schema, in one
    /// query). Where they cannot be read nothing is known, and every value passes: the
    /// database's own refusal then still stops the save.
    static CColumnRules Read(IOtlConnection* db, const std::vector<std::string>& tables);
    /// The query Read sends (MySQL and MariaDB).
    static std::string Query(const std::vector<std::string>& tables);
    /// The rules from the rows of Query.
    static CColumnRules FromRows(IOtlRecordset& rows);

    /// Whether `text` (UTF-8) fits `table`.`column`; when not, `why`: too many characters, or
    /// a character its character set cannot hold.
    bool TextFits(const std::string& table, const std::string& column, const std::string& text,
                  std::string& why) const;
    /// Whether `value` is within the range of the integer column `table`.`column`; `why` when not.
    bool NumberFits(const std::string& table, const std::string& column, long long value,
                    std::string& why) const;

private:
    struct Column
    {
        std::string dataType;    // as information_schema names it: varchar, int, ...
        long long maxChars = -1; // -1 when the column does not count characters
        std::string charset;     // empty for columns without one
        bool isUnsigned = false;
    };

    const Column* Find(const std::string& table, const std::string& column) const;

    std::map<std::string, Column> m_columns; // "table.column", column in lower case
};
