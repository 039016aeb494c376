#pragma once

#include "pages/CCfgDialog.h"
#include "pages/CSettingEditors.h"

/// The eHang device page: listen and MC addresses and ports, trunk capacities, the VoIP
/// signalling and media addresses and the fax server. Filled from the store once, when it
/// is created; its controls hold the user's edits until Save calls UpdateCfg.
class CDialogCfgEhang : public CCfgDialog
{
    Q_OBJECT

public:
    CDialogCfgEhang(const CCfgData& cfg, QWidget* parent = nullptr);

    void UpdateCfg(CCfgData& cfg) override;

protected:
    void Show(const CCfgData& cfg);
    void showEvent(QShowEvent* event) override;

private:
    CSettingEditors m_settings;
    QWidget* m_first;
};
