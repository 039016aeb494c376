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

void CSettingsPage::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_first);
}
