#include "pages/CLineGrid.h"

#include "controls/CPropertyGridProperty.h"

#include <string>
#include <unordered_map>

CLineGrid::CLineGrid(CsvList list, QWidget* parent) : CPropertyGridCtrl(parent), m_list(list)
{
    EnableMultiSelect();
}

std::vector<CsvRow> CLineGrid::SelectedRecords()
{
    const std::size_t idColumn = Layout().idColumn;
    std::vector<CsvRow> rows = Rows();
    std::unordered_map<std::string, const CsvRow*> byId;
    byId.reserve(rows.size());
    for (const CsvRow& row : rows)
        byId.emplace(row[idColumn], &row);
    std::vector<CsvRow> selected;
    for (const CPropertyGridProperty* property : GetSelectedRows()) {
        const auto found = byId.find(std::to_string(property->GetData()));
        if (found != byId.end())
            selected.push_back(*found->second);
    }
    return selected;
}

void CLineGrid::DeleteSelected()
{
    DeleteProperties(GetSelectedRows());
}
