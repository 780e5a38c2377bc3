#include "SessionJournal.h"
#include "JournalFolder.h"
#include "JournalLock.h"
#include "JournalReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Entries = std::vector<std::string>;

struct SessionJournal : testing::Test
{
    QTemporaryDir dir;
    QString folder = QDir(dir.path()).filePath("telvan-terminal");

    static std::string Line(int n) { return "D+" + std::to_string(1000000 + n); }

    static void Add(CSessionJournal& journal, int first, int count)
    {
        for (int n = first; n < first + count; ++n)
            journal.Entry(n, "12:00:00:000>> ", Line(n));
    }

    static Entries Read(const QString& session, std::vector<std::int64_t>* times = nullptr)
    {
        Entries entries;
        CJournalReader(session).Read([&](std::int64_t time, std::string_view entry) {
            entries.emplace_back(entry);
            if (times)
                times->push_back(time);
        });
        return entries;
    }

    static Entries Expected(int first, int count)
    {
        Entries entries;
        for (int n = first; n < first + count; ++n)
            entries.push_back("12:00:00:000>> " + Line(n));
        return entries;
    }

    QStringList Abandoned() const { return CJournalFolder(folder).Abandoned(); }

    // The writer works on its own: waits until it has come so far (false after a long while).
    static bool WaitFor(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
};

} // namespace

TEST_F(SessionJournal, AJournalNotFinishedIsReadBackWholeInOrderWithItsTimes)
{
    QString session;
    {
        CSessionJournal journal(folder, {});
        EXPECT_TRUE(journal.Status().writing);
        session = journal.Session();
        Add(journal, 0, 3000);
        // Written while the program runs: no one else may take it.
        EXPECT_TRUE(Abandoned().isEmpty());
    }
    ASSERT_EQ(Abandoned(), QStringList{session});
    std::vector<std::int64_t> times;
    EXPECT_EQ(Read(session, &times), Expected(0, 3000));
    ASSERT_EQ(times.size(), 3000u);
    EXPECT_EQ(times[0], 0);
    EXPECT_EQ(times[2999], 2999);
}

TEST_F(SessionJournal, FinishRemovesTheJournal)
{
    CSessionJournal journal(folder, {});
    Add(journal, 0, 10);
    journal.Finish();
    EXPECT_FALSE(QFileInfo::exists(journal.Session()));
    EXPECT_TRUE(Abandoned().isEmpty());
}

TEST_F(SessionJournal, ClearingTheLogClearsTheJournal)
{
    QString session;
    {
        CSessionJournal journal(folder, {});
        session = journal.Session();
        Add(journal, 0, 100);
        journal.Cleared();
        Add(journal, 100, 5);
    }
    EXPECT_EQ(Read(session), Expected(100, 5));
}

TEST_F(SessionJournal, ASessionBeingMadeIsNoOnesToTakeOrRemove)
{
    // Another journal's writer tidies the folder as it starts. A session caught between its
    // folder and its lock is neither abandoned nor empty litter.
    CSessionJournal journal(folder, {});
    const QString making = CJournalFolder::MakingPath(CJournalFolder(folder).NewSession());
    ASSERT_TRUE(QDir().mkpath(making));
    CJournalFolder(folder).DropOldest(std::int64_t{1} << 40, 0);
    EXPECT_TRUE(QFileInfo::exists(making));
    EXPECT_TRUE(Abandoned().isEmpty());
    // The journal made its session in the same way: it is there, under its own name.
    EXPECT_TRUE(QFileInfo::exists(journal.Session()));
    EXPECT_FALSE(QFileInfo::exists(CJournalFolder::MakingPath(journal.Session())));

    // One left half made by a program that ended on the way goes once it is a minute old;
    // one whose maker still holds its lock stays, however old.
    const QString held = CJournalFolder::MakingPath(CJournalFolder(folder).NewSession());
    ASSERT_TRUE(QDir().mkpath(held));
    const CJournalLock lock(held);
    ASSERT_TRUE(lock.Held());
    const timespec minuteAgo{std::time(nullptr) - 61, 0};
    const timespec times[2] = {minuteAgo, minuteAgo};
    for (const QString& path : {making, held})
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    CJournalFolder(folder).DropOldest(std::int64_t{1} << 40, 0);
    EXPECT_FALSE(QFileInfo::exists(making));
    EXPECT_TRUE(QFileInfo::exists(held));
    EXPECT_TRUE(QFileInfo::exists(journal.Session()));
}

TEST_F(SessionJournal, FilesStayWithinTheirLimitAndTheOldestGoFirst)
{
    QString old;
    {
        CSessionJournal earlier(folder, {});
        old = earlier.Session();
        Add(earlier, 0, 10);
    }
    const CJournalLimits limits{4096, 16384};
    QString session;
    {
        CSessionJournal journal(folder, limits);
        session = journal.Session();
        Add(journal, 0, 3000);
        EXPECT_TRUE(WaitFor([&] { return journal.Status().droppedFiles > 1; }));
        EXPECT_TRUE(journal.Status().writing);
    }
    EXPECT_FALSE(QFileInfo::exists(old)) << "the older session's files go first";
    std::int64_t total = 0;
    for (const QString& file : CJournalFolder::Files(session)) {
        EXPECT_LE(QFileInfo(file).size(), limits.fileBytes) << file.toStdString();
        total += QFileInfo(file).size();
    }
    EXPECT_LE(total, limits.totalBytes);
    // What is left is the end of what was written, without a gap.
    const Entries left = Read(session);
    ASSERT_FALSE(left.empty());
    EXPECT_LT(left.size(), 3000u);
    const int kept = static_cast<int>(left.size());
    EXPECT_EQ(left, Expected(3000 - kept, kept));
}

TEST_F(SessionJournal, AFolderThatCannotBeMadeTurnsTheJournalOffAndSaysWhy)
{
    QFile file(folder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CSessionJournal journal(QDir(folder).filePath("journals"), {});
    const CJournalStatus status = journal.Status();
    EXPECT_FALSE(status.writing);
    EXPECT_NE(status.reason.find("Not a directory"), std::string::npos) << status.reason;
    Add(journal, 0, 10); // taken and dropped
    journal.Finish();
}

TEST_F(SessionJournal, AFullDiskTurnsTheJournalOffAndKeepsWhatWasWritten)
{
    // A file size limit fails the writes as a full disk does.
    struct CFileSizeLimit
    {
        rlimit before{};
        CFileSizeLimit()
        {
            std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &before);
            const rlimit limit{64 * 1024, before.rlim_max};
            EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        }
        ~CFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before); }
    } const fileSizeLimit;
    QString session;
    {
        CSessionJournal journal(folder, {});
        session = journal.Session();
        Add(journal, 0, 5000);
        ASSERT_TRUE(WaitFor([&] { return !journal.Status().writing; }));
        EXPECT_EQ(
            journal.Status().reason,
            (QDir::toNativeSeparators(CJournalFolder::Files(session).front()) + ": File too large")
                .toStdString());
        Add(journal, 5000, 10);
    }
    const Entries kept = Read(session);
    EXPECT_GT(kept.size(), 1000u);
    EXPECT_EQ(kept, Expected(0, static_cast<int>(kept.size())));
}
