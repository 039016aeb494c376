#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QSize>

/// Dialog units of a form in pixels: a horizontal unit is a quarter of the font's average
/// character width, a vertical unit an eighth of its height.
class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font);

    int X(int units) const { return (units * m_charWidth + 2) / 4; }
    int Y(int units) const { return (units * m_charHeight + 4) / 8; }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }
    QRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }

private:
    int m_charWidth;
    int m_charHeight;
};
