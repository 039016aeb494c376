#include "controls/CButtonST.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace {

// A rectangle with one colour on its top and left lines and another on its bottom and right.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(rect.left(), rect.top(), rect.width() - 1, 1, topLeft);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height() - 1, topLeft);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
}

void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour)
{
    Draw3dRect(painter, rect, colour, colour);
}

// The image as a disabled control shows it: light grey tones, same mask.
QImage Greyed(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int tone = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(tone, tone, tone, qAlpha(line[x]));
        }
    }
    return grey;
}

} // namespace

CButtonST::CButtonST(QWidget* parent) : QPushButton(parent)
{
    setObjectName(QStringLiteral("CButtonST"));
    // Hovering is followed from plain mouse moves, without a button held.
    setMouseTracking(true);
    SetDefaultColors();
    connect(this, &QAbstractButton::clicked, this, [this] { setFocus(Qt::MouseFocusReason); });
}

void CButtonST::SetTransparent()
{
    m_bTransparent = true;
    m_background = QPixmap();
}

void CButtonST::SetBorder(bool on, bool repaint)
{
    m_bBorder = on;
    if (repaint)
        update();
}

void CButtonST::SetFlat(bool on, bool repaint)
{
    m_bFlat = on;
    if (repaint)
        update();
}

void CButtonST::SetAlwaysTrack(bool on)
{
    m_bTrackAlways = on;
}

CButtonST::ImageResult CButtonST::SetImages(const QImage& inImage, QRgb inTransparent, const QImage& outImage,
                                            QRgb outTransparent)
{
    FreeImages();
    update();
    if (inImage.isNull())
        return ImagesInvalid;
    if (!AddImage(m_images[0], inImage, inTransparent) ||
        (!outImage.isNull() && !AddImage(m_images[1], outImage, outTransparent))) {
        FreeImages();
        return ImagesMaskFailed;
    }
    return ImagesOk;
}

void CButtonST::SetMarked(bool on)
{
    if (on == m_bMarked)
        return;
    m_bMarked = on;
    update();
}

void CButtonST::FitToImage()
{
    if (m_images[0].image.isNull())
        return;
    m_ptImageOrigin = QPoint(0, 0);
    resize(m_images[0].width, m_images[0].height);
}

bool CButtonST::event(QEvent* event)
{
    // Children hear of their window's deactivation through this event.
    if (event->type() == QEvent::WindowDeactivate)
        CancelHover();
    return QPushButton::event(event);
}

void CButtonST::paintEvent(QPaintEvent* /*event*/)
{
    m_bPressed = isDown();
    m_bFocused = hasFocus();
    m_bDisabled = !isEnabled();
    m_bDefault = isDefault();

    QPainter painter(this);
    QRect itemRect = rect();
    DrawBackground(painter, itemRect);
    if (HasBlackFrame())
        itemRect.adjust(1, 1, -1, -1);
    DrawBorder(painter, itemRect);
    if (m_bFlat && m_bFocused) {
        // A flat button has no frame to change: a dotted line inside its edge shows the focus,
        // under the image and the caption.
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(itemRect.adjusted(2, 2, -3, -3));
    }

    const QString caption = text();
    QRect captionRect = rect();
    if (!m_images[0].image.isNull())
        DrawImage(painter, !caption.isEmpty(), captionRect);
    if (!caption.isEmpty())
        DrawCaption(painter, caption, captionRect);

    if (m_bMarked) {
        // A dot in the colour of things that need attention, outlined so it shows on any image.
        const int diameter = std::max(6, fontMetrics().height() / 2);
        const QRect dot(rect().right() - diameter - 2, 2, diameter, diameter);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Base), 1));
        painter.setBrush(QColor(0xE0, 0x60, 0x10));
        painter.drawEllipse(dot);
    }

    if (!m_bFlat && m_bFocused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = itemRect.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CButtonST::mouseMoveEvent(QMouseEvent* event)
{
    QPushButton::mouseMoveEvent(event);
    if (((event->buttons() & Qt::LeftButton) && !m_bHover) || !m_bFlat)
        return;

    const bool active = m_bTrackAlways || QApplication::activeWindow() != nullptr;
    if (rect().contains(event->position().toPoint()) && active) {
        if (!m_bHover) {
            m_bHover = true;
            update();
        }
    } else {
        CancelHover();
    }
}

void CButtonST::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    CancelHover();
}

void CButtonST::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    CancelHover();
}

void CButtonST::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            MoveFocusAway();
            CancelHover();
        }
        break;
    case QEvent::PaletteChange:
        // The parent's pixels may have changed colour as well.
        m_background = QPixmap();
        SetDefaultColors();
        update();
        break;
    default:
        break;
    }
}

void CButtonST::SetDefaultColors()
{
    const QPalette& colours = palette();
    m_colors[BackHover] = colours.color(QPalette::Button);
    m_colors[TextHover] = colours.color(QPalette::ButtonText);
    m_colors[BackAway] = colours.color(QPalette::Button);
    m_colors[TextAway] = colours.color(QPalette::ButtonText);
    m_colors[BackFocus] = colours.color(QPalette::Button);
    m_colors[TextFocus] = colours.color(QPalette::ButtonText);
}

void CButtonST::FreeImages()
{
    m_images = {};
}

bool CButtonST::AddImage(Image& slot, const QImage& source, QRgb transparent)
{
    QImage masked = source.convertToFormat(QImage::Format_ARGB32);
    if (masked.isNull())
        return false;
    // The key colour compares without alpha; its pixels become transparent black.
    const QRgb key = transparent & RGB_MASK;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    slot = {masked, masked.width(), masked.height()};
    return true;
}

bool CButtonST::HasBlackFrame() const
{
    return !m_bFlat && (m_bFocused || m_bDefault);
}

void CButtonST::CancelHover()
{
    if (m_bFlat && m_bHover) {
        m_bHover = false;
        update();
    }
}

void CButtonST::MoveFocusAway()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    // The next tab stop among the parent's children, after this button and wrapping round.
    for (QWidget* next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
        if (parent->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
            next->isVisibleTo(parent)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    parent->setFocus(Qt::OtherFocusReason);
}

void CButtonST::DrawBackground(QPainter& painter, const QRect& itemRect)
{
    if (m_bTransparent) {
        DrawParentBackground(painter);
        return;
    }
    QRect fillRect = itemRect;
    if (HasBlackFrame()) {
        FrameRect(painter, fillRect, Qt::black);
        fillRect.adjust(1, 1, -1, -1);
    }
    QColor colour = m_colors[BackAway];
    if (m_bHover || m_bPressed)
        colour = m_colors[BackHover];
    else if (m_bFocused)
        colour = m_colors[BackFocus];
    painter.fillRect(fillRect, colour);
}

void CButtonST::DrawParentBackground(QPainter& painter)
{
    if (m_background.isNull() || m_backgroundRect != geometry())
        CopyParentPixels();
    painter.drawPixmap(0, 0, m_background);
}

void CButtonST::CopyParentPixels()
{
    m_backgroundRect = geometry();
    const qreal ratio = devicePixelRatioF();
    m_background = QPixmap(size() * ratio);
    m_background.setDevicePixelRatio(ratio);
    m_background.fill(Qt::transparent);
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    // The parent alone, then the siblings stacked below this button: rendering the parent with
    // its children would paint this button again from inside its own painting.
    parent->render(&m_background, QPoint(), QRegion(m_backgroundRect), QWidget::DrawWindowBackground);
    for (QObject* child : parent->children()) {
        if (child == this)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent))
            continue;
        const QRect overlap = sibling->geometry() & m_backgroundRect;
        if (!overlap.isEmpty())
            sibling->render(&m_background, overlap.topLeft() - m_backgroundRect.topLeft(),
                            QRegion(overlap.translated(-sibling->pos())));
    }
}

void CButtonST::DrawBorder(QPainter& painter, const QRect& itemRect) const
{
    const QPalette& colours = palette();
    const QColor highlight = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Dark);
    if (m_bPressed) {
        if (!m_bFlat)
            FrameRect(painter, itemRect, shadow);
        else if (m_bBorder)
            Draw3dRect(painter, itemRect, shadow, highlight);
    } else if (!m_bFlat) {
        Draw3dRect(painter, itemRect, colours.color(QPalette::Midlight), colours.color(QPalette::Shadow));
        Draw3dRect(painter, itemRect.adjusted(1, 1, -1, -1), highlight, shadow);
    } else if (m_bHover && m_bBorder) {
        Draw3dRect(painter, itemRect, highlight, shadow);
    }
}

void CButtonST::DrawImage(QPainter& painter, bool hasCaption, QRect& captionRect) const
{
    const Image& image = (m_bHover || m_bPressed || m_images[1].image.isNull()) ? m_images[0] : m_images[1];
    const QRect itemRect = rect();
    QPoint origin(itemRect.left(), itemRect.top() + (itemRect.height() - image.height) / 2);
    if (hasCaption) {
        origin.rx() += m_ptImageOrigin.x();
        captionRect.setLeft(captionRect.left() + image.width + m_ptImageOrigin.x());
    } else {
        origin.rx() += (itemRect.width() - image.width) / 2;
    }
    if (m_bPressed)
        origin += m_ptPushShift;
    painter.drawImage(origin, m_bDisabled ? Greyed(image.image) : image.image);
}

void CButtonST::DrawCaption(QPainter& painter, const QString& caption, const QRect& captionRect) const
{
    const QRect textRect = m_bPressed ? captionRect.translated(m_ptPushShift) : captionRect;
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    painter.setFont(font());
    if (m_bDisabled) {
        // Embossed: a light copy one pixel down and right under the shadow-coloured text.
        const QPalette& colours = palette();
        painter.setPen(colours.color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), flags, caption);
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawText(textRect, flags, caption);
        return;
    }
    QColor colour = m_colors[TextAway];
    if (m_bHover || m_bPressed)
        colour = m_colors[TextHover];
    else if (m_bFocused)
        colour = m_colors[TextFocus];
    painter.setPen(colour);
    painter.drawText(textRect, flags, caption);
}
