// The real Quorin main dialog (offscreen) playing the default simulated run of 4,001 positions:
// first as fast as the event loop goes (lines shown per second), then at the demonstration pace
// of one line every 10 ms for SECONDS (the program's CPU time per second), once with the
// Display page in front and once with the Graphic page.
//   telvan-sim-bench [SECONDS]

#include "BenchHome.h"
#include "BenchPages.h"
#include "ControlId.h"
#include "EventWait.h"
#include "PageTabCtrl.h"
#include "PortSettings.h"
#include "QuorinDlg.h"
#include "TerminalState.h"
#include "UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kStartSimulation = 32823;
constexpr int kDT = 1131;
constexpr int kStop = 1139;
constexpr int kDemonstrationPaceMs = 10;

// Plays one run at the pace until it ends or seconds have passed; the lines shown, the wall
// time and the CPU time.
struct CRunFigures
{
    long lines = 0;
    double seconds = 0;
    double cpu = 0;
};

CRunFigures Play(QuorinDlg& dialog, int paceMs, int seconds)
{
    CRunFigures figures;
    const QMetaObject::Connection counting =
        QObject::connect(&dialog, &CMainDlg::SimulatedLine, [&] { ++figures.lines; });
    dialog.SetSimulationPace(paceMs);
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    FindControl<QPushButton>(&dialog, kDT)->click();
    const auto end = start + std::chrono::seconds(seconds);
    while (g_bSimRunning && std::chrono::steady_clock::now() < end)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    figures.cpu = CpuSeconds() - cpu;
    figures.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    QObject::disconnect(counting);
    FindControl<QPushButton>(&dialog, kStop)->click();
    WaitWithEvents(200);
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    const CBenchHome home;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    // No device: simulation mode closes the port anyway.
    PortSettings = {"Quorin", home.FilePath("no-port").toStdString(), "9600", "8", 0,
                    0};
    CUserDialogs::SetMessageHandler([](const QString&) {});
    CUserDialogs::SetModalHandler([](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });

    QuorinDlg dialog;
    dialog.Start();
    FindControl<QAction>(&dialog, kStartSimulation)->trigger();
    if (!g_bSimulation) {
        std::fprintf(stderr, "simulation mode did not start\n");
        return 1;
    }
    WaitWithEvents(500);

    const CRunFigures fast = Play(dialog, 0, 600);
    std::printf("pace 0: %ld lines in %.2f s, %.0f lines shown per second (%.2f s CPU)\n",
                fast.lines, fast.seconds, fast.lines / fast.seconds, fast.cpu);
    auto* tabs = dialog.findChild<CPageTabCtrl*>();
    for (const int tab : {0, 1}) {
        tabs->setCurrentIndex(tab);
        const CRunFigures paced = Play(dialog, kDemonstrationPaceMs, seconds);
        std::printf("one line every %d ms, %s page in front: %ld lines in %.1f s, %.1f %% of a "
                    "core\n",
                    kDemonstrationPaceMs, tabs->tabText(tab).toLatin1().constData(), paced.lines,
                    paced.seconds, paced.cpu / paced.seconds * 100);
    }
    return 0;
}
