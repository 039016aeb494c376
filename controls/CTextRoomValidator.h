#pragma once

#include <QValidator>

/// Refuses any edit that would take a text beyond its room: at most a number of bytes of
/// UTF-8, at most a number of characters, or both. A limit of -1 is no limit. What an edit
/// box with it shows therefore always fits where the text is going.
class CTextRoomValidator : public QValidator
{
    Q_OBJECT

public:
    CTextRoomValidator(int maxUtf8Bytes, int maxCharacters, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    bool Fits(const QString& text) const;

    int m_maxUtf8Bytes;
    int m_maxCharacters;
};
