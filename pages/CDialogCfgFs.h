#pragma once

#include "pages/CSettingsPage.h"

/// The FreeSWITCH device page: the event-socket connection to the switch, the IVR port, the
/// number of trunk channels and the names of three flows. Filled from the store once, when
/// it is created; its controls hold the user's edits until Save calls UpdateCfg.
class CDialogCfgFs : public CSettingsPage
{
    Q_OBJECT

public:
    CDialogCfgFs(const CCfgData& cfg, QWidget* parent = nullptr);
};
