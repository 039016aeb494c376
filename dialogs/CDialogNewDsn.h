#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLineEdit;

/// Makes a user data source: a name, one of the installed drivers, server, port and
/// database, written into the user's odbc.ini on 确定 (Enter). A name or value the file cannot
/// take is refused with the reason, and the dialog stays; 取消 and Escape leave.
class CDialogNewDsn : public QDialog
{
    Q_OBJECT

public:
    explicit CDialogNewDsn(QWidget* parent = nullptr);

    /// The data source made; valid once accepted.
    std::string Name() const;

private:
    void OnOK();

    QLineEdit* m_editName;
    QComboBox* m_comboDriver;
    QLineEdit* m_editServer;
    QLineEdit* m_editPort;
    QLineEdit* m_editDatabase;
};
