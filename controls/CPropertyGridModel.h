#pragma once

#include <QAbstractItemModel>
#include <memory>
#include <unordered_map>
#include <vector>

class CPropertyGridProperty;

/// The rows of a property grid for its tree view: two columns, name and value; top-level
/// rows in the order they were added, groups with their sub-rows under them. It owns the
/// rows. Top-level rows are also indexed by their item data, so finding one does not walk
/// the list.
class CPropertyGridModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        ValueColumn,
        ColumnCount
    };

    explicit CPropertyGridModel(QObject* parent = nullptr);
    ~CPropertyGridModel() override;

    void SetHeaderTitles(const QString& name, const QString& value);

    int Count() const { return static_cast<int>(m_rows.size()); }
    CPropertyGridProperty* At(int row) const { return m_rows[static_cast<std::size_t>(row)].get(); }
    /// Inserts the rows before top-level row `position` (the count: at the bottom), in their
    /// order, as one insertion.
    void Insert(int position, std::vector<std::unique_ptr<CPropertyGridProperty>> rows);
    /// Removes a top-level row and everything under it.
    void Remove(CPropertyGridProperty* row);
    /// Removes every row.
    void Clear();
    /// Removes these top-level rows and everything under them, in one go.
    void RemoveAll(const std::vector<CPropertyGridProperty*>& rows);
    /// The first top-level row from the top whose item data is `itemData`, or null.
    CPropertyGridProperty* FindByData(qint64 itemData) const;

    /// The row an index of this model stands for; null for the invalid index.
    static CPropertyGridProperty* PropertyAt(const QModelIndex& index);
    QModelIndex IndexOf(const CPropertyGridProperty* row, int column = NameColumn) const;
    /// Rows whose name or value holds `text` are drawn on a marked ground; none for an empty text.
    void SetMark(const QString& text) { m_mark = text; }
    /// Whether a row, or a group's caption or one of its rows, holds `text`, letter case aside.
    static bool Holds(const CPropertyGridProperty& row, const QString& text);

    /// Tells the views that a row's value changed.
    void ValueChanged(CPropertyGridProperty* row);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void Attach(CPropertyGridProperty* row);

    std::vector<std::unique_ptr<CPropertyGridProperty>> m_rows;
    // Item data -> the top-level rows that carry it, from the top down. Rows are only ever
    // appended, so the order of adding is the order on the grid.
    std::unordered_map<qint64, std::vector<CPropertyGridProperty*>> m_byData;
    QString m_mark;
    QString m_nameTitle;
    QString m_valueTitle;
};
