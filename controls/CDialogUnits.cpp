#include "controls/CDialogUnits.h"

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average over the Latin letters, as dialog units were always measured.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_charWidth = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    m_charHeight = metrics.height();
}
