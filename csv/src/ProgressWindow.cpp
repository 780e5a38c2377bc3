#include "ProgressWindow.h"

#include <unistd.h>

CConsoleProgress::CConsoleProgress(FILE* stream)
    : m_pStream(stream), m_bTerminal(stream && ::isatty(::fileno(stream)))
{
}

CConsoleProgress::~CConsoleProgress()
{
    if (m_bTerminal && m_nShownPercent >= 0)
        std::fputc('\n', m_pStream);
}

void CConsoleProgress::SetTitle(const std::string& title)
{
    m_strTitle = title;
}

void CConsoleProgress::SetRange(std::int64_t lower, std::int64_t upper)
{
    m_Lower = lower;
    m_Upper = upper;
}

void CConsoleProgress::SetPos(std::int64_t position)
{
    if (!m_bTerminal || m_Upper <= m_Lower)
        return;
    const auto done =
        static_cast<double>(position - m_Lower) / static_cast<double>(m_Upper - m_Lower);
    const int percent = done < 0 ? 0 : done > 1 ? 100 : static_cast<int>(done * 100);
    if (percent == m_nShownPercent)
        return;
    m_nShownPercent = percent;
    std::fprintf(m_pStream, "\r%s %3d%%", m_strTitle.c_str(), percent);
    std::fflush(m_pStream);
}
