#pragma once

#include "LinkSettings.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

#include <memory>
#include <optional>
#include <string>

class QThread;

// The reader thread's side of the link: it owns the port, hands what arrives over in batches,
// one at a time and at most one every few milliseconds, and does the writes and settings the
// link asks for. It never waits for the user-interface thread, so that thread may always wait
// for it.
class CPortReader : public QObject
{
    Q_OBJECT
public:
    explicit CPortReader(std::string path);

    bool Open(const CLinkSettings& settings, std::string& reason);
    // All settings or none: a port that refuses one keeps the settings it had.
    bool Configure(const CLinkSettings& settings, std::string& reason);
    void StartReading();
    // The user-interface thread is done with the last batch: hand over the next one.
    void BatchTaken();
    qint64 Write(const char* bytes, qint64 length);
    // Closes the port and goes back to the thread that made this object, to be deleted there.
    void Close();

signals:
    void BatchRead(const QByteArray& bytes);
    void PortFailed();

protected:
    // The link's calls arrive as events posted by the user-interface thread.
    bool event(QEvent* event) override;

private:
    void ReadStep();
    void PortError(QSerialPort::SerialPortError error);
    bool Apply(const CLinkSettings& settings);

    const std::string m_strPath;
    QThread* m_pHome = nullptr;
    std::optional<CLinkSettings> m_applied; // what the port runs with
    std::unique_ptr<QSerialPort> m_pPort;
    bool m_bReading = false;
    bool m_bBatchOut = false; // handed over and not yet taken
};
