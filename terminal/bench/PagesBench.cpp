// The real Zelnar main dialog (offscreen) connected to a device emulator that streams DT at
// the line's full rate: what the Log list, the Display and the graphs hold afterwards, and the
// CPU time the program spent per second of streaming, in three kinds of stretch taken in turn
// while the stream runs: without the status bar, with it, and with the status bar and the
// session journal. The differences are what the status bar and the journal cost.
//   telvan-pages-bench DEVICE [SECONDS] [BAUD]

#include "BenchHome.h"
#include "BenchPages.h"
#include "ControlId.h"
#include "DisplayZL.h"
#include "EventWait.h"
#include "GraphData.h"
#include "LogZL.h"
#include "PortSettings.h"
#include "SessionJournal.h"
#include "StatusBar.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <clocale>
#include <cstdio>

namespace {

constexpr int kRounds = 6;

enum Stretch
{
    Bare,
    StatusBar,
    Journal,
};
constexpr std::array<const char*, 3> kStretchNames = {
    "without the status bar", "with the status bar", "with the status bar and the journal"};

} // namespace

int main(int argc, char** argv)
{
    const CBenchHome home;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvan-pages-bench DEVICE [SECONDS] [BAUD]\n");
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    PortSettings = {"Zelnar", argv[1], argc > 3 ? argv[3] : "256000", "8", 0, 0};
    // The operator's OK on "Get parameter settings" comes once the listing is there.
    CUserDialogs::SetMessageHandler([](const QString&) { WaitWithEvents(1200); });

    ZelnarDlg dialog;
    dialog.show();
    dialog.Start();
    if (!g_bConnected) {
        std::fprintf(stderr, "not connected to %s\n", argv[1]);
        return 1;
    }
    CSessionJournal journal(home.FilePath("state/telvan-terminal"), {});
    const std::size_t before = dialog.Log().Book().Entries().size();
    FindControl<QPushButton>(&dialog, 1053)->click();
    // Each stretch takes a share of the time, in rounds and each round in another order, so that
    // a machine busy with other work and a Log list that grows weigh on all of them alike.
    const int stretchMs = seconds * 1000 / (kRounds * static_cast<int>(kStretchNames.size()));
    std::array<double, 3> cpu{};
    for (int round = 0; round < kRounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            const int stretch = (round + turn) % 3;
            dialog.StatusBar().setVisible(stretch != Bare);
            dialog.LogPage().SetSink(stretch == Journal ? &journal : nullptr);
            const double start = CpuSeconds();
            WaitWithEvents(stretchMs);
            cpu[stretch] += CpuSeconds() - start;
        }
    }
    dialog.LogPage().SetSink(nullptr);
    FindControl<QPushButton>(&dialog, 1066)->click();
    WaitWithEvents(1000);

    const std::size_t lines = dialog.Log().Book().Entries().size() - before;
    const QString last = FindControl<QLabel>(&dialog, 1070)->text();
    const double stretchSeconds = kRounds * stretchMs / 1000.0;
    std::printf("%zu lines in the Log list in %d s; Display shows \"%s\"; graphs hold %zu and "
                "%zu points (N = %d)\n",
                lines, seconds, last.toLatin1().constData(), g_pDistanceColumn->m_Values.size(),
                g_pSpeedColumn->m_Values.size(), g_nPointsNumber);
    for (int stretch = Bare; stretch <= Journal; ++stretch)
        std::printf("%.3f s CPU per second of streaming %s\n", cpu[stretch] / stretchSeconds,
                    kStretchNames[stretch]);
    std::printf("the status bar costs %+.2f %% of a core, the journal %+.2f %%\n",
                (cpu[StatusBar] - cpu[Bare]) / stretchSeconds * 100,
                (cpu[Journal] - cpu[StatusBar]) / stretchSeconds * 100);
    journal.Finish();
    return 0;
}
