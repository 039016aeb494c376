#pragma once

#include "pages/CSettingsPage.h"

class CXListCtrl;
class QComboBox;
class QLineEdit;

/// The IPO device page: the DevLink connection, the IPOLink port, and the IPO line table
/// shown as two lists, extension lines and trunk lines. Rows are added in numbered runs and
/// deleted by selection; the lists are the page's working copy of the line table until Save
/// calls UpdateCfg, which stores every extension row and then every trunk row, in list order.
class CDialogCfgIpo : public CSettingsPage
{
    Q_OBJECT

public:
    CDialogCfgIpo(const CCfgData& cfg, QWidget* parent = nullptr);

    void UpdateCfg(CCfgData& cfg) override;
    void ShowCfg(const CCfgData& cfg) override;
    /// Find filters the line list the focus is in, or was in last; else it marks the fields.
    FindCount Find(const QString& text) override;
    void FindStep(bool forward) override;
    void EndFind() override;

    /// Adds or updates a run of extension lines from the line section's boxes.
    void OnAddExtLines();
    void OnDelExtLines();
    /// Adds or updates a run of trunk lines from the trunk section's boxes.
    void OnAddTrunkLines();
    void OnDelTrunkLines();

private:
    /// A refused run: the message, then the focus to the box to correct.
    void Refuse(const char* text, QWidget* box);

    /// The line list find filters; null while it marks the fields.
    CXListCtrl* m_findList = nullptr;
    CXListCtrl* m_listExtLines;
    QLineEdit* m_editExtStart;
    QComboBox* m_comboExtType;
    QLineEdit* m_editExtChannel;
    QLineEdit* m_editExtCount;
    CXListCtrl* m_listTrunkLines;
    QLineEdit* m_editTrunkStart;
    QComboBox* m_comboTrunkType;
    QLineEdit* m_editTrunkChannel;
    QLineEdit* m_editTrunkCount;
};
