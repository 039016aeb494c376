#pragma once

#include <QValidator>

/// Digits only, and no more of them than make a number up to `maximum`: what such a box
/// shows is always the number that is read from it.
class CDigitsValidator : public QValidator
{
    Q_OBJECT

public:
    explicit CDigitsValidator(qint64 maximum, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    qint64 m_maximum;
};
