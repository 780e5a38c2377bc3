#include "TerminalApp.h"

#include "COMDlg.h"
#include "PortSettings.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

int CTerminalApp::Run()
{
    {
        COMDlg configuration;
        if (CUserDialogs::RunModal(configuration) != QDialog::Accepted)
            return 0;
    }
    while (PortSettings.device == "Zelnar") {
        ZelnarDlg main;
        main.Start();
        if (CUserDialogs::RunModal(main) != ZelnarDlg::kReconfigured)
            break;
    }
    return 0;
}
