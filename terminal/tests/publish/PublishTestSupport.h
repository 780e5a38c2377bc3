#pragma once

#include <QCoreApplication>

#include <chrono>
#include <functional>

// A hang guard only: each wait ends as soon as what it waits for has happened.
inline constexpr std::chrono::seconds kGuard{120};

// Keeps the event loop going until done() holds; false when the guard runs out first.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds guard = kGuard)
{
    const auto end = std::chrono::steady_clock::now() + guard;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
