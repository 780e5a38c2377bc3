#include "ReplyAssembly.h"

#include "LineBatch.h"
#include "ParameterRecords.h"
#include "TerminalState.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>

namespace {

constexpr std::size_t kByteBits = 8;

// The eight bits of every byte value, most significant first.
constexpr auto kBits = [] {
    std::array<std::array<char, kByteBits>, 256> table{};
    for (std::size_t value = 0; value < table.size(); ++value)
        for (std::size_t bit = 0; bit < kByteBits; ++bit)
            table[value][bit] = (value >> (kByteBits - 1 - bit)) & 1 ? '1' : '0';
    return table;
}();

constexpr std::array<CRecordLengths, 4> kRecordLengths = {{{24, 48}, {32, 56}, {40, 64}, {48, 72}}};

// Zero bytes are line noise that a text cannot show; they are left out, the rest is kept.
void TakeChunk(std::string_view bytes)
{
    if (bytes.find('\0') == std::string_view::npos) {
        g_strReceived.assign(bytes);
    } else {
        g_strReceived.clear();
        std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(g_strReceived),
                     [](char c) { return c != '\0'; });
    }
    const auto count = static_cast<std::int64_t>(std::count(bytes.begin(), bytes.end(), '\r'));
    g_nLineCount = static_cast<int>(std::min<std::int64_t>(g_nLineCount + count, INT_MAX));
}

// Hands each line the Log page cut to the Display page in line. A flag given for the last line
// is set for that line alone, and left for the next chunk when there is no line.
void NotifyDisplay(CReplyPage& display, std::string& line, bool* lastLineFlag = nullptr)
{
    const bool flag = lastLineFlag && std::exchange(*lastLineFlag, false);
    const std::size_t lines = g_arrDisplayLines.size();
    if (lines == 0)
        display.OnData();
    for (std::size_t i = 0; i < lines; ++i) {
        line = g_arrDisplayLines[i];
        if (lastLineFlag)
            *lastLineFlag = flag && i + 1 == lines;
        display.OnData();
    }
    if (lastLineFlag && lines == 0)
        *lastLineFlag = flag;
    g_arrDisplayLines.Clear();
}

void DeliverRecord(const CReplyPages& pages, std::size_t begin, std::size_t length)
{
    const CRecordLengths lengths = BinaryRecordLengths(ZelnarParameters.SDy);
    if (length == lengths.shorter)
        g_BinaryStream = BinaryStream::WithoutSpeed;
    else if (length == lengths.longer)
        g_BinaryStream = BinaryStream::WithSpeed;
    g_strBinaryRecord.assign(g_strBinaryPending, begin, length);
    pages.display.OnData();
    pages.log.OnData();
    pages.classic.OnData();
}

bool IsStart(std::size_t position)
{
    return g_strBinaryPending[position] == '1';
}

// A record begins with a byte whose top bit is set and runs up to the next such byte. The bits
// after the last start wait for the next chunk unless they already make a complete record: a
// chunk may end a few bytes into a record with speed, where the bits so far have the length of
// one without.
void FrameRecords(std::string_view bytes, const CReplyPages& pages)
{
    for (const unsigned char byte : bytes)
        g_strBinaryPending.append(kBits[byte].data(), kByteBits);

    std::size_t first = 0;
    while (first < g_strBinaryPending.size() && !IsStart(first))
        first += kByteBits;
    g_strBinaryPending.erase(0, first);
    if (g_strBinaryPending.empty())
        return;

    std::size_t begin = 0;
    for (std::size_t next = kByteBits; next < g_strBinaryPending.size(); next += kByteBits) {
        if (IsStart(next)) {
            DeliverRecord(pages, begin, next - begin);
            begin = next;
        }
    }
    g_strBinaryPending.erase(0, begin);

    const CRecordLengths lengths = BinaryRecordLengths(ZelnarParameters.SDy);
    const std::size_t length = g_strBinaryPending.size();
    const bool complete =
        length == lengths.longer ||
        (length == lengths.shorter && g_BinaryStream == BinaryStream::WithoutSpeed);
    if (complete) {
        DeliverRecord(pages, 0, length);
        g_strBinaryPending.clear();
    } else if (length > lengths.longer) {
        // No start byte followed in time: noise that must not grow without bound.
        g_strBinaryPending.clear();
    }
    g_strBinaryRecord.clear();
}

} // namespace

BinaryStream g_BinaryStream = BinaryStream::Unknown;

void BeginBinaryStream(std::string_view command)
{
    const std::string_view key = command.substr(0, 2);
    if (key == "DT" || key == "DM" || key == "DF")
        g_BinaryStream = BinaryStream::WithoutSpeed;
    else if (key == "VT" || key == "VM")
        g_BinaryStream = BinaryStream::WithSpeed;
    else
        g_BinaryStream = BinaryStream::Unknown;
}

CRecordLengths BinaryRecordLengths(int SDy)
{
    if (SDy < 0 || static_cast<std::size_t>(SDy) >= kRecordLengths.size())
        return {};
    return kRecordLengths[static_cast<std::size_t>(SDy)];
}

void DispatchZelnarReply(std::string_view bytes, const CReplyPages& pages)
{
    if (bytes.empty())
        return;
    TakeChunk(bytes);
    if (ZelnarParameters.SDx == kBinaryOutput) {
        FrameRecords(bytes, pages);
        return;
    }
    g_arrDisplayLines.Clear();
    pages.log.OnData();
    pages.classic.OnData();
    NotifyDisplay(pages.display, g_strMeasLine);
}

void DispatchQuorinReply(std::string_view bytes, const CReplyPages& pages)
{
    if (bytes.empty())
        return;
    TakeChunk(bytes);
    g_arrDisplayLines.Clear();
    pages.classic.OnData();
    pages.log.OnData();
    // The temperature request is the answer's: it waits for a chunk that completes a line, and
    // goes to the last line of that chunk.
    NotifyDisplay(pages.display, g_strQuorinLine, &g_bTempRequest);
}
