#include "RecoveryOffer.h"

#include "JournalFolder.h"
#include "JournalReader.h"
#include "LogPage.h"
#include "UserDialogs.h"

#include <QDateTime>

namespace {

enum Choice
{
    Recover,
    Discard,
    Keep,
};

QString LocalTime(std::int64_t ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

void OfferRecovery(const QStringList& sessions, CLogPage& log)
{
    for (const QString& session : sessions) {
        const CJournalReader journal(session);
        const CJournalReader::CSummary summary = journal.Summary();
        if (summary.entries == 0) {
            CJournalFolder::Remove(session);
            continue;
        }
        const QString text =
            QStringLiteral("A session did not end cleanly: its journal holds %1 Log entries, "
                           "from %2 to %3.\n\nRecover them into the Log page, discard them, or "
                           "keep them for later?")
                .arg(summary.entries)
                .arg(LocalTime(summary.firstMs), LocalTime(summary.lastMs));
        switch (CUserDialogs::Ask(&log, text, {"Recover", "Discard", "Keep for later"})) {
        case Recover:
            // The entries are in this session's journal now.
            log.Recover(journal);
            CJournalFolder::Remove(session);
            break;
        case Discard:
            CJournalFolder::Remove(session);
            break;
        default:
            break;
        }
    }
}
