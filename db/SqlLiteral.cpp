#include "db/SqlLiteral.h"

#include "db/IOtlConnection.h"

#include <cstring>

std::string EscapeSqlText(const std::string& text, int dbType)
{
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (const char c : text) {
        if (c == '\'') {
            escaped += "''";
        } else if (dbType == DbTypeMySql && c == '\\') {
            escaped += "\\\\";
        } else if (dbType == DbTypeMySql && c == '\0') {
            escaped += "\\0";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string FormatSql(const char* format, std::initializer_list<std::string> values)
{
    std::string sql;
    sql.reserve(std::strlen(format) + 64);
    auto value = values.begin();
    for (const char* p = format; *p; ++p) {
        if (*p == '%' && (p[1] == 's' || p[1] == 'd' || p[1] == 'u')) {
            if (value != values.end())
                sql += *value++;
            ++p;
        } else if (*p == '%' && p[1] == '%') {
            sql += '%';
            ++p;
        } else {
            sql += *p;
        }
    }
    return sql;
}
