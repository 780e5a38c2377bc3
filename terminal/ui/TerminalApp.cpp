#include "TerminalApp.h"

#include "COMDlg.h"
#include "PortSettings.h"
#include "QuorinDlg.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <clocale>
#include <memory>

namespace {

// The main dialog of the family the device text names exactly; none for any other text.
std::unique_ptr<CMainDlg> MainDialogFor(const std::string& device)
{
    if (device == "Zelnar")
        return std::make_unique<ZelnarDlg>();
    if (device == "Quorin")
        return std::make_unique<QuorinDlg>();
    return nullptr;
}

} // namespace

int CTerminalApp::Run()
{
    // Numbers in files and on screen keep the "." that the device and the files use.
    std::setlocale(LC_NUMERIC, "C");
    {
        COMDlg configuration;
        if (CUserDialogs::RunModal(configuration) != QDialog::Accepted)
            return 0;
    }
    // Each main dialog is gone, its port closed, before the next one starts.
    for (;;) {
        const std::unique_ptr<CMainDlg> main = MainDialogFor(PortSettings.device);
        if (!main)
            break;
        main->Start();
        if (CUserDialogs::RunModal(*main) != CMainDlg::kReconfigured)
            break;
    }
    return 0;
}
