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

std::string FormatSql(const char* format, const std::vector<std::string>& values)
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

std::vector<std::string> SplitSqlStatements(const std::string& text)
{
    std::vector<std::string> statements(1);
    bool quoted = false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (quoted && c == '\\' && index + 1 < text.size()) {
            statements.back() += c;
            statements.back() += text[++index];
            continue;
        }
        if (c == '\'')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            statements.emplace_back();
            continue;
        }
        statements.back() += c;
    }
    return statements;
}
