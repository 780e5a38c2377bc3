#pragma once

#include "JournalRecord.h"

#include <QString>

#include <cstdint>

// Reads the journal of a session back, as after a crash: the records of its files in order, up
// to the first one that is cut short or damaged; nothing after it is taken, so what is read
// is a gapless start of what was written.
class CJournalReader
{
public:
    explicit CJournalReader(QString session);

    // Calls entry for each record; returns how many there were.
    std::uint64_t Read(const JournalRecord::EntryHandler& entry) const;

    // What the journal holds, for the operator to decide on.
    struct CSummary
    {
        std::uint64_t entries = 0;
        std::int64_t firstMs = 0;
        std::int64_t lastMs = 0;
    };
    CSummary Summary() const;

private:
    QString m_strSession;
};
