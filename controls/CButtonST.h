#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <array>

/// A flat image button. It shows its in-image while the mouse is over it or it is pressed and
/// its out-image otherwise; pixels of a chosen colour let the background show through. It draws
/// everything itself, optionally over a copy of the parent's pixels instead of a filled colour.
class CButtonST : public QPushButton
{
    Q_OBJECT

public:
    /// SetImages() results.
    enum ImageResult
    {
        ImagesOk = 0,
        ImagesInvalid = 1,
        ImagesMaskFailed = 2
    };

    explicit CButtonST(QWidget* parent = nullptr);

    /// Draws over the parent's pixels instead of a background colour. Takes effect with the next
    /// drawing; the parent's pixels are copied once and kept.
    void SetTransparent();
    /// Whether a flat button shows a thin 3-D frame while hovered or pressed.
    void SetBorder(bool on, bool repaint = true);
    /// A non-flat button always shows a 3-D frame and does not follow the mouse.
    void SetFlat(bool on, bool repaint = true);
    /// When off, hovering is only shown while one of the application's windows is active.
    void SetAlwaysTrack(bool on);
    /// Sets the in-image (required) and the out-image (may be null: the in-image is then shown in
    /// every state). Pixels of the given transparent colour are not drawn. On failure the button
    /// has no images.
    ImageResult SetImages(const QImage& inImage, QRgb inTransparent, const QImage& outImage = QImage(),
                          QRgb outTransparent = qRgb(0, 0, 0));
    /// Sizes the button to its in-image, keeping its position, and draws the image at its origin.
    void FitToImage();

    bool IsHovered() const { return m_bHover; }

    /// A mark in the top right corner, over the image: something here waits for the user.
    void SetMarked(bool on);
    bool IsMarked() const { return m_bMarked; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum ColorIndex
    {
        BackHover,
        TextHover,
        BackAway,
        TextAway,
        BackFocus,
        TextFocus,
        ColorCount
    };

    struct Image
    {
        QImage image; // transparent pixels have alpha 0: the alpha channel is the mask
        int width = 0;
        int height = 0;
    };

    void SetDefaultColors();
    void FreeImages();
    bool AddImage(Image& slot, const QImage& source, QRgb transparent);
    bool HasBlackFrame() const;
    void CancelHover();
    void MoveFocusAway();

    void DrawBackground(QPainter& painter, const QRect& itemRect);
    void DrawParentBackground(QPainter& painter);
    void CopyParentPixels();
    void DrawBorder(QPainter& painter, const QRect& itemRect) const;
    void DrawImage(QPainter& painter, bool hasCaption, QRect& captionRect) const;
    void DrawCaption(QPainter& painter, const QString& caption, const QRect& captionRect) const;

    bool m_bFlat = true;
    bool m_bMarked = false;
    bool m_bTrackAlways = true;
    bool m_bBorder = true;
    bool m_bTransparent = false;
    bool m_bDefault = false;
    QPoint m_ptPushShift{1, 1};
    QPoint m_ptImageOrigin{3, 3};
    std::array<QColor, ColorCount> m_colors;
    std::array<Image, 2> m_images; // [0] in-image, [1] out-image

    QPixmap m_background;   // the parent's pixels under the button, when transparent
    QRect m_backgroundRect; // where they were taken, in the parent

    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bFocused = false;
    bool m_bDisabled = false;
};
