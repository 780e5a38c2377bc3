#pragma once

#include <QString>

// The lock of a session journal's folder, held while a program writes it. The system lets go of
// it when that program ends in any way, a kill included, so a journal without a holder is one
// whose session did not end cleanly (or was kept for later).
class CJournalLock
{
public:
    // Takes the lock of the session folder, creating its lock file; Held() tells whether it
    // was taken.
    explicit CJournalLock(const QString& session);
    ~CJournalLock();
    CJournalLock(const CJournalLock&) = delete;
    CJournalLock& operator=(const CJournalLock&) = delete;

    bool Held() const { return m_nFile >= 0; }
    // Why the lock could not be taken.
    const QString& Failure() const { return m_strFailure; }

    // True while a program holds the lock of the session folder.
    static bool IsHeld(const QString& session);

private:
    int m_nFile = -1;
    QString m_strFailure;
};
