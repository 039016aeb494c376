#include "config/database/CSqlSequence.h"

#include "db/SqlLiteral.h"

CSqlSequence::CSqlSequence(const CColumnRules& rules, int dbType) : m_rules(rules), m_dbType(dbType) {}

void CSqlSequence::Sql(const std::string& sql)
{
    m_statements.push_back({false, sql});
}

void CSqlSequence::Empty(const char* table, bool keepTransaction)
{
    Sql((keepTransaction ? "DELETE FROM " : "TRUNCATE TABLE ") + std::string(table));
}

void CSqlSequence::Insert(const char* format, const std::vector<std::string>& values)
{
    m_statements.push_back({true, FormatSql(format, values)});
}

std::string CSqlSequence::Text(const std::string& text, const char* table, const char* column,
                               const std::string& what)
{
    std::string why;
    if (!m_rules.TextFits(table, column, text, why))
        Refuse(what + why + "；未写入任何内容");
    return EscapeSqlText(text, m_dbType);
}

std::string CSqlSequence::Number(long long value, const char* table, const char* column,
                                 const std::string& what)
{
    std::string why;
    if (!m_rules.NumberFits(table, column, value, why))
        Refuse(what + why + "；未写入任何内容");
    return std::to_string(value);
}

void CSqlSequence::Refuse(const std::string& reason)
{
    if (m_refusal.empty())
        m_refusal = reason;
}
