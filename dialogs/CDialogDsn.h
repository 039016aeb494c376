#pragma once

#include "controls/CNoEscapeDialog.h"

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

/// The data source dialog: the ODBC data source name, user and password, tested and
/// opened as the one connection of the process. The name is chosen from the data sources
/// unixODBC knows, each shown with its driver, or typed; 新建... makes a user data source.
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
    void OnNewDsn();
    void FieldsFromControls();
    /// Lists the data sources afresh, keeping the name in the field.
    void FillDataSources();

    std::string m_strPass;
    std::string m_strUser;
    std::string m_strDsn;

    QComboBox* m_comboDsn;
    QLineEdit* m_editDsn; // the drop-down's own field
    QLineEdit* m_editUser;
    QLineEdit* m_editPass;
};
