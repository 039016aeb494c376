#include "controls/CTextRoomValidator.h"

#include <QStringView>

CTextRoomValidator::CTextRoomValidator(int maxUtf8Bytes, int maxCharacters, QObject* parent)
    : QValidator(parent), m_maxUtf8Bytes(maxUtf8Bytes), m_maxCharacters(maxCharacters)
{
}

QValidator::State CTextRoomValidator::validate(QString& input, int&) const
{
    return Fits(input) ? Acceptable : Invalid;
}

bool CTextRoomValidator::Fits(const QString& text) const
{
    if (m_maxUtf8Bytes >= 0 && text.toUtf8().size() > m_maxUtf8Bytes)
        return false;
    // A character is a code point: a pair of surrogates counts once.
    return m_maxCharacters < 0 || QStringView(text).toUcs4().size() <= m_maxCharacters;
}
