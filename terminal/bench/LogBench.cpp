// Times a Log list of a million entries: appending them through the Log book, the memory the
// list takes, and saving the marked list as text and as semicolon-separated file.
#include "LineBatch.h"
#include "LogBookZL.h"
#include "TerminalState.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == "VmRSS:" && status >> value)
            return value;
    }
    return 0;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const long entries = argc > 1 ? std::atol(argv[1]) : 1000000;
    const std::string folder = argc > 2 ? argv[2] : "/tmp";
    CLogBookZL book;
    book.SetTime(true);
    const long before = ResidentKiB();
    const auto append = std::chrono::steady_clock::now();
    // The CPU time as well: on a machine busy with other work the wall time counts their turns.
    const std::clock_t appendCpu = std::clock();
    book.StartLog();
    for (long i = 0; i < entries; ++i) {
        g_strReceived = "D+0012.345 01500 +29.9\r\n";
        book.OnData();
        // The reply assembly hands the batch to the Display page and empties it after each
        // chunk; left to grow, it would be counted as the list's memory.
        g_arrDisplayLines.Clear();
    }
    book.StopLog();
    const double appendSeconds = SecondsSince(append);
    const double appendCpuSeconds = double(std::clock() - appendCpu) / CLOCKS_PER_SEC;
    const long after = ResidentKiB();

    const auto text = std::chrono::steady_clock::now();
    const bool textSaved = book.SaveText(folder + "/bench-log.txt").empty();
    const double textSeconds = SecondsSince(text);
    const auto excel = std::chrono::steady_clock::now();
    const bool excelSaved = book.SaveExcel(folder + "/bench-log.csv").empty();
    const double excelSeconds = SecondsSince(excel);
    std::printf("entries %zu, list memory %.1f MiB (%.1f bytes per entry)\n", book.Entries().size(),
                (after - before) / 1024.0,
                (after - before) * 1024.0 / static_cast<double>(entries));
    std::printf("append %.3f s (%.0f ns per entry; CPU %.0f ns per entry)\n", appendSeconds,
                appendSeconds * 1e9 / static_cast<double>(entries),
                appendCpuSeconds * 1e9 / static_cast<double>(entries));
    std::printf("save text %.3f s%s\n", textSeconds, textSaved ? "" : " FAILED");
    std::printf("save Excel %.3f s%s\n", excelSeconds, excelSaved ? "" : " FAILED");
    return textSaved && excelSaved ? 0 : 1;
}
