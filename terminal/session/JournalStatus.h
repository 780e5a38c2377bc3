#pragma once

#include <string>

// How the session journal fares, for the status bar.
struct CJournalStatus
{
    bool writing = false;
    std::string reason;   // why it is off
    int droppedFiles = 0; // old journal files removed to keep the total within its limit

    bool operator==(const CJournalStatus&) const = default;
};
