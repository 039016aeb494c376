#include "controls/CXListCtrl.h"

#include "controls/RowStep.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace {

/// Draws the cells of the marked column on a slightly darker ground.
class SortColumnShade : public QStyledItemDelegate
{
public:
    SortColumnShade(const CXListCtrl* list, QObject* parent) : QStyledItemDelegate(parent), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() == m_list->SortColumn())
            painter->fillRect(option.rect, option.palette.color(QPalette::Base).darker(106));
        QStyledItemDelegate::paint(painter, option, index);
    }

private:
    const CXListCtrl* m_list;
};

constexpr int kSequenceRole = Qt::UserRole + 1;

/// Whether `a` comes before `b` when the numbers in them are read as numbers.
bool NaturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Leading zeros say nothing about the number.
            qsizetype startA = i, startB = j;
            while (startA + 1 < endA && a[startA] == QLatin1Char('0'))
                ++startA;
            while (startB + 1 < endB && b[startB] == QLatin1Char('0'))
                ++startB;
            const QStringView numberA = QStringView(a).mid(startA, endA - startA);
            const QStringView numberB = QStringView(b).mid(startB, endB - startB);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (const int order = numberA.compare(numberB); order != 0)
                return order < 0;
            i = endA;
            j = endB;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

/// A cell that sorts by its text read naturally; rows that tie keep the order they were added in.
class CListItem : public QTableWidgetItem
{
public:
    CListItem(const QString& text, int sequence) : QTableWidgetItem(text)
    {
        setData(kSequenceRole, sequence);
    }

    bool operator<(const QTableWidgetItem& other) const override
    {
        if (NaturalLess(text(), other.text()))
            return true;
        if (NaturalLess(other.text(), text()))
            return false;
        return data(kSequenceRole).toInt() < other.data(kSequenceRole).toInt();
    }
};

} // namespace

CXListCtrl::CXListCtrl(QWidget* parent) : QTableWidget(parent)
{
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setSortingEnabled(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new SortColumnShade(this, this));

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView* headings = horizontalHeader();
    headings->setSectionsClickable(true);
    headings->setHighlightSections(false);
    headings->setSortIndicatorShown(true);
    // No column is marked until a heading is clicked.
    headings->setSortIndicator(-1, Qt::AscendingOrder);
    headings->setSectionResizeMode(QHeaderView::Stretch);
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Sorting is done on a click only: rows being filled in never move under the page's hands.
    connect(headings, &QHeaderView::sortIndicatorChanged, this, &CXListCtrl::OnSortColumnChanged);
}

void CXListCtrl::SetColumns(const QStringList& headings)
{
    setColumnCount(int(headings.size()));
    setHorizontalHeaderLabels(headings);
}

int CXListCtrl::AppendRow(const QString& text)
{
    const int row = rowCount();
    const int sequence = m_nextSequence++;
    insertRow(row);
    for (int column = 0; column < columnCount(); ++column)
        setItem(row, column, new CListItem(column == 0 ? text : QString(), sequence));
    return row;
}

void CXListCtrl::SetItemText(int row, int column, const QString& text)
{
    item(row, column)->setText(text);
}

QString CXListCtrl::GetItemText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

int CXListCtrl::FindItemByText(const QString& text) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (GetItemText(row, 0) == text)
            return row;
    }
    return -1;
}

QHash<QString, int> CXListCtrl::RowsByText() const
{
    QHash<QString, int> rows;
    rows.reserve(rowCount());
    // From the bottom up, so that of two rows with the same text the upper one stays.
    for (int row = rowCount() - 1; row >= 0; --row)
        rows.insert(GetItemText(row, 0), row);
    return rows;
}

int CXListCtrl::Filter(const QString& text)
{
    int shown = 0;
    for (int row = 0; row < rowCount(); ++row) {
        bool match = text.isEmpty();
        for (int column = 0; column < columnCount() && !match; ++column)
            match = GetItemText(row, column).contains(text, Qt::CaseInsensitive);
        setRowHidden(row, !match);
        shown += match ? 1 : 0;
    }
    if (currentRow() >= 0 && !isRowHidden(currentRow()))
        scrollTo(currentIndex());
    else
        StepFilter(true);
    return shown;
}

bool CXListCtrl::StepFilter(bool forward)
{
    const int count = rowCount();
    const int from = currentRow() >= 0 ? currentRow() : (forward ? -1 : count);
    const int row =
        NextShownRow(from, count, forward, [this](int candidate) { return !isRowHidden(candidate); });
    if (row < 0)
        return false;
    // The match alone, whatever keys are held.
    const QModelIndex first = model()->index(row, 0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(first);
    return true;
}

std::vector<bool> CXListCtrl::SelectedShown() const
{
    // A row counts as selected when any of its cells is; a row a filter hides never does.
    std::vector<bool> selected(static_cast<std::size_t>(rowCount()), false);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[static_cast<std::size_t>(row)] = !isRowHidden(row);
    }
    return selected;
}

void CXListCtrl::DeleteSelectedItems()
{
    std::vector<bool> selected = SelectedShown();
    if (std::find(selected.begin(), selected.end(), true) == selected.end())
        return;
    clearSelection();
    // Runs of selected rows, from the bottom up, so the rows above keep their indexes.
    for (int end = rowCount(); end > 0;) {
        if (!selected[static_cast<std::size_t>(end - 1)]) {
            --end;
            continue;
        }
        int start = end - 1;
        while (start > 0 && selected[static_cast<std::size_t>(start - 1)])
            --start;
        model()->removeRows(start, end - start);
        end = start;
    }
}

int CXListCtrl::SortColumn() const
{
    return horizontalHeader()->sortIndicatorSection();
}

void CXListCtrl::Resort()
{
    if (SortColumn() >= 0)
        sortItems(SortColumn(), horizontalHeader()->sortIndicatorOrder());
}

std::vector<int> CXListCtrl::RowsInAddedOrder() const
{
    std::vector<std::pair<int, int>> sequences; // sequence, row
    sequences.reserve(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        sequences.emplace_back(item(row, 0)->data(kSequenceRole).toInt(), row);
    std::sort(sequences.begin(), sequences.end());
    std::vector<int> rows;
    rows.reserve(sequences.size());
    for (const auto& [sequence, row] : sequences)
        rows.push_back(row);
    return rows;
}

void CXListCtrl::OnSortColumnChanged()
{
    Resort();
    viewport()->update();
}
