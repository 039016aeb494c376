#pragma once

#include "controls/CNoEscapeDialog.h"

class QCheckBox;
class QComboBox;

/// The database initialisation dialog: the kind of database behind the connection and the
/// table families to set up (configuration, statistics), set up after a confirmation and
/// reported in one message.
class CDialogDbInit : public CNoEscapeDialog
{
    Q_OBJECT

public:
    explicit CDialogDbInit(QWidget* parent = nullptr);

    /// Runs the dialog. QDialog::Accepted once the set-up has run, whatever its outcome (the
    /// report tells that); QDialog::Rejected when cancelled.
    int DoModal();

private:
    void OnOK();
    void FieldsFromControls();
    void ControlsFromFields();

    bool m_bCreateCfg = false;
    bool m_bCreateStat = false;

    QComboBox* m_cbDbType;
    QCheckBox* m_chkCreateCfg;
    QCheckBox* m_chkCreateStat;
};
