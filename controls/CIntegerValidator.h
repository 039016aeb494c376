#pragma once

#include <QValidator>

/// A whole number from `minimum` to `maximum` as typed: a minus sign where negative numbers
/// are allowed, then digits. Anything else, and a number out of the range, cannot be typed;
/// an empty box or a lone minus is a number still being typed.
class CIntegerValidator : public QValidator
{
    Q_OBJECT

public:
    CIntegerValidator(qint64 minimum, qint64 maximum, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    qint64 m_minimum;
    qint64 m_maximum;
};
