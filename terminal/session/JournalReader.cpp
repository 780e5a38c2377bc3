#include "JournalReader.h"

#include "JournalFolder.h"

#include <QFile>

CJournalReader::CJournalReader(QString session) : m_strSession(std::move(session)) {}

std::uint64_t CJournalReader::Read(const JournalRecord::EntryHandler& entry) const
{
    std::uint64_t records = 0;
    for (const QString& path : CJournalFolder::Files(m_strSession)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            break;
        // Mapped rather than read: a journal file may hold 64 MB.
        const qint64 size = file.size();
        const uchar* bytes = size > 0 ? file.map(0, size) : nullptr;
        if (size > 0 && !bytes)
            break;
        const JournalRecord::CScan scan = JournalRecord::Scan(
            {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size)}, entry);
        records += scan.records;
        if (!scan.complete)
            break;
    }
    return records;
}

CJournalReader::CSummary CJournalReader::Summary() const
{
    CSummary summary;
    summary.entries = Read([&](std::int64_t timeMs, std::string_view) {
        if (summary.firstMs == 0)
            summary.firstMs = timeMs;
        summary.lastMs = timeMs;
    });
    return summary;
}
