#pragma once

#include <QEventLoop>
#include <QTimer>

// Lets the program run as it would under an operator: waiting for events, not polling for them.
inline void RunEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
