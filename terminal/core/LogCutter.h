#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cuts received text into lines at CR LF. The end of the text that is not yet closed by CR LF
// waits as the line tail and is put before the next text.
class CLogCutter
{
public:
    // A tail this long without CR LF becomes a line of its own, so that a device that never
    // ends its lines cannot grow the tail without bound and nothing it sent is lost.
    static constexpr std::size_t kLongestTail = 4096;

    // Calls onLine(line, complete) for every line in order: complete lines without their CR LF
    // (complete true), and pieces of kLongestTail characters cut from an overlong tail (false).
    // The views are valid during the call only.
    template <class OnLine> void Cut(std::string_view text, OnLine&& onLine);

    const std::string& Tail() const { return m_strTail; }

private:
    std::string m_strTail;
};

template <class OnLine> void CLogCutter::Cut(std::string_view text, OnLine&& onLine)
{
    // Mostly no tail waits: the lines are then cut from the text itself and only its end is
    // kept.
    const bool joined = !m_strTail.empty();
    if (joined)
        m_strTail.append(text);
    const std::string_view all = joined ? std::string_view(m_strTail) : text;
    std::size_t start = 0;
    for (std::size_t cr = all.find('\r'); cr != std::string_view::npos && cr + 1 < all.size();
         cr = all.find('\r', cr + 1)) {
        if (all[cr + 1] == '\n') {
            onLine(all.substr(start, cr - start), true);
            start = cr + 2;
        }
    }
    while (all.size() - start >= kLongestTail) {
        std::size_t length = kLongestTail;
        if (all[start + length - 1] == '\r')
            --length; // its line feed may be in the next text
        onLine(all.substr(start, length), false);
        start += length;
    }
    if (joined)
        m_strTail.erase(0, start);
    else
        m_strTail.assign(all.substr(start));
}
