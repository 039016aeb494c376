#include "app/CTarvexApp.h"
#include "app/QtTranslations.h"
#include "controls/CMessageBox.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    InstallQtChineseTranslations(application);
    QIcon icon(QStringLiteral(":/images/tarvex.png"));
    icon.addFile(QStringLiteral(":/images/tarvex_32.png"));
    application.setWindowIcon(icon);
    SetMessageHandler(ShowMessageBox);
    CTarvexApp().InitInstance();
    return 0;
}
