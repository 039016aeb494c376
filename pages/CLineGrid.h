#pragma once

#include "config/catalogue/CfgCsvLists.h"
#include "controls/CPropertyGridCtrl.h"

#include <vector>

/// A grid of one of the record lists of the lines page, which the edit commands act on as a
/// whole: records selected several at once, deleted, copied, changed together and pasted.
/// Records travel spelled as the list's spreadsheet layout spells them; a grid finds each
/// by the number it shows it under (see CsvListLayout::idColumn).
class CLineGrid : public CPropertyGridCtrl
{
    Q_OBJECT

public:
    CsvList List() const { return m_list; }
    const CsvListLayout& Layout() const { return CsvListLayoutOf(m_list); }

    /// The list's records as the grid holds them.
    virtual std::vector<CsvRow> Rows() = 0;
    /// Gives each record of `rows` its fields where the grid shows it, and adds the others in
    /// their order, as typing them would.
    virtual void PutRows(const std::vector<CsvRow>& rows) = 0;

    /// The selected records, from the top.
    std::vector<CsvRow> SelectedRecords();
    int SelectedCount() const { return static_cast<int>(GetSelectedRows().size()); }
    /// Deletes the selected records, in one go.
    void DeleteSelected();

protected:
    CLineGrid(CsvList list, QWidget* parent);

private:
    CsvList m_list;
};
