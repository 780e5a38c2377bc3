// The link at full rate: a device emulator streams decimal lines and the link hands them to
// the receive path. Prints what arrived, its pace and the CPU time this process spent.
//   telvan-link-bench DEVICE [SECONDS] [BAUD]

#include "BenchPages.h"
#include "GraphData.h"
#include "LogBookZL.h"
#include "ParameterRecords.h"
#include "ReplyAssembly.h"
#include "SerialLink.h"
#include "ZelnarDisplay.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvan-link-bench DEVICE [SECONDS] [BAUD]\n");
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    CLinkSettings settings;
    settings.portName = argv[1];
    settings.baudRate = argc > 3 ? std::atoi(argv[3]) : 115200;

    ZelnarParameters.SF = 1.0;
    ZelnarParameters.QAy = 20;
    ResetGraphSettingsZL();
    g_nPointsNumber = 150;
    CreateGraphTablesZL();
    CLogBookZL log;
    CBenchNoPage classic;
    CBenchDisplayPage display;
    const CReplyPages pages{log, classic, display};

    CSerialLink link;
    link.SetSettings(settings);
    std::uint64_t bytes = 0;
    link.SetReceiver([&](std::string_view chunk) {
        bytes += chunk.size();
        DispatchZelnarReply(chunk, pages);
    });
    link.SetLostHandler([&](const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        app.exit(1);
    });
    if (!link.OpenPort()) {
        std::fprintf(stderr, "%s\n", link.FailureText().c_str());
        return 1;
    }

    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    link.WritePort("DT\r", 3);
    QTimer::singleShot(seconds * 1000, [&] {
        link.WritePort("\x1b", 1);
        // What is still on its way arrives within a moment.
        QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    });
    const int result = app.exec();
    link.ClosePort();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    const auto lines = static_cast<unsigned long long>(log.Entries().size());
    std::printf("%llu lines received (%llu bytes) in %.1f s: %.0f lines/s, %.4f s CPU per s\n",
                lines, static_cast<unsigned long long>(bytes), wall, lines / wall, cpu / wall);
    return result;
}
