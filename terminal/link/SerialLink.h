#pragma once

#include "Link.h"

#include <QObject>
#include <QThread>

#include <memory>
#include <string>

class CPortReader;

// The link on a serial port. One reader thread per open port reads what arrives and hands it
// over in batches; the user-interface thread cuts each batch into the chunks of at most 100
// bytes the receiver takes, and the reader waits for a batch to be taken before it hands over
// the next, so chunks arrive one at a time and in order. The
// reader never blocks on the user-interface thread, so ClosePort can wait for it without
// keeping events going, and returns at once whatever the device sends or a chunk waits.
class CSerialLink : public QObject, public CLink
{
    Q_OBJECT
public:
    explicit CSerialLink(QObject* parent = nullptr);
    ~CSerialLink() override;

    void SetReceiver(Receiver receiver) override { m_receiver = std::move(receiver); }
    void SetLostHandler(LostHandler handler) override { m_lostHandler = std::move(handler); }
    void SetSettings(const CLinkSettings& settings) override { m_settings = settings; }

    bool OpenPort() override;
    bool ConfigurePort() override;
    void ClosePort() override;
    int WritePort(const char* bytes, int length) override;

    std::string FailureText() const override { return m_strFailure; }
    const CLinkSettings& Settings() const { return m_settings; }

signals:
    // The port is open and its reader runs.
    void Opened();
    // The port was closed: by the operator, by a lost connection, or as the link ends.
    void Closed();

protected:
    // Chunks and failures arrive as events posted by the reader.
    bool event(QEvent* event) override;

private:
    // Runs the call on the reader thread; a blocking one returns when it is done.
    template <class Call> void CallReader(Call&& call, Qt::ConnectionType type);
    void Deliver(unsigned opening, const QByteArray& bytes);
    void Lost(unsigned opening);
    void StopReader();
    void Fail(std::string_view headline, const std::string& reason);

    CLinkSettings m_settings;
    Receiver m_receiver;
    LostHandler m_lostHandler;
    QThread m_thread;
    std::unique_ptr<CPortReader> m_pReader; // while the port is open
    // Counts opens and closes: what the reader sent before a close is dropped on arrival.
    unsigned m_nOpening = 0;
    std::string m_strFailure;
};
