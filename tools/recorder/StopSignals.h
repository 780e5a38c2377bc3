#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

// SIGTERM and SIGINT as a Qt signal on the thread that made this object. The two are read
// from a descriptor: Block must run before any thread starts, so that every thread inherits the
// blocked mask and none of them takes the signals.
class CStopSignals : public QObject
{
    Q_OBJECT
public:
    static void Block();

    explicit CStopSignals(QObject* parent = nullptr);
    ~CStopSignals() override;

signals:
    void Stop();

private:
    int m_nDescriptor = -1;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
