#include "controls/CIntegerValidator.h"

CIntegerValidator::CIntegerValidator(qint64 minimum, qint64 maximum, QObject* parent)
    : QValidator(parent), m_minimum(minimum), m_maximum(maximum)
{
}

QValidator::State CIntegerValidator::validate(QString& input, int&) const
{
    const bool negative = input.startsWith(u'-');
    if (negative && m_minimum >= 0)
        return Invalid;
    const qsizetype first = negative ? 1 : 0;
    if (input.size() == first)
        return Intermediate;
    // Kept within 64 bits: the limits are 32-bit numbers, so the loop stops long before.
    qint64 magnitude = 0;
    for (qsizetype index = first; index < input.size(); ++index) {
        const QChar c = input[index];
        if (c < u'0' || c > u'9')
            return Invalid;
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (negative ? -magnitude < m_minimum : magnitude > m_maximum)
            return Invalid;
    }
    return Acceptable;
}
