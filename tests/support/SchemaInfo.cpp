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

} // namespace SchemaInfo
