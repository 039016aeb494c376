#pragma once

#include <QHash>
#include <QTableWidget>
#include <vector>

/// The report list of the IPO line lists: rows of texts under clickable column headings,
/// with grid lines, whole rows selected by a click and several rows selectable at once.
/// A click on a heading sorts the rows by that column (numbers within the texts as numbers,
/// so "2.10" comes after "2.9"), marked by an arrow in the heading and a slightly darker
/// ground; a second click reverses. Sorting only shows the rows in another order: the order
/// in which they were added, which is what the page saves, stays known. The list is
/// read-only; Tab moves on to the next control of the form rather than from cell to cell.
class CXListCtrl : public QTableWidget
{
    Q_OBJECT

public:
    explicit CXListCtrl(QWidget* parent = nullptr);

    /// Replaces the columns with one per heading, left-aligned, sharing the list's width.
    void SetColumns(const QStringList& headings);

    /// Appends a row with `text` in column 0 and the other columns empty; returns its index.
    int AppendRow(const QString& text);
    void SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;

    /// The first row, from the top, whose column-0 text equals `text` exactly (letter case
    /// included); -1 when there is none.
    int FindItemByText(const QString& text) const;
    /// What FindItemByText gives for every column-0 text of the list, in one pass: for
    /// looking up many texts at once without walking the list for each.
    QHash<QString, int> RowsByText() const;

    /// Deletes every selected row shown, without a question; nothing is selected afterwards.
    void DeleteSelectedItems();

    /// Shows only the rows with a cell that holds `text`, letter case aside, or every row again
    /// for an empty text; how many rows show.
    int Filter(const QString& text);
    /// Makes the next (or previous) row shown after the current one current and selected,
    /// going round at the end; false when no row shows.
    bool StepFilter(bool forward);

    /// The column marked by a click on its heading; -1 before any click.
    int SortColumn() const;
    /// Puts the rows in the order of the marked column again, after rows were added.
    void Resort();
    /// The rows in the order they were added, whatever order they are shown in.
    std::vector<int> RowsInAddedOrder() const;

private:
    void OnSortColumnChanged();
    /// For each row, whether it shows and is selected.
    std::vector<bool> SelectedShown() const;

    int m_nextSequence = 0;
};
