#pragma once

#include "pages/CSettingsPage.h"

/// The eHang device page: listen and MC addresses and ports, trunk capacities, the VoIP
/// signalling and media addresses and the fax server. Filled from the store once, when it
/// is created; its controls hold the user's edits until Save calls UpdateCfg.
class CDialogCfgEhang : public CSettingsPage
{
    Q_OBJECT

public:
    CDialogCfgEhang(const CCfgData& cfg, QWidget* parent = nullptr);
};
