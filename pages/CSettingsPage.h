#pragma once

#include "pages/CCfgDialog.h"
#include "pages/CSettingEditors.h"

/// A configuration page whose fields are settings of the catalogue, with what a page adds
/// (lists) beside them. Its settings are shown and copied back by their editors; the focus
/// goes to its first field when the page is first shown.
class CSettingsPage : public CCfgDialog
{
    Q_OBJECT

public:
    using CCfgDialog::CCfgDialog;

    /// Copies every setting's editor into `cfg`.
    void UpdateCfg(CCfgData& cfg) override;
    /// Shows the settings of `cfg` in their editors.
    void ShowCfg(const CCfgData& cfg) override;

protected:
    /// The field the focus starts in.
    void SetFirstField(QWidget* first) { m_first = first; }
    void showEvent(QShowEvent* event) override;

    CSettingEditors m_settings;

private:
    QWidget* m_first = nullptr;
};
