#include "JournalLock.h"

#include <QDir>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString LockPath(const QString& session)
{
    return QDir(session).filePath(QStringLiteral("lock"));
}

} // namespace

CJournalLock::CJournalLock(const QString& session)
{
    const int file = ::open(QFile::encodeName(LockPath(session)).constData(),
                            O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0 || ::flock(file, LOCK_EX | LOCK_NB) != 0) {
        m_strFailure = QString::fromLocal8Bit(std::strerror(errno));
        if (file >= 0)
            ::close(file);
        return;
    }
    m_nFile = file;
}

CJournalLock::~CJournalLock()
{
    if (m_nFile >= 0)
        ::close(m_nFile);
}

bool CJournalLock::IsHeld(const QString& session)
{
    const int file = ::open(QFile::encodeName(LockPath(session)).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    const bool held = ::flock(file, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(file);
    return held;
}
