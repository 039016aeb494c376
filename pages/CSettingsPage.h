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
    /// Marks the fields whose label, key or value holds `text` and goes to the first.
    FindCount Find(const QString& text) override;
    /// Goes to the next (or previous) marked field.
    void FindStep(bool forward) override;
    void EndFind() override;

protected:
    /// The field the focus starts in.
    void SetFirstField(QWidget* first) { m_first = first; }
    void showEvent(QShowEvent* event) override;

    CSettingEditors m_settings;

private:
    QWidget* m_first = nullptr;
    std::vector<QWidget*> m_found;
    std::size_t m_foundAt = 0;
};
