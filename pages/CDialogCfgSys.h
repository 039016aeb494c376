#pragma once

#include "pages/CCfgDialog.h"

class CBrowseEdit;
class CIndexCombo;
class CIpAddressEdit;
class QLineEdit;
class QListWidget;

/// The middleware page: the CTI server, recording, device type, ACD, IVR flows, log,
/// outbound concurrency and TTS settings of the store. Filled from the store once, when it
/// is created; its controls hold the user's edits until Save calls UpdateCfg.
class CDialogCfgSys : public CCfgDialog
{
    Q_OBJECT

public:
    CDialogCfgSys(const CCfgData& cfg, QWidget* parent = nullptr);

    void UpdateCfg(CCfgData& cfg) override;

    /// The device type chosen in the box, saved or not.
    int DeviceType() const;
    /// The name the box gives device type `type`; empty for a number it does not list.
    static QString DeviceTypeName(int type);

    /// Appends the chosen flow file to the list, unless it is empty or listed already.
    void OnAddFlow();
    /// Removes the selected flow file, if one is selected.
    void OnDelFlow();

Q_SIGNALS:
    /// Another device type was chosen in the box.
    void DeviceTypeChosen();

protected:
    void Show(const CCfgData& cfg);
    void showEvent(QShowEvent* event) override;

private:
    CIpAddressEdit* m_ipCtiAddr;
    QLineEdit* m_editCtiPort;
    CIndexCombo* m_comboRecType;
    CBrowseEdit* m_editRecPath;
    CIndexCombo* m_comboDevType;
    QLineEdit* m_editAcdPort;
    QLineEdit* m_editAgentLockedPeriod;
    CIndexCombo* m_comboPPType;
    QLineEdit* m_editPPTime;
    CIndexCombo* m_comboQueueType;
    CBrowseEdit* m_editLeaveWordPath;
    QLineEdit* m_editIvrFlowCount;
    CBrowseEdit* m_editFlowFile;
    QListWidget* m_listFlows;
    CBrowseEdit* m_editLogPath;
    QLineEdit* m_editCallConcurrency;
    CIndexCombo* m_comboTtsType;
    CBrowseEdit* m_editTtsBufferPath;
};
