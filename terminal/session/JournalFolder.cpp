#include "JournalFolder.h"

#include "JournalLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

const QString kFilePattern = QStringLiteral("*.journal");
const QString kMaking = QStringLiteral(".making");
// A session is made in well under a second; one still being made after a minute was left by a
// program that ended on the way.
constexpr qint64 kMakingSeconds = 60;

} // namespace

CJournalFolder::CJournalFolder(QString path) : m_strPath(std::move(path)) {}

QString CJournalFolder::DefaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // The base directory specification ignores relative paths.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/telvan-terminal");
}

QString CJournalFolder::NewSession() const
{
    // Sessions of one process in the same millisecond differ by their number.
    static std::atomic<int> sessions{0};
    const QString start =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    return QDir(m_strPath).filePath(QStringLiteral("%1-%2-%3")
                                        .arg(start)
                                        .arg(QCoreApplication::applicationPid())
                                        .arg(++sessions, 4, 10, QLatin1Char('0')));
}

QString CJournalFolder::MakingPath(const QString& session)
{
    return session + kMaking;
}

QStringList CJournalFolder::Sessions() const
{
    QStringList sessions;
    const QDir folder(m_strPath);
    // The names begin with the start time, so their order is the sessions' order.
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (!name.endsWith(kMaking))
            sessions << folder.filePath(name);
    return sessions;
}

QStringList CJournalFolder::Abandoned() const
{
    QStringList abandoned;
    for (const QString& session : Sessions())
        if (!CJournalLock::IsHeld(session))
            abandoned << session;
    return abandoned;
}

QStringList CJournalFolder::Files(const QString& session)
{
    QStringList files;
    const QDir folder(session);
    for (const QString& name : folder.entryList({kFilePattern}, QDir::Files, QDir::Name))
        files << folder.filePath(name);
    return files;
}

bool CJournalFolder::Remove(const QString& session)
{
    return QDir(session).removeRecursively();
}

int CJournalFolder::DropOldest(std::int64_t limit, std::int64_t reserve) const
{
    QStringList files;
    std::int64_t total = reserve;
    for (const QString& session : Sessions()) {
        for (const QString& file : Files(session)) {
            files << file;
            total += QFileInfo(file).size();
        }
    }
    int dropped = 0;
    for (const QString& file : files) {
        if (total <= limit)
            break;
        const std::int64_t size = QFileInfo(file).size();
        if (QFile::remove(file)) {
            total -= size;
            ++dropped;
        }
    }
    for (const QString& session : Sessions())
        if (Files(session).isEmpty() && !CJournalLock::IsHeld(session))
            Remove(session);
    const QDir folder(m_strPath);
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-kMakingSeconds);
    for (const QFileInfo& making :
         folder.entryInfoList({QLatin1Char('*') + kMaking}, QDir::Dirs | QDir::NoDotAndDotDot))
        if (making.lastModified().toUTC() < settled &&
            !CJournalLock::IsHeld(making.absoluteFilePath()))
            Remove(making.absoluteFilePath());
    return dropped;
}
