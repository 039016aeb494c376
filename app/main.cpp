#include "app/CTarvexApp.h"
#include "controls/CMessageBox.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    SetMessageHandler(ShowMessageBox);
    CTarvexApp().InitInstance();
    return 0;
}
