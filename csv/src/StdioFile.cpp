#include "StdioFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CStdioFile::~CStdioFile()
{
    CStdioFile::Close();
}

bool CStdioFile::Open(const char* fileName, unsigned openFlags)
{
    Close();
    if (!fileName)
        return false;
    int flags = O_CLOEXEC;
    const char* mode = "rb";
    switch (openFlags & 3u) {
    case modeWrite:
        flags |= O_WRONLY;
        mode = "wb";
        break;
    case modeReadWrite:
        flags |= O_RDWR;
        mode = "r+b";
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    if (openFlags & modeCreate)
        flags |= O_CREAT | ((openFlags & modeNoTruncate) ? 0 : O_TRUNC);
    const int fd = ::open(fileName, flags, 0666);
    if (fd < 0)
        return false;
    // A folder opens for reading but reads as nothing: refuse it as the failure it is.
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return false;
    }
    m_pStream = ::fdopen(fd, mode);
    if (!m_pStream) {
        ::close(fd);
        return false;
    }
    m_strFileName = fileName;
    return true;
}

bool CStdioFile::Close()
{
    DropReadAhead();
    if (!m_pStream)
        return true;
    const bool ok = std::fclose(m_pStream) == 0;
    m_pStream = nullptr;
    return ok;
}

std::size_t CStdioFile::ReadAhead()
{
    std::size_t length = ReadBlock;
    if (m_nReadLimit >= 0) {
        const std::int64_t position = ::ftello(m_pStream);
        length = position < 0 || position >= m_nReadLimit
                     ? 0
                     : static_cast<std::size_t>(
                           std::min<std::int64_t>(m_nReadLimit - position, ReadBlock));
    }
    m_nReadPosition = 0;
    m_nReadEnd = length ? std::fread(m_pReadBuffer.get(), 1, length, m_pStream) : 0;
    return m_nReadEnd;
}

bool CStdioFile::ReadRawLine(std::string& line)
{
    line.clear();
    if (!m_pStream)
        return false;
    if (!m_pReadBuffer)
        m_pReadBuffer = std::make_unique<char[]>(ReadBlock);
    for (;;) {
        if (m_nReadPosition == m_nReadEnd) {
            if (ReadAhead() == 0)
                return !line.empty();
        }
        const char* begin = m_pReadBuffer.get() + m_nReadPosition;
        const std::size_t available = m_nReadEnd - m_nReadPosition;
        const auto* end = static_cast<const char*>(std::memchr(begin, '\n', available));
        const std::size_t length = end ? static_cast<std::size_t>(end - begin) + 1 : available;
        line.append(begin, length);
        m_nReadPosition += length;
        if (end)
            return true;
    }
}

bool CStdioFile::ReadStringView(std::string_view& line)
{
    if (!m_pStream)
        return false;
    if (!m_pReadBuffer)
        m_pReadBuffer = std::make_unique<char[]>(ReadBlock);
    if (m_nReadPosition == m_nReadEnd) {
        if (ReadAhead() == 0)
            return false;
    }
    const char* begin = m_pReadBuffer.get() + m_nReadPosition;
    const std::size_t available = m_nReadEnd - m_nReadPosition;
    if (const auto* end = static_cast<const char*>(std::memchr(begin, '\n', available))) {
        const auto length = static_cast<std::size_t>(end - begin) + 1;
        m_nReadPosition += length;
        line = std::string_view(begin, length);
    } else {
        ReadRawLine(m_strJoined);
        line = m_strJoined;
    }
    if (line.ends_with("\r\n"))
        line.remove_suffix(2);
    else if (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return true;
}

void RemoveLineEnd(std::string& line)
{
    if (line.ends_with("\r\n"))
        line.resize(line.size() - 2);
    else if (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
}

bool CStdioFile::ReadString(std::string& line)
{
    if (!ReadRawLine(line))
        return false;
    RemoveLineEnd(line);
    return true;
}

bool CStdioFile::WriteString(const char* text)
{
    if (!m_pStream || !text)
        return false;
    // A write follows the text read so far, not the block read ahead.
    if (m_nReadPosition != m_nReadEnd) {
        const std::int64_t position = GetPosition();
        DropReadAhead();
        if (::fseeko(m_pStream, position, SEEK_SET) != 0)
            return false;
    }
    const std::size_t length = std::char_traits<char>::length(text);
    return std::fwrite(text, 1, length, m_pStream) == length;
}

std::int64_t CStdioFile::GetLength() const
{
    struct stat info
    {
    };
    if (!m_pStream || ::fstat(::fileno(m_pStream), &info) != 0)
        return 0;
    return info.st_size;
}

std::int64_t CStdioFile::GetPosition() const
{
    if (!m_pStream)
        return 0;
    const std::int64_t position = ::ftello(m_pStream);
    return position < 0 ? position
                        : position - static_cast<std::int64_t>(m_nReadEnd - m_nReadPosition);
}

bool CStdioFile::SeekToBegin()
{
    return Seek(0);
}

bool CStdioFile::Seek(std::int64_t position)
{
    DropReadAhead();
    return m_pStream && ::fseeko(m_pStream, position, SEEK_SET) == 0;
}

bool CStdioFile::Flush()
{
    return m_pStream && std::fflush(m_pStream) == 0;
}
