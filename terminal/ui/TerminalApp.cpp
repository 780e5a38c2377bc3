#include "TerminalApp.h"

#include "COMDlg.h"
#include "JournalFolder.h"
#include "LogPage.h"
#include "PortSettings.h"
#include "QuorinDlg.h"
#include "RecoveryOffer.h"
#include "SessionJournal.h"
#include "StatusBar.h"
#include "TerminalSettings.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <clocale>
#include <cstdio>
#include <memory>
#include <utility>

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

CTerminalApp::CTerminalApp(CTerminalOptions options) : m_options(std::move(options)) {}

int CTerminalApp::Run()
{
    // Numbers in files and on screen keep the "." that the device and the files use.
    std::setlocale(LC_NUMERIC, "C");
    if (m_options.resetSettings)
        CTerminalSettings::Reset();
    if (const QString damaged = CTerminalSettings::CheckFile(); !damaged.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(damaged));
    const CPortSettings start = StartSettings(m_options, CTerminalSettings().LastConnection());
    if (m_options.port) {
        PortSettings = start;
    } else {
        COMDlg configuration;
        configuration.SetValues(start);
        if (CUserDialogs::RunModal(configuration) != QDialog::Accepted)
            return 0;
    }

    const CJournalFolder journals(CJournalFolder::DefaultPath());
    // Taken before this run's own journal exists.
    QStringList abandoned = journals.Abandoned();
    // Each main dialog is gone, its port closed, before the next one starts.
    for (;;) {
        const QString family = QString::fromStdString(PortSettings.device);
        CSessionJournal journal(
            journals.Path(), {CJournalLimits{}.fileBytes, CTerminalSettings().JournalLimitBytes()});
        const std::unique_ptr<CMainDlg> main = MainDialogFor(PortSettings.device);
        if (!main) {
            journal.Finish();
            break;
        }
        main->LogPage().SetSink(&journal);
        main->StatusBar().SetJournal(&journal);
        OfferRecovery(std::exchange(abandoned, {}), main->LogPage());
        main->restoreGeometry(CTerminalSettings().Geometry(family));
        main->Start();
        const int result = CUserDialogs::RunModal(*main);
        CTerminalSettings().SetGeometry(family, main->saveGeometry());
        journal.Finish();
        if (result != CMainDlg::kReconfigured)
            break;
    }
    return 0;
}
