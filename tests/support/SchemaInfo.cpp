#include "support/SchemaInfo.h"

#include "db/IOtlConnection.h"
#include "support/TestDatabase.h"

namespace SchemaInfo {

namespace {

std::string Value(const std::string& query)
{
    return IOtlConnection::getInstance()->QueryValue(query);
}

std::string Named(const std::string& table)
{
    return "TABLE_SCHEMA = DATABASE() AND TABLE_NAME = '" + table + "'";
}

} // namespace

std::vector<std::string> Columns(const std::string& table)
{
    return TestDatabase::Rows(
        "SELECT CONCAT_WS(' ', COLUMN_NAME, COLUMN_TYPE, IF(IS_NULLABLE = 'YES', 'NULL', "
        "'NOT NULL'), NULLIF(EXTRA, '')) FROM information_schema.COLUMNS WHERE " +
            Named(table) + " ORDER BY ORDINAL_POSITION",
        1);
}

std::string EngineAndCharset(const std::string& table)
{
    return Value("SELECT CONCAT(t.ENGINE, '|', c.CHARACTER_SET_NAME) FROM information_schema.TABLES t JOIN "
                 "information_schema.COLLATION_CHARACTER_SET_APPLICABILITY c ON c.COLLATION_NAME = "
                 "t.TABLE_COLLATION WHERE t.TABLE_SCHEMA = DATABASE() AND t.TABLE_NAME = '" +
                 table + "'");
}

std::string PrimaryKey(const std::string& table)
{
    return Value(
        "SELECT GROUP_CONCAT(COLUMN_NAME ORDER BY SEQ_IN_INDEX) FROM information_schema.STATISTICS WHERE " +
        Named(table) + " AND INDEX_NAME = 'PRIMARY'");
}

std::string Kind(const std::string& table)
{
    return Value("SELECT TABLE_TYPE FROM information_schema.TABLES WHERE " + Named(table));
}

std::string Comment(const std::string& table)
{
    return Value("SELECT TABLE_COMMENT FROM information_schema.TABLES WHERE " + Named(table));
}

std::string RowCount(const std::string& table)
{
    return IOtlConnection::getInstance()->QueryValue("SELECT COUNT(*) FROM " + table);
}

bool MarkAll(const std::vector<std::string>& tables, const std::string& comment)
{
    std::vector<std::string> statements;
    for (const std::string& table : tables)
        statements.push_back("ALTER TABLE " + table + " COMMENT = '" + comment + "'");
    return TestDatabase::Run(statements);
}

std::string StoppedAt(const std::vector<std::string>& tables, std::size_t blocked, const std::string& marked)
{
    for (std::size_t index = 0; index < tables.size(); ++index) {
        const std::string& table = tables[index];
        if (index < blocked && !Comment(table).empty())
            return table + " was not made anew";
        if (index == blocked && Kind(table) != "VIEW")
            return table + " is no longer the view that blocked it";
        if (index > blocked && Comment(table) != marked)
            return table + " was touched after the set-up stopped";
    }
    return {};
}

} // namespace SchemaInfo
