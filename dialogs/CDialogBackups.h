#pragma once

#include "config/formats/CCfgBackups.h"

#include <QDialog>
#include <vector>

class QTableWidget;

/// The backups made before saves and imports wrote over a group, newest first: time, data
/// source, group. 恢复… (or Enter on a row) takes the chosen one on to the import, which
/// shows what it would change and asks; 关闭 and Escape leave.
class CDialogBackups : public QDialog
{
    Q_OBJECT

public:
    CDialogBackups(std::vector<CCfgBackups::Entry> backups, QWidget* parent = nullptr);

    /// The file of the backup chosen; empty when none.
    QString ChosenPath() const;

private:
    std::vector<CCfgBackups::Entry> m_backups;
    QTableWidget* m_table;
};
