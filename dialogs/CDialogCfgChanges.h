#pragma once

#include "config/catalogue/CfgGroup.h"

#include <QDialog>

class CCfgChanges;

class QPlainTextEdit;

/// Shows how two configurations differ, one change a line, read only: a file and the
/// database, or the database and what this window last read or wrote. As a viewer it has a
/// Close button, which Enter presses, and Escape closes it too. Before an import, or a save
/// over a colleague's changes, it asks instead: Import (Overwrite) or Cancel, with Cancel
/// focused and default, so that a stray Enter or Escape writes nothing; Enter on the focused
/// Import (Overwrite) button goes ahead.
class CDialogCfgChanges : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        View,
        ConfirmImport,
        ConfirmOverwrite,
    };

    /// `heading` says what is compared with what; `warning` (questions only) what going ahead
    /// will do.
    CDialogCfgChanges(Mode mode, const QString& heading, const QString& changes, const QString& warning,
                      QWidget* parent = nullptr);

    /// Asks before a write goes over what a colleague changed in `group` of the database:
    /// `since` says since when ("自本窗口上次读取或保存以来"), `warning` what each answer does.
    /// True for 覆盖.
    static bool ConfirmOverwrite(QWidget* owner, CfgGroup group, const CCfgChanges& changes,
                                 const QString& since, const QString& warning);

private:
    QPlainTextEdit* m_editChanges;
};
