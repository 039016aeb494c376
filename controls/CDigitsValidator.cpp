#include "controls/CDigitsValidator.h"

CDigitsValidator::CDigitsValidator(qint64 maximum, QObject* parent) : QValidator(parent), m_maximum(maximum)
{
}

QValidator::State CDigitsValidator::validate(QString& input, int&) const
{
    qint64 value = 0;
    for (const QChar c : input) {
        if (c < u'0' || c > u'9')
            return Invalid;
        value = value * 10 + (c.unicode() - u'0');
        if (value > m_maximum)
            return Invalid;
    }
    return Acceptable;
}
