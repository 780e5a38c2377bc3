#include "TextStream.h"

#include "LocalTime.h"
#include "TextStreamProcessor.h"

#include <vector>

namespace {

// The name with the date and time of opening put in (strftime); the name itself when the
// result would be empty.
std::string FormatName(const std::string& name, std::time_t openTime)
{
    std::tm tm{};
    if (name.find('%') == std::string::npos || !LocalBreakDown(openTime, tm))
        return name;
    std::vector<char> buffer(name.size() * 8 + 256);
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), name.c_str(), &tm);
    return length ? std::string(buffer.data(), length) : name;
}

} // namespace

int CTextStream::OpenStream(const std::string& fileName, CTextStreamProcessor* processor)
{
    CloseStream();
    m_pProcessor = processor;
    m_OpenTime = std::time(nullptr);
    m_strName = m_bFormatName ? FormatName(fileName, m_OpenTime) : fileName;
    m_nLine = -1;
    m_bReplayFirstLine = false;
    m_strFirstLine.clear();
    m_bPipe = m_strName.empty();
    if (!m_bPipe && !Open(m_strName.c_str(), modeRead | shareDenyWrite | typeText))
        return 0;
    return m_pProcessor ? m_pProcessor->ProcessStreamStart(this) : 1;
}

bool CTextStream::ReadPipeLine(std::string& line)
{
    line.clear();
    bool any = false;
    int c = 0;
    while ((c = getc_unlocked(stdin)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (c != '\0')
            line += static_cast<char>(c);
    }
    // A last line without a newline is still a line.
    if (!any)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (c == '\n' && m_bKeepNewline)
        line += '\n';
    return true;
}

int CTextStream::ReadNextLine(std::string& line)
{
    ++m_nLine;
    if (m_bReplayFirstLine) {
        m_bReplayFirstLine = false;
        line = m_strFirstLine;
        return 1;
    }
    if (m_bPipe) {
        if (!ReadPipeLine(line))
            return 0;
        if (m_nLine == 0)
            m_strFirstLine = line;
        return 1;
    }
    if (!ReadString(line))
        return 0;
    if (m_bKeepNewline)
        line += '\n';
    return 1;
}

int CTextStream::ReadNextLineView(std::string_view& line)
{
    if (m_bPipe || m_bReplayFirstLine || m_bKeepNewline || m_bIsUnicodeText) {
        // Read beside the line viewed, so that the end of the input leaves it alone.
        if (!CTextStream::ReadNextLine(m_strViewNext))
            return 0;
        m_strViewed.swap(m_strViewNext);
        line = m_strViewed;
        return 1;
    }
    ++m_nLine;
    return ReadStringView(line) ? 1 : 0;
}

int CTextStream::ProcessStream()
{
    if (!m_pProcessor)
        return 0;
    std::string line;
    std::string last;
    while (ReadNextLine(line)) {
        if (!m_pProcessor->ProcessStreamLine(this, line))
            return 0;
        last.swap(line);
    }
    return m_pProcessor->ProcessStreamEnd(this, last);
}

void CTextStream::CloseStream()
{
    Close();
}

bool CTextStream::RewindPipe()
{
    if (!m_bPipe || m_nLine > 0)
        return false;
    m_bReplayFirstLine = m_nLine == 0;
    m_nLine = -1;
    return true;
}
