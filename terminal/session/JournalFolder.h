#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The folder of the session journals, $XDG_STATE_HOME/telvan-terminal by default: one folder
// per session, named after its start (UTC) and process, that holds the session's lock and its
// files 000001.journal, 000002.journal, ... in the order they were written.
class CJournalFolder
{
public:
    explicit CJournalFolder(QString path);
    // $XDG_STATE_HOME/telvan-terminal, or ~/.local/state/telvan-terminal.
    static QString DefaultPath();

    const QString& Path() const { return m_strPath; }

    // A new session folder's path (not yet made), named after now.
    QString NewSession() const;
    // Where a session is made: it takes its final name once its lock is held, so that no one
    // who looks for sessions nobody writes finds it half made.
    static QString MakingPath(const QString& session);
    // Sessions that no program writes: ended without Exit or kept for later, oldest first.
    QStringList Abandoned() const;
    // The journal files of a session, oldest first.
    static QStringList Files(const QString& session);
    // Removes a session's folder with everything in it.
    static bool Remove(const QString& session);

    // Removes journal files, oldest first, until their total and reserve fit into limit.
    // Sessions nobody writes are removed once their last file has gone, and so are sessions
    // left half made a minute ago or more. Returns the number of files removed.
    int DropOldest(std::int64_t limit, std::int64_t reserve) const;

private:
    QStringList Sessions() const;

    QString m_strPath;
};
