#include "StdioFile.h"

#include <cerrno>

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
    if (!m_pStream)
        return true;
    const bool ok = std::fclose(m_pStream) == 0;
    m_pStream = nullptr;
    return ok;
}

bool CStdioFile::ReadRawLine(std::string& line)
{
    line.clear();
    if (!m_pStream)
        return false;
    char* buffer = m_pLineBuffer.release();
    const ssize_t length = ::getline(&buffer, &m_nLineBufferSize, m_pStream);
    m_pLineBuffer.reset(buffer);
    if (length <= 0)
        return false;
    line.assign(buffer, static_cast<std::size_t>(length));
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
    return m_pStream ? ::ftello(m_pStream) : 0;
}

bool CStdioFile::SeekToBegin()
{
    return m_pStream && ::fseeko(m_pStream, 0, SEEK_SET) == 0;
}

bool CStdioFile::Flush()
{
    return m_pStream && std::fflush(m_pStream) == 0;
}
