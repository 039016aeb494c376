#pragma once

#include <QDialog>

class QPlainTextEdit;

/// Shows how a configuration file differs from the database, one change a line, read only.
/// As a viewer it has a Close button, which Enter presses, and Escape closes it too. Before
/// an import it asks instead: Import or Cancel, with Cancel focused and default, so that a
/// stray Enter or Escape writes nothing; Enter on the focused Import button imports.
class CDialogCfgChanges : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        View,
        ConfirmImport,
    };

    /// `heading` says what is compared with what; `warning` (import only) what the import
    /// will do.
    CDialogCfgChanges(Mode mode, const QString& heading, const QString& changes, const QString& warning,
                      QWidget* parent = nullptr);

private:
    QPlainTextEdit* m_editChanges;
};
