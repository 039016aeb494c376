#pragma once

#include "db/IOtlRecordset.h"

#include <optional>
#include <string>
#include <vector>

/// A record set whose rows were fetched completely when the query ran, so the statement
/// is finished before the reader sees the first row.
class CMemoryRecordset final : public IOtlRecordset
{
public:
    using Value = std::optional<std::string>;

    explicit CMemoryRecordset(std::vector<std::string> columnNames);

    /// Appends one row; `row` holds one value per column, NULL as nullopt.
    void AddRow(std::vector<Value> row);
    /// Makes room for `rows` rows, so that adding them moves nothing.
    void Reserve(std::size_t rows) { m_values.reserve(rows * m_columnNames.size()); }
    int ColumnCount() const { return static_cast<int>(m_columnNames.size()); }

    bool IsEof() override;
    void FetchNext() override;
    std::string GetFieldByName(const std::string& name) override;
    int GetFieldInt(int index) override;
    std::string GetFieldString(int index) override;

private:
    const Value* Field(int index) const;

    std::vector<std::string> m_columnNames;
    std::vector<Value> m_values; // row after row
    std::size_t m_rowCount = 0;
    std::size_t m_nextRow = 0;
    std::optional<std::size_t> m_currentRow;
};
