#include "controls/CIndexCombo.h"

CIndexCombo::CIndexCombo(QWidget* parent) : QComboBox(parent) {}

void CIndexCombo::Fill(const QStringList& items, int stored)
{
    clear();
    addItems(items);
    m_stored = stored;
    setCurrentIndex(stored >= 0 && stored < count() ? stored : -1);
}

int CIndexCombo::Index() const
{
    return currentIndex() >= 0 ? currentIndex() : m_stored;
}
