#pragma once

#include "JournalLock.h"
#include "JournalStatus.h"
#include "LogSink.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// How large a journal may grow.
struct CJournalLimits
{
    std::int64_t fileBytes = std::int64_t{64} << 20; // one file
    std::int64_t totalBytes = std::int64_t{1} << 30; // all journals in the folder together
};

// The journal of a session: every Log entry with its time, appended to files in a folder of its
// own (see CJournalFolder) by a thread of its own, on the disk (fdatasync) within a fraction of
// a second, so that a kill or a power cut loses at most the last second. Files are cut at the
// file limit; before a new file starts, the oldest files in the folder go until the total fits.
// A folder that cannot be written or a full disk turns the journal off for the rest of the
// session; measuring goes on, and Status() says why.
class CSessionJournal final : public CLogSink
{
public:
    CSessionJournal(const QString& folder, const CJournalLimits& limits);
    // Writes what waits and leaves the journal on the disk: a session that did not end cleanly.
    ~CSessionJournal();
    CSessionJournal(const CSessionJournal&) = delete;
    CSessionJournal& operator=(const CSessionJournal&) = delete;

    // Called on the user-interface thread; cheap: the record waits for the writer.
    void Entry(std::int64_t timeMs, std::string_view head, std::string_view tail) override;
    // The Log was emptied: so is the journal.
    void Cleared() override;

    // A clean end: the journal is removed.
    void Finish();

    CJournalStatus Status() const;
    const QString& Session() const { return m_strSession; }

private:
    void Run();
    // On the writer thread.
    void WriteBatch(std::string_view batch);
    bool StartFile();
    void Restart();
    bool WriteAll(std::string_view bytes);
    void Sync();
    void TurnOff(const std::string& reason);

    const CJournalLimits m_limits;
    QString m_strFolder;
    QString m_strSession;
    std::unique_ptr<CJournalLock> m_pLock;
    std::atomic<bool> m_bOn{false};

    mutable std::mutex m_mutex; // guards everything down to the thread
    std::condition_variable m_wake;
    std::string m_strPending;
    bool m_bClear = false;
    bool m_bStop = false;
    bool m_bRemove = false;
    CJournalStatus m_status;
    std::thread m_thread;

    // The writer thread's own.
    int m_nFile = -1;
    int m_nFileNumber = 0;
    QString m_strFilePath;
    std::int64_t m_nFileSize = 0;
    bool m_bUnsynced = false;
};
