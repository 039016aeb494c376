#include "controls/CPropertyGridView.h"

#include "controls/CPropertyGridDelegate.h"
#include "controls/CPropertyGridModel.h"
#include "controls/CPropertyGridProperty.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace {

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CPropertyGridView::CPropertyGridView(QWidget* parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("propertyTree"));
    // Every row is one line high; the view then lays out tens of thousands of rows at once.
    setUniformRowHeights(true);
    setAnimated(false);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Tab moves on to the next control of the page, not to the next cell.
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setItemDelegate(new CPropertyGridDelegate(this));
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
}

CPropertyGridView::~CPropertyGridView()
{
    WatchEditKeys(false);
}

void CPropertyGridView::SetNameColumnShare(int divisor)
{
    m_nameDivisor = std::max(divisor, 1);
    ApplyNameColumnShare();
}

void CPropertyGridView::ApplyNameColumnShare()
{
    header()->resizeSection(CPropertyGridModel::NameColumn, viewport()->width() / m_nameDivisor);
}

bool CPropertyGridView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        ApplyNameColumnShare();
    return QTreeView::viewportEvent(event);
}

void CPropertyGridView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
}

void CPropertyGridView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CPropertyGridView::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

bool CPropertyGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const QModelIndex value =
        index.isValid() ? index.siblingAtColumn(CPropertyGridModel::ValueColumn) : index;
    if (!QTreeView::edit(value, trigger, event))
        return false;
    if (state() == EditingState)
        WatchEditKeys(true);
    return true;
}

void CPropertyGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool tabbed =
        hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
    QTreeView::closeEditor(editor, tabbed ? QAbstractItemDelegate::NoHint : hint);
    if (state() != EditingState)
        WatchEditKeys(false);
    Q_EMIT EditClosed();
    if (tabbed)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

void CPropertyGridView::WatchEditKeys(bool watch)
{
    if (watch == m_watchingEditKeys)
        return;
    // Installed when an edit opens, so it sees the keys before any filter installed
    // earlier, the page's among them.
    if (watch)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
    m_watchingEditKeys = watch;
}

QWidget* CPropertyGridView::EditorOf(QObject* watched) const
{
    if (state() != EditingState || !watched->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(watched);
    // An open drop-down list is a window of its own: its keys are its own business.
    if (!viewport()->isAncestorOf(widget))
        return nullptr;
    while (widget->parentWidget() != viewport())
        widget = widget->parentWidget();
    return widget;
}

bool CPropertyGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_watchingEditKeys &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = IsEnter(key->key());
        if (enter || key->key() == Qt::Key_Escape) {
            if (QWidget* editor = EditorOf(watched)) {
                if (event->type() == QEvent::ShortcutOverride) {
                    // No shortcut of the window acts on these keys while an edit is open.
                    event->accept();
                    return true;
                }
                if (enter)
                    commitData(editor);
                closeEditor(editor, enter ? QAbstractItemDelegate::SubmitModelCache
                                          : QAbstractItemDelegate::RevertModelCache);
                return true;
            }
        }
    }
    return QTreeView::eventFilter(watched, event);
}

void CPropertyGridView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const CPropertyGridProperty* row = CPropertyGridModel::PropertyAt(index);
    if (!row || !row->IsGroup()) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    const QRect band(0, option.rect.y(), viewport()->width(), option.rect.height());
    const QRect branches(0, band.y(), indentation(), band.height());
    const bool selected = selectionModel() && selectionModel()->isSelected(index);
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;

    painter->save();
    painter->fillRect(band, selected ? option.palette.color(group, QPalette::Highlight)
                                     : CPropertyGridDelegate::LineColor(option.palette));
    drawBranches(painter, branches, index);
    QFont caption = option.font;
    caption.setBold(true);
    painter->setFont(caption);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect text = band.adjusted(branches.width() + 2, 0, -4, 0);
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                      QFontMetrics(caption).elidedText(row->GetName(), Qt::ElideRight, text.width()));
    painter->restore();
}

void CPropertyGridView::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    painter->fillRect(rect, CPropertyGridDelegate::LineColor(palette()));
    QTreeView::drawBranches(painter, rect, index);
}
