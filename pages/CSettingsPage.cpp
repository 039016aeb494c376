#include "pages/CSettingsPage.h"

#include <QShowEvent>

void CSettingsPage::UpdateCfg(CCfgData& cfg)
{
    m_settings.CopyTo(cfg);
}

void CSettingsPage::ShowCfg(const CCfgData& cfg)
{
    m_settings.Show(cfg);
}

CCfgDialog::FindCount CSettingsPage::Find(const QString& text)
{
    m_found = m_settings.Mark(text);
    m_foundAt = 0;
    // The focus stays in the find bar while the user types.
    if (!m_found.empty())
        BringIntoView(m_found.front());
    return {static_cast<int>(m_found.size()), static_cast<int>(m_settings.Count())};
}

void CSettingsPage::FindStep(bool forward)
{
    if (m_found.empty())
        return;
    m_foundAt = (m_foundAt + (forward ? 1 : m_found.size() - 1)) % m_found.size();
    BringIntoView(m_found[m_foundAt]);
}

void CSettingsPage::EndFind()
{
    QWidget* found = m_found.empty() ? nullptr : m_found[m_foundAt];
    Find(QString());
    if (found)
        found->setFocus(Qt::OtherFocusReason);
}

void CSettingsPage::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_first);
}
