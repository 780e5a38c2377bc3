#include "ReplacingFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CReplacingFile::CReplacingFile(const std::string& path) : m_strPath(path)
{
    // A name of its own beside the target: O_EXCL refuses one that exists.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_strTemporary = path + ".part" + std::to_string(attempt);
        const int fd =
            ::open(m_strTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // A replaced file keeps its permissions.
            struct stat existing
            {
            };
            if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
                ::fchmod(fd, existing.st_mode & 07777);
            m_pFile = ::fdopen(fd, "wb");
            if (!m_pFile) {
                ::close(fd);
                ::unlink(m_strTemporary.c_str());
            }
            return;
        }
        if (errno != EEXIST)
            return;
    }
}

CReplacingFile::~CReplacingFile()
{
    if (m_pFile) {
        std::fclose(m_pFile);
        ::unlink(m_strTemporary.c_str());
    }
}

bool CReplacingFile::Write(std::string_view bytes)
{
    m_bWritten = m_bWritten && m_pFile &&
                 std::fwrite(bytes.data(), 1, bytes.size(), m_pFile) == bytes.size();
    return m_bWritten;
}

bool CReplacingFile::Commit()
{
    if (!m_pFile)
        return false;
    bool written = m_bWritten && std::fflush(m_pFile) == 0 && ::fsync(::fileno(m_pFile)) == 0;
    written = std::fclose(m_pFile) == 0 && written;
    m_pFile = nullptr;
    if (written && std::rename(m_strTemporary.c_str(), m_strPath.c_str()) == 0)
        return true;
    ::unlink(m_strTemporary.c_str());
    return false;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    CReplacingFile file(path);
    return file.Write(bytes) && file.Commit();
}
