#include "app/CTarvexApp.h"

#include "app/CSingleInstance.h"
#include "app/CTarvexDlg.h"
#include "config/database/CCfgDb.h"
#include "controls/UserMessage.h"
#include "dialogs/CDialogDsn.h"
#include "dialogs/CDialogProgress.h"

bool CTarvexApp::InitInstance()
{
    if (CSingleInstance::ActivateRunning(QString::fromStdString(ApplicationName())))
        return false;

    CDialogDsn dsnDialog;
    if (dsnDialog.DoModal() != QDialog::Accepted) {
        AfxMessageBox("数据源设置失败！", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }

    {
        // A load that stopped at a failing table still leads to the main window.
        CDialogProgress progress;
        GetCfgDb()->LoadCfg(progress);
    }

    CTarvexDlg mainWindow(*GetCfgDocument());
    mainWindow.exec();
    return false;
}
