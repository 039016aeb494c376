#pragma once

class QCoreApplication;

/// Makes Qt's own texts (message box buttons, file and folder choosers, the edit context
/// menu) Chinese like the program's, whatever the system's language. False when Qt's
/// Chinese translations are not installed; the texts then stay English.
bool InstallQtChineseTranslations(QCoreApplication& application);
