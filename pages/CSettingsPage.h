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

protected:
    /// Shows the settings of `cfg`; `first` is the field the focus starts in.
    void ShowSettings(const CCfgData& cfg, QWidget* first);
    void showEvent(QShowEvent* event) override;

    CSettingEditors m_settings;

private:
    QWidget* m_first = nullptr;
};
