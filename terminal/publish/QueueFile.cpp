#include "QueueFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadPiece = std::size_t{64} << 10;
// Longer records are damage: no message comes near it.
constexpr std::uint32_t kLongestMessage = std::uint32_t{1} << 20;

std::uint32_t Checksum(std::string_view bytes)
{
    // FNV-1a: enough to tell a torn or zero-filled record from a whole one.
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

void PutWord(std::string& out, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(word >> (8 * i) & 0xff);
}

std::uint32_t GetWord(const char* in)
{
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i)
        word = word << 8 | static_cast<unsigned char>(in[i]);
    return word;
}

std::string SystemError(const std::filesystem::path& path)
{
    return path.string() + ": " + std::strerror(errno);
}

} // namespace

CQueueFile::CQueueFile(std::filesystem::path path, std::uint64_t first)
    : m_path(std::move(path)), m_nFirst(first), m_nReadNumber(first)
{
}

CQueueFile::~CQueueFile()
{
    if (m_nDescriptor >= 0)
        ::close(m_nDescriptor);
}

bool CQueueFile::Open(int flags, std::string& error)
{
    m_nDescriptor = ::open(m_path.c_str(), flags | O_RDWR | O_APPEND | O_CLOEXEC, 0640);
    if (m_nDescriptor < 0)
        error = SystemError(m_path);
    return m_nDescriptor >= 0;
}

bool CQueueFile::Create(std::string& error)
{
    return Open(O_CREAT | O_TRUNC, error);
}

bool CQueueFile::Recover(std::string& error)
{
    if (!Open(0, error))
        return false;
    std::string_view message;
    while (Whole(message)) {
        m_nReadOffset += kHeaderSize + message.size();
        ++m_nReadNumber;
    }
    m_nCount = m_nWritten = m_nReadNumber - m_nFirst;
    m_nBytes = m_nReadOffset;
    if (::ftruncate(m_nDescriptor, static_cast<off_t>(m_nBytes)) != 0) {
        error = SystemError(m_path);
        return false;
    }
    return true;
}

void CQueueFile::Append(std::string_view message)
{
    PutWord(m_strPending, static_cast<std::uint32_t>(message.size()));
    PutWord(m_strPending, Checksum(message));
    m_strPending.append(message);
    ++m_nCount;
}

bool CQueueFile::Flush(std::string& error)
{
    std::size_t done = 0;
    while (done < m_strPending.size()) {
        const auto written =
            ::write(m_nDescriptor, m_strPending.data() + done, m_strPending.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = SystemError(m_path);
            // What was appended is given up, and a part written cut off again, so that the file
            // ends with a whole message; a file that cannot be cut takes nothing more.
            if (::ftruncate(m_nDescriptor, static_cast<off_t>(m_nBytes)) != 0)
                m_bSealed = true;
            m_strPending.clear();
            m_nCount = m_nWritten;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    m_nBytes += m_strPending.size();
    m_strPending.clear();
    m_nWritten = m_nCount;
    return true;
}

bool CQueueFile::Load(std::uint64_t offset, std::size_t count)
{
    if (offset >= m_nBufferOffset && offset + count <= m_nBufferOffset + m_buffer.size())
        return true;
    m_buffer.resize(std::max(count, kReadPiece));
    std::size_t got = 0;
    while (got < m_buffer.size()) {
        const auto read = ::pread(m_nDescriptor, m_buffer.data() + got, m_buffer.size() - got,
                                  static_cast<off_t>(offset + got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    m_buffer.resize(got);
    m_nBufferOffset = offset;
    return got >= count;
}

bool CQueueFile::Whole(std::string_view& message)
{
    if (!Load(m_nReadOffset, kHeaderSize))
        return false;
    const char* header = m_buffer.data() + (m_nReadOffset - m_nBufferOffset);
    const std::uint32_t length = GetWord(header);
    const std::uint32_t checksum = GetWord(header + 4);
    if (length == 0 || length > kLongestMessage || !Load(m_nReadOffset, kHeaderSize + length))
        return false;
    message = std::string_view(m_buffer).substr(m_nReadOffset - m_nBufferOffset + kHeaderSize,
                                                 length);
    return Checksum(message) == checksum;
}

bool CQueueFile::Read(std::uint64_t n, std::string& message)
{
    if (n < m_nReadNumber) {
        m_nReadNumber = m_nFirst;
        m_nReadOffset = 0;
    }
    std::string_view whole;
    while (m_nReadNumber <= n && m_nReadOffset < m_nBytes && Whole(whole)) {
        m_nReadOffset += kHeaderSize + whole.size();
        if (m_nReadNumber++ == n) {
            message.assign(whole);
            return true;
        }
    }
    return false;
}

void CQueueFile::Remove()
{
    if (m_nDescriptor >= 0)
        ::close(m_nDescriptor);
    m_nDescriptor = -1;
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}
