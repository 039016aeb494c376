#pragma once

#include <QComboBox>

/// A drop-down list whose value is the position of the chosen item. A stored number that
/// names no item (the database may hold any number) shows no choice and is given back as it
/// was until the user chooses an item, so saving a form never changes what nobody touched.
class CIndexCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit CIndexCombo(QWidget* parent = nullptr);

    /// Replaces the items, in the order given, and chooses the one at position `stored`;
    /// without an item there nothing is chosen and `stored` is kept.
    void Fill(const QStringList& items, int stored);
    /// The position of the chosen item; the stored number while none is chosen.
    int Index() const;

private:
    int m_stored = -1;
};
