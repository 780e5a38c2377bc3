// The receive path without widgets: generated decimal replies in 100-byte chunks through
// reply assembly, log cutting, decoding, alarms and graph append, as the pages call them.

#include "BenchPages.h"
#include "GraphData.h"
#include "LogBookZL.h"
#include "ParameterRecords.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"
#include "ZelnarDisplay.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<std::uint64_t> g_nAllocatedBytes{0};

// Decimal replies of every layout, a moving distance and now and then an error reply.
std::string MakeReplies(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 64);
    char line[64];
    for (unsigned i = 0; text.size() < bytes; ++i) {
        const double distance = 5.0 + (i % 2000) * 0.01;
        int length = 0;
        switch (i % 5) {
        case 0:
            length = std::snprintf(line, sizeof line, "D %08.3f\r\n", distance);
            break;
        case 1:
            length = std::snprintf(line, sizeof line, "D %08.3f %05u\r\n", distance, i % 3000);
            break;
        case 2:
            length = std::snprintf(line, sizeof line, "D %08.3f +29.9\r\n", distance);
            break;
        case 3:
            length =
                std::snprintf(line, sizeof line, "D %08.3f %05u +29.9\r\n", distance, i % 3000);
            break;
        default:
            length = i % 50 == 4
                         ? std::snprintf(line, sizeof line, "DE02      \r\n")
                         : std::snprintf(line, sizeof line, "D-0001.250 %08.3f\r\n", distance);
            break;
        }
        text.append(line, static_cast<std::size_t>(length));
    }
    return text;
}

struct Run
{
    double seconds = 0;
    std::uint64_t lines = 0;
    std::uint64_t allocated = 0;
};

Run Feed(const std::string& replies, bool timePrefix)
{
    CLogBookZL log;
    log.SetTime(timePrefix);
    CBenchNoPage classic;
    CBenchDisplayPage display;
    const CReplyPages pages{log, classic, display};
    const std::uint64_t allocatedBefore = g_nAllocatedBytes;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t at = 0; at < replies.size(); at += 100)
        DispatchZelnarReply(std::string_view(replies).substr(at, 100), pages);
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), log.Entries().size(),
            g_nAllocatedBytes - allocatedBefore};
}

} // namespace

void* operator new(std::size_t size)
{
    g_nAllocatedBytes.fetch_add(size, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

int main(int argc, char** argv)
{
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10;
    const std::string replies = MakeReplies(megabytes * 1000 * 1000);
    ZelnarParameters.SF = 1.0;
    ZelnarParameters.QAx = 0;
    ZelnarParameters.QAy = 25;
    ZelnarParameters.Q1w = 10;
    ZelnarParameters.Q1x = 5;
    ZelnarParameters.Q1y = 0.5;
    ZelnarParameters.Q2w = 20;
    ZelnarParameters.Q2x = 3;
    ZelnarParameters.Q2y = 0.2;
    ResetGraphSettingsZL();
    g_nPointsNumber = 150;
    CreateGraphTablesZL();

    for (const bool timePrefix : {false, true}) {
        std::vector<Run> runs;
        for (int i = 0; i < 5; ++i)
            runs.push_back(Feed(replies, timePrefix));
        std::sort(runs.begin(), runs.end(),
                  [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
        const Run& median = runs[runs.size() / 2];
        std::printf("%zu MB, %llu lines, Log time %s: median %.3f s, %.2f million lines/s, "
                    "%.1f bytes allocated per line\n",
                    megabytes, static_cast<unsigned long long>(median.lines),
                    timePrefix ? "on " : "off", median.seconds,
                    static_cast<double>(median.lines) / median.seconds / 1e6,
                    static_cast<double>(median.allocated) / static_cast<double>(median.lines));
    }
    return 0;
}
