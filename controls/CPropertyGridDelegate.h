#pragma once

#include <QStyledItemDelegate>

/// Editors and painting of the value cells of a property grid. A row with options gets a
/// drop-down list that cannot be typed into, and choosing an option ends the edit; any other
/// row gets a line edit that refuses text beyond the row's room. Thin grid lines part the
/// cells.
class CPropertyGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CPropertyGridDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    /// The colour of the grid lines, the group rows and the margin left of the rows.
    static QColor LineColor(const QPalette& palette);
};
