#include "controls/CPropertyGridModel.h"

#include "controls/CPropertyGridProperty.h"

#include <QColor>
#include <algorithm>
#include <iterator>

CPropertyGridModel::CPropertyGridModel(QObject* parent) : QAbstractItemModel(parent) {}

CPropertyGridModel::~CPropertyGridModel() = default;

void CPropertyGridModel::SetHeaderTitles(const QString& name, const QString& value)
{
    m_nameTitle = name;
    m_valueTitle = value;
    Q_EMIT headerDataChanged(Qt::Horizontal, NameColumn, ValueColumn);
}

void CPropertyGridModel::Insert(int position, std::vector<std::unique_ptr<CPropertyGridProperty>> rows)
{
    if (rows.empty())
        return;
    const int count = static_cast<int>(rows.size());
    beginInsertRows({}, position, position + count - 1);
    for (std::unique_ptr<CPropertyGridProperty>& row : rows) {
        Attach(row.get());
        m_byData[row->m_data].push_back(row.get());
    }
    m_rows.insert(m_rows.begin() + position, std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    for (std::size_t later = static_cast<std::size_t>(position); later < m_rows.size(); ++later)
        m_rows[later]->m_row = static_cast<int>(later);
    endInsertRows();
}

void CPropertyGridModel::Attach(CPropertyGridProperty* row)
{
    row->m_model = this;
    for (const auto& item : row->m_subItems)
        Attach(item.get());
}

void CPropertyGridModel::Remove(CPropertyGridProperty* row)
{
    Q_ASSERT(row && row->m_model == this && !row->m_parent);
    const int position = row->m_row;
    beginRemoveRows({}, position, position);
    const auto found = m_byData.find(row->m_data);
    std::vector<CPropertyGridProperty*>& carriers = found->second;
    carriers.erase(std::find(carriers.begin(), carriers.end(), row));
    if (carriers.empty())
        m_byData.erase(found);
    m_rows.erase(m_rows.begin() + position);
    for (std::size_t later = static_cast<std::size_t>(position); later < m_rows.size(); ++later)
        m_rows[later]->m_row = static_cast<int>(later);
    endRemoveRows();
}

void CPropertyGridModel::Clear()
{
    beginResetModel();
    m_byData.clear();
    m_rows.clear();
    endResetModel();
}

void CPropertyGridModel::RemoveAll(const std::vector<CPropertyGridProperty*>& rows)
{
    if (rows.empty())
        return;
    std::vector<bool> removed(m_rows.size(), false);
    for (const CPropertyGridProperty* row : rows) {
        Q_ASSERT(row && row->m_model == this && !row->m_parent);
        removed[static_cast<std::size_t>(row->m_row)] = true;
    }
    // Scattered rows go in one reset rather than one move of the rest per row.
    beginResetModel();
    std::vector<std::unique_ptr<CPropertyGridProperty>> kept;
    kept.reserve(m_rows.size() - rows.size());
    m_byData.clear();
    for (std::size_t index = 0; index < m_rows.size(); ++index) {
        if (removed[index])
            continue;
        m_rows[index]->m_row = static_cast<int>(kept.size());
        m_byData[m_rows[index]->m_data].push_back(m_rows[index].get());
        kept.push_back(std::move(m_rows[index]));
    }
    m_rows = std::move(kept);
    endResetModel();
}

CPropertyGridProperty* CPropertyGridModel::FindByData(qint64 itemData) const
{
    const auto found = m_byData.find(itemData);
    return found == m_byData.end() ? nullptr : found->second.front();
}

CPropertyGridProperty* CPropertyGridModel::PropertyAt(const QModelIndex& index)
{
    return static_cast<CPropertyGridProperty*>(index.internalPointer());
}

QModelIndex CPropertyGridModel::IndexOf(const CPropertyGridProperty* row, int column) const
{
    if (!row || row->m_model != this)
        return {};
    return createIndex(row->m_row, column, const_cast<CPropertyGridProperty*>(row));
}

void CPropertyGridModel::ValueChanged(CPropertyGridProperty* row)
{
    const QModelIndex value = IndexOf(row, ValueColumn);
    Q_EMIT dataChanged(value, value);
}

QModelIndex CPropertyGridModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    if (!parent.isValid())
        return row < Count() ? createIndex(row, column, At(row)) : QModelIndex();
    const CPropertyGridProperty* group = PropertyAt(parent);
    if (parent.column() != NameColumn || row >= group->GetSubItemsCount())
        return {};
    return createIndex(row, column, group->GetSubItem(row));
}

QModelIndex CPropertyGridModel::parent(const QModelIndex& child) const
{
    const CPropertyGridProperty* row = PropertyAt(child);
    return row ? IndexOf(row->m_parent) : QModelIndex();
}

int CPropertyGridModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return Count();
    return parent.column() == NameColumn ? PropertyAt(parent)->GetSubItemsCount() : 0;
}

int CPropertyGridModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

bool CPropertyGridModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

bool CPropertyGridModel::Holds(const CPropertyGridProperty& row, const QString& text)
{
    if (row.m_name.contains(text, Qt::CaseInsensitive) || row.m_value.contains(text, Qt::CaseInsensitive))
        return true;
    return std::any_of(row.m_subItems.begin(), row.m_subItems.end(),
                       [&text](const auto& item) { return Holds(*item, text); });
}

QVariant CPropertyGridModel::data(const QModelIndex& index, int role) const
{
    const CPropertyGridProperty* row = PropertyAt(index);
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == NameColumn)
            return row->m_name;
        return row->m_group ? QVariant() : QVariant(row->m_value);
    case Qt::EditRole:
        return index.column() == ValueColumn && !row->m_group ? QVariant(row->m_value) : QVariant();
    case Qt::BackgroundRole:
        if (!m_mark.isEmpty() && !row->m_group &&
            (row->m_name.contains(m_mark, Qt::CaseInsensitive) ||
             row->m_value.contains(m_mark, Qt::CaseInsensitive)))
            return QColor(255, 236, 140);
        return {};
    default:
        return {};
    }
}

bool CPropertyGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    CPropertyGridProperty* row = PropertyAt(index);
    if (!row || row->m_group || index.column() != ValueColumn || role != Qt::EditRole)
        return false;
    row->SetValue(value.toString());
    return true;
}

Qt::ItemFlags CPropertyGridModel::flags(const QModelIndex& index) const
{
    const CPropertyGridProperty* row = PropertyAt(index);
    if (!row)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!row->m_group && index.column() == ValueColumn)
        flags |= Qt::ItemIsEditable;
    if (row->m_subItems.empty())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant CPropertyGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? m_nameTitle : m_valueTitle;
}
