#pragma once

#include "controls/CNoEscapeDialog.h"

#include <string>

class QLineEdit;
class QPushButton;

/// The data source dialog: the ODBC data source name, user and password, tested and
/// opened as the one connection of the process.
class CDialogDsn : public CNoEscapeDialog
{
    Q_OBJECT

public:
    explicit CDialogDsn(QWidget* parent = nullptr);

    /// Fills the fields from the stored settings, then runs the dialog. QDialog::Accepted
    /// only after the connection was opened and the settings were stored.
    int DoModal();

    bool ReadSettings();
    bool WriteSettings();

private:
    void OnOK();
    void OnTest();
    void FieldsFromControls();

    std::string m_strPass;
    std::string m_strUser;
    std::string m_strDsn;

    QLineEdit* m_editDsn;
    QLineEdit* m_editUser;
    QLineEdit* m_editPass;
};
