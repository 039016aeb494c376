#include "app/CTarvexApp.h"
#include "cli/CCommandLine.h"
#include "cli/QtTranslations.h"
#include "controls/CFocusFrame.h"
#include "controls/CMessageBox.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // The configuration-file commands run as a console program: no display needed.
    if (CCommandLine::IsCommand(argc, argv))
        return CCommandLine::Run(argc, argv);
    QApplication application(argc, argv);
    InstallQtChineseTranslations(application);
    CFocusFrame::Install(application);
    QIcon icon(QStringLiteral(":/images/tarvex.png"));
    icon.addFile(QStringLiteral(":/images/tarvex_32.png"));
    application.setWindowIcon(icon);
    SetMessageHandler(ShowMessageBox);
    CTarvexApp().InitInstance();
    return 0;
}
