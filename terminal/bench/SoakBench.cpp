// The real Zelnar main dialog (offscreen) on an emulated device that streams at the line's full
// rate, disconnected and connected again every few seconds, the device hanging up and coming
// back now and then. The device measures a target that steps 1 mm a measurement, so every gap
// in the Log list between a connect and the next disconnect is a lost line. The Log list is
// cleared while disconnected, so the program's memory has to stay flat.
//   telvan-soak-bench [MINUTES] [BAUD]

#include "BenchHome.h"
#include "BenchPages.h"
#include "ControlId.h"
#include "DeviceEmulator.h"
#include "EventWait.h"
#include "LogZL.h"
#include "PortSettings.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kConnectedMs = 4000;
constexpr int kHangUpEvery = 5; // cycles
constexpr std::int64_t kCountWraps = 9999999;
constexpr int kDT = 1053;
constexpr int kClear = 1095;
constexpr int kConnect = 32772;
constexpr int kDisconnect = 32773;

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

struct Totals
{
    std::uint64_t checked = 0; // lines whose predecessor was checked
    std::uint64_t gaps = 0;
    std::uint64_t foreign = 0; // entries that are no measurement of the counting target
};

// The measurement of the counting target an entry holds, in mm; -1 for anything else.
std::int64_t Count(std::string_view entry)
{
    if (entry.size() != 10 || entry[0] != 'D' || entry[1] != '+')
        return -1;
    return std::llround(std::atof(std::string(entry.substr(1)).c_str()) * 1000);
}

// The entries of one connected stretch. Its first entry may be the rest of a line cut by the
// disconnect before, and is no proof of anything.
void CheckStretch(const CLineList& entries, Totals& totals)
{
    std::int64_t previous = -1;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const std::int64_t count = Count(entries[i]);
        if (count < 0) {
            ++totals.foreign;
            if (totals.foreign <= 5)
                std::fprintf(stderr, "unexpected entry \"%.*s\"\n",
                             static_cast<int>(entries[i].size()), entries[i].data());
            continue;
        }
        if (previous >= 0) {
            ++totals.checked;
            if (count != previous % kCountWraps + 1) {
                ++totals.gaps;
                std::fprintf(stderr, "gap: %lld after %lld\n", static_cast<long long>(count),
                             static_cast<long long>(previous));
            }
        }
        previous = count;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const CBenchHome home;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10;
    const char* baud = argc > 2 ? argv[2] : "256000";

    // The terminal keeps one port name; the device gets a new pseudo-terminal each time it
    // comes back, and the name is pointed at it.
    QTemporaryDir work;
    const QString link = QDir(work.path()).filePath("device");
    CDeviceEmulator device(DeviceFamily::Zelnar, 1);
    device.SetCountingTarget(true);
    device.SetMaxRate(true);
    const auto plugIn = [&] {
        std::string error;
        if (!device.Start(error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
        QFile::remove(link);
        QFile::link(QString::fromStdString(device.DevicePath()), link);
    };
    plugIn();
    device.Execute("SD0 0");

    int lostReports = 0;
    CUserDialogs::SetMessageHandler([&](const QString& text) {
        if (text == "COM Port connection lost!")
            ++lostReports;
        else
            WaitWithEvents(1200); // the operator reads the message
    });
    PortSettings = {"Zelnar", link.toStdString(), baud, "8", 0, 0};
    ZelnarDlg dialog;
    dialog.show();
    dialog.Start();
    if (!g_bConnected) {
        std::fprintf(stderr, "not connected\n");
        return 1;
    }
    const auto click = [&](int id) { FindControl<QPushButton>(&dialog, id)->click(); };
    const auto trigger = [&](int id) { FindControl<QAction>(&dialog, id)->trigger(); };
    const CLineList& entries = dialog.Log().Book().Entries();

    Totals totals;
    std::uint64_t received = 0;
    int cycles = 0, hangUps = 0, refusedConnects = 0;
    long firstKiB = 0, lastKiB = 0, highestKiB = 0;
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::duration<double>(minutes * 60);
    click(kClear);
    click(kDT);
    while (std::chrono::steady_clock::now() < end) {
        WaitWithEvents(kConnectedMs);
        ++cycles;
        if (cycles % kHangUpEvery == 0) {
            ++hangUps;
            const int before = lostReports;
            device.HangUp();
            for (int wait = 0; wait < 50 && lostReports == before; ++wait)
                WaitWithEvents(100);
            plugIn();
        } else {
            trigger(kDisconnect);
        }
        WaitWithEvents(200);
        CheckStretch(entries, totals);
        received += entries.size();
        click(kClear);
        const long kib = ResidentKiB();
        if (firstKiB == 0)
            firstKiB = kib;
        lastKiB = kib;
        highestKiB = std::max(highestKiB, kib);
        trigger(kConnect);
        if (!g_bConnected) {
            ++refusedConnects;
            continue;
        }
        click(kDT);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    trigger(kDisconnect);
    const std::uint64_t sent = device.LinesSent();

    std::printf("%.1f minutes, %d cycles (%d hang-ups, %d connection-lost reports, %d refused "
                "connects)\n",
                seconds / 60, cycles, hangUps, lostReports, refusedConnects);
    std::printf("%llu lines sent by the device, %llu entries in the Log list, %llu checked in "
                "sequence, %llu gaps, %llu foreign entries\n",
                static_cast<unsigned long long>(sent), static_cast<unsigned long long>(received),
                static_cast<unsigned long long>(totals.checked),
                static_cast<unsigned long long>(totals.gaps),
                static_cast<unsigned long long>(totals.foreign));
    std::printf("resident memory after the first cycle %ld KiB, after the last %ld KiB, highest "
                "%ld KiB; %.3f s CPU per second\n",
                firstKiB, lastKiB, highestKiB, cpu / seconds);
    const bool sound = totals.gaps == 0 && totals.foreign == 0 && refusedConnects == 0 &&
                       lostReports == hangUps && totals.checked > 0;
    std::printf("%s\n", sound ? "PASS" : "FAIL");
    return sound ? 0 : 1;
}
