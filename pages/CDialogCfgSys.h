#pragma once

#include "pages/CSettingsPage.h"

class CBrowseEdit;
class CIndexCombo;
class QListWidget;

/// The middleware page: the CTI server, recording, device type, ACD, IVR flows, log,
/// outbound concurrency and TTS settings of the store. Filled from the store once, when it
/// is created; its controls hold the user's edits until Save calls UpdateCfg.
class CDialogCfgSys : public CSettingsPage
{
    Q_OBJECT

public:
    CDialogCfgSys(const CCfgData& cfg, QWidget* parent = nullptr);

    void UpdateCfg(CCfgData& cfg) override;
    void ShowCfg(const CCfgData& cfg) override;
    /// Find filters the IVR flow list while the focus is, or was last, in it; else it marks
    /// the fields.
    FindCount Find(const QString& text) override;
    void FindStep(bool forward) override;
    void EndFind() override;

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

private:
    CIndexCombo* m_comboDevType;
    CBrowseEdit* m_editFlowFile;
    QListWidget* m_listFlows;
    /// Whether find filters the flow list rather than marking the fields.
    bool m_findingFlows = false;
};
