#include "pages/CCfgDialog.h"

#include "controls/CDialogUnits.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

namespace {

constexpr int kTemplateWidth = 325;
// One wheel message scrolls a line and this much more.
constexpr int kWheelExtra = 25;

bool IsEnterOrEscape(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Escape;
}

/// A turn of the wheel, as opposed to a horizontal tilt or the markers that open and close
/// a touchpad gesture, which carry no rotation.
bool IsWheelTurn(const QWheelEvent& event)
{
    if (event.phase() == Qt::ScrollBegin || event.phase() == Qt::ScrollEnd)
        return false;
    return !(event.angleDelta().y() == 0 && event.angleDelta().x() != 0);
}

} // namespace

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

    // Watches key presses before the focused control sees them, and the wheel over the
    // scroll bar and over the combo boxes.
    qApp->installEventFilter(this);
    // The main window shows a page when its group is chosen.
    hide();
}

CCfgDialog::~CCfgDialog()
{
    qApp->removeEventFilter(this);
}

void CCfgDialog::SetBackgroundColor(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
    setAutoFillBackground(true);
}

bool CCfgDialog::OnInitDialog()
{
    // The form at its template size, or larger where this platform's fonts need more room.
    const CDialogUnits units(font());
    const QSize formSize = units.Size(kTemplateWidth, m_templateHeight).expandedTo(m_form->minimumSizeHint());
    m_form->setFixedSize(formSize);
    resize(formSize.width() + m_scrollBar->sizeHint().width(), formSize.height());

    // The page is still at its template size, so H is the height of the whole form, not
    // of the frame it will be shown in; the range never changes afterwards.
    m_nPageHeight = height();
    // A range of 1 to factor x H viewed a page H at a time: its last position is H + 1 and
    // the thumb is half the track.
    const int rangeEnd = m_nScrollFactor * m_nPageHeight;
    m_scrollBar->setRange(1, rangeEnd - m_nPageHeight + 1);
    m_scrollBar->setPageStep(m_nPageHeight);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setValue(1);

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

bool CCfgDialog::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed, so that no shortcut of the main window acts on them either.
        if (IsEnterOrEscape(*static_cast<QKeyEvent*>(event)) && Contains(watched)) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (IsEnterOrEscape(*static_cast<QKeyEvent*>(event)) && Contains(watched))
            return true;
        break;
    case QEvent::Wheel: {
        const auto* combo = qobject_cast<const QComboBox*>(watched);
        if (watched == m_scrollBar || (combo && !combo->hasFocus() && m_form->isAncestorOf(combo))) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
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
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_viewport->setGeometry(0, 0, std::max(0, width() - barWidth), height());
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

bool CCfgDialog::Contains(const QObject* object) const
{
    if (!object->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(object);
    return widget == this || isAncestorOf(widget);
}
