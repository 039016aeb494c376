#pragma once

#include "pages/CCfgDialog.h"
#include "pages/CSettingEditors.h"

/// The FreeSWITCH device page: the event-socket connection to the switch, the IVR port, the
/// number of trunk channels and the names of three flows. Filled from the store once, when
/// it is created; its controls hold the user's edits until Save calls UpdateCfg.
class CDialogCfgFs : public CCfgDialog
{
    Q_OBJECT

public:
    CDialogCfgFs(const CCfgData& cfg, QWidget* parent = nullptr);

    void UpdateCfg(CCfgData& cfg) override;

protected:
    void Show(const CCfgData& cfg);
    void showEvent(QShowEvent* event) override;

private:
    CSettingEditors m_settings;
    QWidget* m_first;
};
