#pragma once

#include <QEventLoop>
#include <QTimer>

// Lets the time pass while events are handled as they come: replies keep arriving and windows
// keep drawing. Waits for events rather than polling for them.
inline void WaitWithEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
