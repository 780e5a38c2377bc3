#pragma once

#include "LineList.h"
#include "LogClock.h"
#include "LogCutter.h"
#include "LogSavers.h"
#include "LogSink.h"
#include "ReplyPage.h"
#include "TerminalState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What a Log page decides: its entries, the marked stretch with the button states, the time
// prefix and the savers. The page shows Entries() and the button states after each call.
class CLogBook : public CReplyPage
{
public:
    void SetTime(bool on) { m_bTime = on; } // the "Time" check box
    bool Time() const { return m_bTime; }

    const CLineList& Entries() const { return m_entries; }
    const CLogCutter& Cutter() const { return m_cutter; }
    // Entries of received lines since the book was made; CLEAR does not reset it.
    std::uint64_t ReceivedTotal() const { return m_nReceivedTotal; }

    // Every entry listed from now on, and every CLEAR, is passed on to the sink too (none: null).
    void SetSink(CLogSink* sink) { m_pSink = sink; }
    // An entry of an earlier session put back as it was listed then: listed, counted in
    // g_nLogLines and passed on to the sink with its time.
    void AddRecovered(std::int64_t timeMs, std::string_view entry);
    // Marks the entries from the count first on, the recovered ones, as the stretch to save, as
    // if Start Log and Stop Log had been pressed around them.
    void MarkRecovered(int first);

    void StartLog();
    void StopLog();
    void Clear(); // CLEAR: empties the list and the marks; the line tail stays
    bool StopLogEnabled() const { return m_bStopLogEnabled; }
    bool SaveEnabled() const { return m_bSaveEnabled; } // SAVE and the Excel button
    std::size_t StartIndex() const { return m_nStart; }
    std::size_t StopIndex() const { return m_nStop; }

    // SAVE, UM_SAVE_LOG and the Excel button: write the marked stretch to the chosen file.
    // Return the message to show (empty on success); the save buttons are disabled either way.
    std::string_view SaveText(const std::string& path);
    std::string_view SaveExcel(const std::string& path);

    virtual ~CLogBook() = default;

protected:
    CLogBook(LogFileKind excelKind, LogClock clock);

    // The echo of a typed line takes the whole notification; true when there was one.
    bool ListTypedLine();
    // Cuts g_strReceived into entries and calls handOver(line) for each complete line first.
    template <class HandOver> void CutReceived(HandOver&& handOver);
    // Lists the line with the time prefix and counts it in g_nLogLines.
    void AddEntry(std::string_view line);

private:
    std::string_view TimePrefix();
    std::string_view Save(const std::string& path, LogFileKind kind);
    void PassOn(std::string_view head, std::string_view tail);

    LogFileKind m_excelKind;
    LogClock m_clock;
    bool m_bTime = false;
    CLineList m_entries;
    CLogCutter m_cutter;
    CLogSink* m_pSink = nullptr;
    std::uint64_t m_nReceivedTotal = 0;
    std::size_t m_nStart = 0;
    std::size_t m_nStop = 0;
    bool m_bStopLogEnabled = false;
    bool m_bSaveEnabled = false;
    std::array<char, 64> m_prefix{};
};

template <class HandOver> void CLogBook::CutReceived(HandOver&& handOver)
{
    m_cutter.Cut(g_strReceived, [&](std::string_view line, bool complete) {
        if (complete)
            handOver(line);
        AddEntry(line);
    });
}
