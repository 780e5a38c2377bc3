#include "LogBook.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <iterator>
#include <utility>

CLogBook::CLogBook(LogFileKind excelKind, LogClock clock)
    : m_excelKind(excelKind), m_clock(std::move(clock))
{
}

void CLogBook::StartLog()
{
    m_nStart = static_cast<std::size_t>(std::max(g_nLogLines, 0));
    m_bStopLogEnabled = true;
}

void CLogBook::StopLog()
{
    m_nStop = static_cast<std::size_t>(std::max(g_nLogLines, 0));
    m_bSaveEnabled = true;
}

void CLogBook::Clear()
{
    m_entries.Clear();
    g_nLogLines = 0;
    m_nStart = m_nStop = 0;
    m_bStopLogEnabled = m_bSaveEnabled = false;
    if (m_pSink)
        m_pSink->Cleared();
}

void CLogBook::AddRecovered(std::int64_t timeMs, std::string_view entry)
{
    ++g_nLogLines;
    m_entries.Add(entry);
    if (m_pSink)
        m_pSink->Entry(timeMs, entry, {});
}

void CLogBook::MarkRecovered(int first)
{
    m_nStart = static_cast<std::size_t>(std::max(first, 0));
    m_nStop = static_cast<std::size_t>(std::max(g_nLogLines, 0));
    m_bStopLogEnabled = m_bSaveEnabled = true;
}

std::string_view CLogBook::SaveText(const std::string& path)
{
    return Save(path, LogFileKind::Text);
}

std::string_view CLogBook::SaveExcel(const std::string& path)
{
    return Save(path, m_excelKind);
}

std::string_view CLogBook::Save(const std::string& path, LogFileKind kind)
{
    const std::string_view message = SaveLog(path, kind, m_entries, m_nStart, m_nStop);
    m_bStopLogEnabled = m_bSaveEnabled = false;
    return message;
}

bool CLogBook::ListTypedLine()
{
    if (!g_bEchoTypedLine)
        return false;
    // The main dialog counted this entry when it sent the line.
    const std::string_view prefix = TimePrefix();
    m_entries.Add(prefix, g_strReceived);
    PassOn(prefix, g_strReceived);
    g_strReceived.insert(0, prefix);
    g_bEchoTypedLine = false;
    return true;
}

void CLogBook::AddEntry(std::string_view line)
{
    ++g_nLogLines;
    ++m_nReceivedTotal;
    const std::string_view prefix = TimePrefix();
    m_entries.Add(prefix, line);
    PassOn(prefix, line);
}

void CLogBook::PassOn(std::string_view head, std::string_view tail)
{
    if (!m_pSink)
        return;
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now());
    m_pSink->Entry(now.time_since_epoch().count(), head, tail);
}

std::string_view CLogBook::TimePrefix()
{
    if (!m_bTime)
        return {};
    // "%02d:%02d:%02d:%03d>> " for every line, without the cost of a formatted print.
    const CTimeOfDay time = m_clock();
    char* out = m_prefix.data();
    const auto field = [&out](int value, int digits, char separator) {
        char text[16];
        const auto [end, error] = std::to_chars(std::begin(text), std::end(text), value);
        for (auto length = end - text; length < digits; ++length)
            *out++ = '0';
        out = std::copy(text, end, out);
        *out++ = separator;
    };
    field(time.hour, 2, ':');
    field(time.minute, 2, ':');
    field(time.second, 2, ':');
    field(time.millisecond, 3, '>');
    *out++ = '>';
    *out++ = ' ';
    return {m_prefix.data(), static_cast<std::size_t>(out - m_prefix.data())};
}
