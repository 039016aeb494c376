#include "config/CSqlSequence.h"

#include "db/SqlLiteral.h"

CSqlSequence::CSqlSequence(const std::vector<std::string>& tables)
    : m_db(IOtlConnection::getInstance()), m_dbType(m_db->GetDbType()), m_rules(CColumnRules::Read(m_db, tables))
{
}

void CSqlSequence::Sql(const char* sql)
{
    m_statements.push_back({false, sql});
}

void CSqlSequence::Insert(const char* format, std::initializer_list<std::string> values)
{
    m_statements.push_back({true, FormatSql(format, values)});
}

std::string CSqlSequence::Text(const std::string& text, const char* table, const char* column, const std::string& what)
{
    if (m_refusal.empty()) {
        const std::string reason = m_rules.CheckText(table, column, text);
        if (!reason.empty())
            Refuse(what, reason);
    }
    return EscapeSqlText(text, m_dbType);
}

std::string CSqlSequence::Number(long long value, const char* table, const char* column, const std::string& what)
{
    if (m_refusal.empty()) {
        const std::string reason = m_rules.CheckNumber(table, column, value);
        if (!reason.empty())
            Refuse(what, reason);
    }
    return std::to_string(value);
}

void CSqlSequence::Refuse(const std::string& what, const std::string& reason)
{
    m_refusal = what + reason + "；未写入任何内容";
}

bool CSqlSequence::Run()
{
    if (!m_refusal.empty())
        return false;
    std::size_t executed = 0;
    return m_db->ExecuteBatch(m_statements, executed);
}
