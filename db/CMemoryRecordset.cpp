#include "db/CMemoryRecordset.h"

#include "db/DecimalText.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    // Column names are compared as the database does: letter case does not count.
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

CMemoryRecordset::CMemoryRecordset(std::vector<std::string> columnNames)
    : m_columnNames(std::move(columnNames))
{
}

void CMemoryRecordset::AddRow(std::vector<Value> row)
{
    row.resize(m_columnNames.size());
    std::move(row.begin(), row.end(), std::back_inserter(m_values));
    ++m_rowCount;
}

bool CMemoryRecordset::IsEof()
{
    return m_nextRow >= m_rowCount;
}

void CMemoryRecordset::FetchNext()
{
    if (m_nextRow < m_rowCount)
        m_currentRow = m_nextRow++;
    else
        m_currentRow.reset();
}

const CMemoryRecordset::Value* CMemoryRecordset::Field(int index) const
{
    if (!m_currentRow || index < 1 || index > ColumnCount())
        return nullptr;
    return &m_values[*m_currentRow * m_columnNames.size() + static_cast<std::size_t>(index - 1)];
}

std::string CMemoryRecordset::GetFieldByName(const std::string& name)
{
    const auto it = std::find_if(m_columnNames.begin(), m_columnNames.end(),
                                 [&name](const std::string& column) { return SameName(column, name); });
    if (it == m_columnNames.end())
        return {};
    return GetFieldString(static_cast<int>(it - m_columnNames.begin()) + 1);
}

int CMemoryRecordset::GetFieldInt(int index)
{
    const Value* value = Field(index);
    return value && *value ? DecimalToInt(**value) : 0;
}

std::string CMemoryRecordset::GetFieldString(int index)
{
    const Value* value = Field(index);
    return value && *value ? **value : std::string();
}
