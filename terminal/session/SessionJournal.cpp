#include "SessionJournal.h"

#include "JournalFolder.h"
#include "JournalRecord.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The writer wakes this often, so what was listed is on the disk well within a second.
constexpr auto kFlushPeriod = std::chrono::milliseconds(200);
// This much waiting wakes the writer before its time.
constexpr std::size_t kEagerBytes = std::size_t{1} << 20;
// A disk that takes more than this much behind is not keeping up: the journal goes off rather
// than fill the memory.
constexpr std::size_t kMostPending = std::size_t{64} << 20;

std::string SystemReason(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString() + ": " + std::strerror(errno);
}

CJournalLimits Effective(CJournalLimits limits)
{
    limits.fileBytes = std::max<std::int64_t>(1, std::min(limits.fileBytes, limits.totalBytes));
    return limits;
}

} // namespace

CSessionJournal::CSessionJournal(const QString& folder, const CJournalLimits& limits)
    : m_limits(Effective(limits)), m_strFolder(folder),
      m_strSession(CJournalFolder(folder).NewSession())
{
    // mkpath does not say why it failed; mkdir of the folder itself does.
    if (!QDir().mkpath(folder) && ::mkdir(QFile::encodeName(folder).constData(), 0700) != 0) {
        m_status.reason = SystemReason(folder);
        return;
    }
    const QString making = CJournalFolder::MakingPath(m_strSession);
    if (::mkdir(QFile::encodeName(making).constData(), 0700) != 0) {
        m_status.reason = SystemReason(making);
        return;
    }
    m_pLock = std::make_unique<CJournalLock>(making);
    if (!m_pLock->Held()) {
        m_status.reason = QDir::toNativeSeparators(making).toStdString() + ": " +
                          m_pLock->Failure().toStdString();
        return;
    }
    // The lock moves with its folder.
    if (::rename(QFile::encodeName(making).constData(),
                 QFile::encodeName(m_strSession).constData()) != 0) {
        m_status.reason = SystemReason(m_strSession);
        m_pLock.reset();
        return;
    }
    m_status.writing = true;
    m_bOn = true;
    m_thread = std::thread(&CSessionJournal::Run, this);
}

CSessionJournal::~CSessionJournal()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CSessionJournal::Entry(std::int64_t timeMs, std::string_view head, std::string_view tail)
{
    if (!m_bOn.load(std::memory_order_relaxed))
        return;
    const std::lock_guard lock(m_mutex);
    JournalRecord::Append(m_strPending, timeMs, head, tail);
    if (m_strPending.size() >= kMostPending) {
        m_strPending.clear();
        m_bOn = false;
        m_status.writing = false;
        m_status.reason = "the disk does not keep up";
    }
    // Only a large heap wakes the writer early: a wake per entry would cost a system call each.
    if (m_strPending.size() >= kEagerBytes)
        m_wake.notify_one();
}

void CSessionJournal::Cleared()
{
    if (!m_bOn)
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_strPending.clear();
        m_bClear = true;
    }
    m_wake.notify_one();
}

void CSessionJournal::Finish()
{
    m_bOn = false;
    if (!m_thread.joinable()) {
        if (m_pLock && m_pLock->Held())
            CJournalFolder::Remove(m_strSession);
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_bStop = true;
        m_bRemove = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

CJournalStatus CSessionJournal::Status() const
{
    const std::lock_guard lock(m_mutex);
    return m_status;
}

void CSessionJournal::Run()
{
    StartFile();
    std::string batch;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait_for(lock, kFlushPeriod, [this] {
            return m_bStop || m_bClear || m_strPending.size() >= kEagerBytes;
        });
        // The emptied batch hands its room back, so the steady state allocates nothing.
        batch.clear();
        batch.swap(m_strPending);
        const bool clear = std::exchange(m_bClear, false);
        const bool stop = m_bStop;
        lock.unlock();
        if (clear && m_bOn)
            Restart();
        if (m_bOn)
            WriteBatch(batch);
        Sync();
        lock.lock();
        if (stop)
            break;
    }
    const bool remove = m_bRemove;
    lock.unlock();
    if (m_nFile >= 0)
        ::close(m_nFile);
    m_nFile = -1;
    if (remove)
        CJournalFolder::Remove(m_strSession);
}

void CSessionJournal::WriteBatch(std::string_view batch)
{
    while (!batch.empty() && m_bOn) {
        // Whole records only: a file ends with a complete record unless the writing failed.
        const bool fresh = m_nFileSize <= static_cast<std::int64_t>(JournalRecord::kMagic.size());
        std::size_t take = 0;
        while (take < batch.size()) {
            const std::size_t size = JournalRecord::RecordSize(batch.substr(take));
            const bool fits =
                m_nFileSize + static_cast<std::int64_t>(take + size) <= m_limits.fileBytes;
            if (!fits && !(fresh && take == 0))
                break;
            take += size;
        }
        if (take > 0 && !WriteAll(batch.substr(0, take)))
            return;
        batch.remove_prefix(take);
        if (!batch.empty() && !StartFile())
            return;
    }
}

bool CSessionJournal::StartFile()
{
    if (m_nFile >= 0) {
        Sync();
        ::close(m_nFile);
        m_nFile = -1;
    }
    const int dropped =
        CJournalFolder(m_strFolder).DropOldest(m_limits.totalBytes, m_limits.fileBytes);
    if (dropped > 0) {
        const std::lock_guard lock(m_mutex);
        m_status.droppedFiles += dropped;
    }
    m_strFilePath =
        QDir(m_strSession)
            .filePath(QStringLiteral("%1.journal").arg(++m_nFileNumber, 6, 10, QLatin1Char('0')));
    m_nFile = ::open(QFile::encodeName(m_strFilePath).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (m_nFile < 0) {
        TurnOff(SystemReason(m_strFilePath));
        return false;
    }
    m_nFileSize = 0;
    if (!WriteAll(JournalRecord::kMagic))
        return false;
    // The new file's name is on the disk too, not only its bytes.
    const int folder =
        ::open(QFile::encodeName(m_strSession).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void CSessionJournal::Restart()
{
    if (m_nFile >= 0)
        ::close(m_nFile);
    m_nFile = -1;
    for (const QString& file : CJournalFolder::Files(m_strSession))
        QFile::remove(file);
    StartFile();
}

bool CSessionJournal::WriteAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_nFile, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            TurnOff(SystemReason(m_strFilePath));
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        m_nFileSize += written;
        m_bUnsynced = true;
    }
    return true;
}

void CSessionJournal::Sync()
{
    if (!m_bUnsynced || m_nFile < 0)
        return;
    m_bUnsynced = false;
    if (::fdatasync(m_nFile) != 0)
        TurnOff(SystemReason(m_strFilePath));
}

void CSessionJournal::TurnOff(const std::string& reason)
{
    m_bOn = false;
    if (m_nFile >= 0)
        ::close(m_nFile);
    m_nFile = -1;
    const std::lock_guard lock(m_mutex);
    m_strPending.clear();
    m_status.writing = false;
    m_status.reason = reason;
}
