#include "pages/CCfgDialog.h"

#include "controls/CDialogUnits.h"
#include "controls/CPropertyGridCtrl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

namespace {

// The width of every page's template: the size the page has before the main window places it.
constexpr int kTemplateWidth = 325;
// One wheel message scrolls a line and this much more.
constexpr int kWheelExtra = 25;
// How long after the user's last key or click in a page its state is recorded for undoing.
constexpr int kEditSettleMs = 250;

bool IsEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool IsEnterOrEscape(const QKeyEvent& event)
{
    return IsEnter(event) || event.key() == Qt::Key_Escape;
}

bool IsUndoOrRedo(const QKeyEvent& event)
{
    return event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo) ||
           event.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

/// Whether `object` is a list or grid, or part of one, such as the editor of a cell.
bool InItemView(const QObject* object)
{
    for (; object; object = object->parent()) {
        if (qobject_cast<const QAbstractItemView*>(object))
            return true;
    }
    return false;
}

/// A turn of the wheel, as opposed to a horizontal tilt or the markers that open and close
/// a touchpad gesture, which carry no rotation.
bool IsWheelTurn(const QWheelEvent& event)
{
    if (event.phase() == Qt::ScrollBegin || event.phase() == Qt::ScrollEnd)
        return false;
    return !(event.angleDelta().y() == 0 && event.angleDelta().x() != 0);
}

/// A focus move the user makes from the keyboard or the program makes for them, as opposed
/// to a click (on what the user sees already) or the window coming back to the front.
bool IsMoveToShow(Qt::FocusReason reason)
{
    return reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::PopupFocusReason;
}

} // namespace

/// One application-wide filter for all pages: it sees the keys before the focused control,
/// the wheel over the scroll bar and the combo boxes, and the focus coming in, and hands
/// each event to the page it happens in. Installed with the first page, removed with the last.
class CCfgDialog::PageEvents : public QObject
{
public:
    static void Attach()
    {
        if (s_pages++ == 0) {
            s_filter = new PageEvents;
            qApp->installEventFilter(s_filter);
        }
    }
    static void Detach()
    {
        if (--s_pages == 0) {
            delete s_filter;
            s_filter = nullptr;
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::FocusIn:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::Drop:
        case QEvent::InputMethod:
            if (CCfgDialog* page = PageOf(watched); page && page->FilterEvent(watched, event))
                return true;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static CCfgDialog* PageOf(QObject* object)
    {
        if (!object->isWidgetType())
            return nullptr;
        // Up to the window, not beyond: a combo box's pop-up list is a window of its own,
        // where Enter and Escape keep their usual meaning.
        for (auto* widget = static_cast<QWidget*>(object); widget; widget = widget->parentWidget()) {
            if (auto* page = qobject_cast<CCfgDialog*>(widget))
                return page;
            if (widget->isWindow())
                break;
        }
        return nullptr;
    }

    static inline int s_pages = 0;
    static inline PageEvents* s_filter = nullptr;
};

CCfgDialog::CCfgDialog(int templateHeight, QWidget* parent)
    : QWidget(parent), m_templateHeight(templateHeight)
{
    m_viewport = new QWidget(this);
    m_viewport->setObjectName(QStringLiteral("pageViewport"));
    m_form = new QWidget(m_viewport);
    m_form->setObjectName(QStringLiteral("pageForm"));
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("pageScrollBar"));
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    // Its "Scroll here" would move the thumb without a request the page could follow.
    m_scrollBar->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CCfgDialog::OnVScroll);

    // Typing a word, or a run of clicks, makes one step to undo.
    m_noteLater = new QTimer(this);
    m_noteLater->setSingleShot(true);
    m_noteLater->setInterval(kEditSettleMs);
    connect(m_noteLater, &QTimer::timeout, this, &CCfgDialog::NoteEdit);

    PageEvents::Attach();
    // The main window shows a page when its group is chosen.
    hide();
}

CCfgDialog::~CCfgDialog()
{
    PageEvents::Detach();
}

void CCfgDialog::SetBackgroundColor(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
    setAutoFillBackground(true);
}

CCfgDialog::FindCount CCfgDialog::Find(const QString&)
{
    return {};
}

void CCfgDialog::FindStep(bool) {}

void CCfgDialog::EndFind()
{
    Find(QString());
}

bool CCfgDialog::IsFocusedIn(const QWidget* control) const
{
    const QWidget* focus = QApplication::focusWidget();
    const QWidget* focused = focus && m_form->isAncestorOf(focus) ? focus : m_lastFocus.data();
    return focused && (focused == control || control->isAncestorOf(focused));
}

void CCfgDialog::StartHistory()
{
    m_noteLater->stop();
    m_history.Reset(ShownState());
}

bool CCfgDialog::NoteEdit()
{
    m_noteLater->stop();
    return m_history.Record(ShownState());
}

bool CCfgDialog::Undo()
{
    NoteEdit();
    const CCfgData* state = m_history.Undo();
    if (state)
        ShowCopy(*state);
    return state != nullptr;
}

bool CCfgDialog::Redo()
{
    // An edit since the last undo starts a new line of steps: nothing is left to redo.
    if (NoteEdit())
        return false;
    const CCfgData* state = m_history.Redo();
    if (state)
        ShowCopy(*state);
    return state != nullptr;
}

bool CCfgDialog::CanUndo()
{
    NoteEdit();
    return m_history.CanUndo();
}

bool CCfgDialog::CanRedo()
{
    NoteEdit();
    return m_history.CanRedo();
}

CCfgData CCfgDialog::ShownState()
{
    CCfgData state;
    UpdateCfg(state);
    return state;
}

bool CCfgDialog::OnInitDialog()
{
    // A command or a finished cell edit is a step of its own, however soon the next follows;
    // connected after the page's own handlers, so the step holds what they did.
    for (QAbstractButton* button : m_form->findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, this, &CCfgDialog::NoteEdit);
    for (CPropertyGridCtrl* grid : m_form->findChildren<CPropertyGridCtrl*>())
        connect(grid, &CPropertyGridCtrl::EditClosed, this, &CCfgDialog::NoteEdit);
    // The form at its template height, or higher where this platform's fonts need more room.
    // Its width follows the page's (see resizeEvent).
    const CDialogUnits units(font());
    const int formHeight = std::max(units.Y(m_templateHeight), m_form->minimumSizeHint().height());
    m_formHeight = formHeight;
    m_form->setFixedHeight(formHeight + m_extraHeight);
    // Where the lowest control ends, as the form lays them out: the template may be taller.
    m_contentHeight = formHeight;
    if (QLayout* layout = m_form->layout()) {
        layout->activate();
        m_contentHeight =
            std::min(formHeight, m_form->childrenRect().bottom() + 1 + layout->contentsMargins().bottom());
    }
    resize(units.X(kTemplateWidth), formHeight);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setValue(1);
    UpdateScrollRange();

    // A combo box takes the wheel only once it has the focus; otherwise the wheel scrolls
    // the page instead of quietly changing a setting under the mouse.
    for (QComboBox* combo : m_form->findChildren<QComboBox*>())
        combo->setFocusPolicy(Qt::StrongFocus);
    return true;
}

void CCfgDialog::OnVScroll(int request)
{
    const int minimum = m_scrollBar->minimum();
    const int bottom = m_scrollBar->maximum();
    const int page = m_scrollBar->pageStep();
    const int position = m_scrollBar->value();
    std::optional<int> next;
    switch (request) {
    case QAbstractSlider::SliderSingleStepSub:
        next = std::max(position - 1, minimum);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        next = std::min(position + 1, bottom);
        break;
    case QAbstractSlider::SliderPageStepSub:
        next = std::max(position - page, minimum);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        next = std::min(position + page, bottom);
        break;
    case QAbstractSlider::SliderMove:
        // The thumb being dragged: the form follows it.
        next = m_scrollBar->sliderPosition();
        break;
    case QAbstractSlider::SliderToMinimum:
        next = minimum;
        break;
    case QAbstractSlider::SliderToMaximum:
        next = bottom;
        break;
    default:
        break;
    }
    if (next)
        ApplyScrollPos(*next);
}

void CCfgDialog::OnMouseWheel(int delta)
{
    int next = 0;
    if (delta < 0) {
        // Going down the wheel stops at H, a pixel short of the bar's own bottom.
        next = std::min(m_scrollBar->value() + 1, m_scrollBar->maximum());
        next = std::min(next + kWheelExtra, m_nPageHeight);
    } else {
        next = std::max(m_scrollBar->value() - 1, m_scrollBar->minimum());
        next = std::max(next - kWheelExtra, 1);
    }
    ApplyScrollPos(next);
}

void CCfgDialog::FocusOnShow(QWidget* field)
{
    QWidget* target = field;
    if (m_lastFocus && m_lastFocus->isVisibleTo(this) && m_lastFocus->isEnabled())
        target = m_lastFocus;
    m_bFocusingOnShow = true;
    target->setFocus(Qt::OtherFocusReason);
    m_bFocusingOnShow = false;
    // Typing must never edit a field the user cannot see.
    if (m_form->isAncestorOf(target))
        ScrollIntoView(ShownWhole(target));
}

void CCfgDialog::SetTabOrder(const QList<QWidget*>& controls)
{
    for (qsizetype i = 1; i < controls.size(); ++i)
        setTabOrder(controls[i - 1], controls[i]);
}

void CCfgDialog::GrowsWithWindow(QWidget* control)
{
    m_growing.push_back({control, 0, control->minimumHeight() == control->maximumHeight()});
}

void CCfgDialog::SetExtraHeight(int extra)
{
    extra = std::max(0, extra);
    if (extra == m_extraHeight)
        return;
    if (m_extraHeight == 0) {
        // The heights at the least size are what the form's layout gave them there.
        if (QLayout* layout = m_form->layout())
            layout->activate();
        for (Growing& growing : m_growing) {
            if (growing.control)
                growing.baseHeight = growing.control->height();
        }
    }
    m_extraHeight = extra;
    if (m_formHeight > 0)
        m_form->setFixedHeight(m_formHeight + extra);
    // Equal shares; what does not divide goes to the first ones.
    const int count = int(m_growing.size());
    for (int i = 0; i < count; ++i) {
        const Growing& growing = m_growing[std::size_t(i)];
        if (!growing.control)
            continue;
        const int height = growing.baseHeight + extra / count + (i < extra % count ? 1 : 0);
        growing.control->setMinimumHeight(height);
        if (growing.fixedHeight)
            growing.control->setMaximumHeight(height);
    }
    UpdateScrollRange();
}

bool CCfgDialog::FilterEvent(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // Claimed, so that no shortcut of the main window acts on them either.
        if (IsEnterOrEscape(key)) {
            event->accept();
            return true;
        }
        // Undo and redo are the page's, also in a box that has undo of its own: the box's
        // typing is a step of the page. An open cell editor keeps them.
        if (IsUndoOrRedo(key) && !InItemView(watched)) {
            event->ignore();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (!IsEnterOrEscape(key))
            return false;
        // Enter presses the button that has the focus, whatever kind of button it is.
        if (auto* button = qobject_cast<QAbstractButton*>(watched);
            button && IsEnter(key) && button->isEnabled())
            button->click();
        return true;
    }
    case QEvent::Wheel: {
        const auto* combo = qobject_cast<const QComboBox*>(watched);
        if (watched == m_scrollBar || (combo && !combo->hasFocus() && m_form->isAncestorOf(combo))) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
        return false;
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
    case QEvent::InputMethod:
        m_noteLater->start();
        return false;
    case QEvent::FocusIn: {
        auto* control = static_cast<QWidget*>(watched);
        if (m_form->isAncestorOf(control))
            m_lastFocus = control;
        if (!m_bFocusingOnShow && IsMoveToShow(static_cast<QFocusEvent*>(event)->reason()) &&
            m_form->isAncestorOf(control))
            ScrollIntoView(ShownWhole(control));
        return false;
    }
    default:
        return false;
    }
}

void CCfgDialog::wheelEvent(QWheelEvent* event)
{
    if (!IsWheelTurn(*event)) {
        event->ignore();
        return;
    }
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

void CCfgDialog::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateScrollRange();
}

void CCfgDialog::UpdateScrollRange()
{
    // What the controls take: their height at the least size, and the window's extra height
    // where lists and grids grow with it.
    const int contentHeight =
        std::min(m_form->height(), m_contentHeight + (m_growing.empty() ? 0 : m_extraHeight));
    // A range of 1 to H + 1 viewed a page H at a time: the thumb is half the track.
    m_nPageHeight = std::max(0, contentHeight - height());
    const bool scrolls = m_nPageHeight > 0;
    const int barWidth = scrolls ? m_scrollBar->sizeHint().width() : 0;
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_scrollBar->setVisible(scrolls);
    m_viewport->setGeometry(0, 0, std::max(0, width() - barWidth), height());
    m_form->setFixedWidth(m_viewport->width());
    m_scrollBar->setRange(1, m_nPageHeight + 1);
    m_scrollBar->setPageStep(std::max(1, m_nPageHeight));
    ApplyScrollPos(std::min(m_nScrollPos, m_nPageHeight + 1));
}

void CCfgDialog::ApplyScrollPos(int position)
{
    m_scrollBar->setValue(position);
    const int difference = m_nScrollPos - position;
    m_nScrollPos = position;
    // A positive difference moves the form, and every control on it, down.
    if (difference != 0)
        m_form->move(m_form->x(), m_form->y() + difference);
}

const QWidget* CCfgDialog::ShownWhole(const QWidget* control)
{
    // A grid's rows take the focus, but its description area belongs to it as well.
    if (auto* grid = qobject_cast<const CPropertyGridCtrl*>(control->parentWidget()))
        return grid;
    return control;
}

void CCfgDialog::ScrollIntoView(const QWidget* control)
{
    // Some room above and below, so a field does not stick to the frame's edge.
    const int margin = fontMetrics().height() / 2;
    const int top = control->mapTo(m_form, QPoint(0, 0)).y() - margin;
    const int bottom = top + control->height() + 2 * margin;
    // The form is scrolled up by the position less one: that is the form's first visible row.
    const int visibleTop = m_nScrollPos - 1;
    const int visibleBottom = visibleTop + m_viewport->height();
    int next = m_nScrollPos;
    if (top < visibleTop || bottom - top > m_viewport->height())
        next = top + 1;
    else if (bottom > visibleBottom)
        next = bottom - m_viewport->height() + 1;
    next = std::clamp(next, m_scrollBar->minimum(), m_scrollBar->maximum());
    if (next != m_nScrollPos)
        ApplyScrollPos(next);
}
