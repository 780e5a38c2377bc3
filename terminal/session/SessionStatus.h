#pragma once

#include "JournalStatus.h"

#include <cstddef>
#include <string>

// What a main dialog's status bar shows, gathered on the dialog's timer.
struct CSessionStatus
{
    enum class Link
    {
        NotConnected,
        Connected,
        Reconnecting,
        Simulation,
    };

    Link link = Link::NotConnected;
    std::string family; // "Zelnar" or "Quorin"
    std::string port;
    int baudRate = 0;
    double linesPerSecond = 0;
    std::size_t logEntries = 0;
    CJournalStatus journal;
};

// The texts of the status bar's fields.
struct CStatusTexts
{
    std::string connection;
    std::string rate;
    std::string entries;
    std::string journal;

    bool operator==(const CStatusTexts&) const = default;
};

CStatusTexts StatusTexts(const CSessionStatus& status);
