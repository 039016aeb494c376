#pragma once

#include "pages/CCfgDialog.h"

class CIpAddressEdit;
class QLineEdit;

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
    CIpAddressEdit* m_ipScAddr;
    QLineEdit* m_editScPort;
    CIpAddressEdit* m_ipMcAddr;
    QLineEdit* m_editMcPort;
    QLineEdit* m_editDigTrunkCount;
    QLineEdit* m_editVoipTrunkCount;
    CIpAddressEdit* m_ipVoipSignallingAddr;
    CIpAddressEdit* m_ipVoipMediaAddr;
    CIpAddressEdit* m_ipFaxServerAddr;
    QLineEdit* m_editFaxServerPort;
};
