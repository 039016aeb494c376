#include "config/CSqlSequence.h"

#include "db/IOtlConnection.h"
#include "db/SqlLiteral.h"

CSqlSequence::CSqlSequence() : m_db(IOtlConnection::getInstance()), m_dbType(m_db->GetDbType())
{
}

void CSqlSequence::Sql(const char* sql)
{
    if (m_succeeded)
        m_succeeded = m_db->ExecuteSql(sql);
}

void CSqlSequence::Insert(const char* format, std::initializer_list<std::string> values)
{
    if (m_succeeded)
        m_succeeded = m_db->ExecuteInsert(FormatSql(format, values));
}

std::string CSqlSequence::Text(const std::string& text) const
{
    return EscapeSqlText(text, m_dbType);
}
