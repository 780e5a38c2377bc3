#include "SessionStatus.h"

#include <cmath>

namespace {

std::string Connection(const CSessionStatus& status)
{
    const std::string line =
        status.family + " on " + status.port + " at " + std::to_string(status.baudRate) + " baud";
    switch (status.link) {
    case CSessionStatus::Link::Connected:
        return line;
    case CSessionStatus::Link::Reconnecting:
        return "reconnecting\u2026 " + line;
    case CSessionStatus::Link::Simulation:
        return status.family + " simulation";
    case CSessionStatus::Link::NotConnected:
        break;
    }
    return "not connected";
}

std::string Journal(const CJournalStatus& journal)
{
    if (!journal.writing)
        return journal.reason.empty() ? "no journal" : "journal off: " + journal.reason;
    std::string text = "journal writing";
    if (journal.droppedFiles == 1)
        text += ", 1 old file dropped";
    else if (journal.droppedFiles > 1)
        text += ", " + std::to_string(journal.droppedFiles) + " old files dropped";
    return text;
}

} // namespace

CStatusTexts StatusTexts(const CSessionStatus& status)
{
    const long rate = std::lround(status.linesPerSecond);
    return {Connection(status), std::to_string(rate) + " lines/s",
            std::to_string(status.logEntries) + (status.logEntries == 1 ? " entry" : " entries"),
            Journal(status.journal)};
}
