#include "ClassicLines.h"

#include "ReplyAssembly.h"
#include "TerminalState.h"

#include <climits>

namespace {

constexpr int kLastLine = 39;
constexpr int kQuorinLines = 41;

} // namespace

CClassicUpdate ZelnarClassicData(int SDx)
{
    CClassicUpdate update;
    if (SDx == kBinaryOutput) {
        update.scroll = true;
        update.insert = g_strBinaryRecord + "\r\n";
        if (++g_nLineCount > kLastLine) {
            update.clearAfter = true;
            g_nLineCount = 0;
        }
        return update;
    }
    if (g_nLineCount > kLastLine) {
        update.clearBefore = true;
        g_nLineCount = 0;
    }
    update.scroll = g_nLineCount != kLastLine;
    if (g_nLineCount != 0)
        update.insert = g_strReceived;
    return update;
}

void ZelnarClassicEnter()
{
    if (g_nLineCount < kLastLine)
        ++g_nLineCount;
}

CClassicUpdate QuorinClassicData()
{
    CClassicUpdate update;
    update.scroll = true;
    if (g_nLineCount != 0 || g_strReceived != "\n")
        update.insert = g_strReceived;
    if (g_nLineCount >= kQuorinLines) {
        update.clearAfter = true;
        g_nLineCount = 0;
    }
    return update;
}

void QuorinClassicEnter()
{
    if (g_nLineCount < INT_MAX)
        ++g_nLineCount;
}
