#pragma once

#include <QTreeView>

/// The tree view of a property grid. Group rows are drawn as one band across both columns
/// with their caption in bold; the margin left of the rows is shaded. Editing always edits
/// the value of the current row, whichever of its cells is current.
///
/// The keyboard of an edit: Enter takes the typed value and Escape abandons it, and neither
/// key goes any further (the page around the grid never sees it); Tab takes the value and
/// moves on to the next control, as Tab does from the grid itself.
class CPropertyGridView : public QTreeView
{
    Q_OBJECT

public:
    explicit CPropertyGridView(QWidget* parent = nullptr);
    ~CPropertyGridView() override;

    /// The name column takes the client width divided by `divisor`, now and whenever the
    /// grid changes its size.
    void SetNameColumnShare(int divisor);

    /// Whether an editor is open.
    bool IsEditing() const { return state() == EditingState; }

    using QTreeView::edit;

Q_SIGNALS:
    /// An editor closed, whether its value was taken or not.
    void EditClosed();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    /// With the keyboard focus, a frame in the highlight colour round the rows shows it.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    void ApplyNameColumnShare();
    /// The open editor that `watched` is or is part of; null for anything else.
    QWidget* EditorOf(QObject* watched) const;
    void WatchEditKeys(bool watch);

    int m_nameDivisor = 2;
    bool m_watchingEditKeys = false;
};
