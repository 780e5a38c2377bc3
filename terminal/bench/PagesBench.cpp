// The real Zelnar main dialog (offscreen) connected to a device emulator that streams DT at
// the line's full rate: what the Log list, the Display and the graphs hold afterwards, and the
// CPU time the program spent per second of streaming.
//   telvan-pages-bench DEVICE [SECONDS] [BAUD]

#include "BenchPages.h"
#include "ControlId.h"
#include "DisplayZL.h"
#include "EventWait.h"
#include "GraphData.h"
#include "LogZL.h"
#include "PortSettings.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
    const std::size_t before = dialog.Log().Book().Entries().size();
    const double cpuBefore = CpuSeconds();
    FindControl<QPushButton>(&dialog, 1053)->click();
    WaitWithEvents(seconds * 1000);
    const double cpu = CpuSeconds() - cpuBefore;
    FindControl<QPushButton>(&dialog, 1066)->click();
    WaitWithEvents(1000);

    const std::size_t lines = dialog.Log().Book().Entries().size() - before;
    const QString last = FindControl<QLabel>(&dialog, 1070)->text();
    std::printf("%zu lines in the Log list in %d s; Display shows \"%s\"; graphs hold %zu and "
                "%zu points (N = %d); %.3f s CPU per second of streaming\n",
                lines, seconds, last.toLatin1().constData(), g_pDistanceColumn->m_Values.size(),
                g_pSpeedColumn->m_Values.size(), g_nPointsNumber, cpu / seconds);
    return 0;
}
