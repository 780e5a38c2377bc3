#pragma once

#include "MeterFamily.h"
#include "ParameterCommand.h"
#include "RecorderOptions.h"
#include "SerialLink.h"

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <string>

// The meter's side of a recorder: opens the port, reads the parameters (Get, for the output
// format and the units), starts the measuring command and hands on a reading for every
// measurement line. When the link is lost or the meter leaves the Get unanswered, it tries
// again every second and starts the command again once the meter answers.
class CMeterSession : public QObject
{
    Q_OBJECT
public:
    explicit CMeterSession(const CRecorderOptions& options, QObject* parent = nullptr);
    ~CMeterSession() override;

    // Readings of the running command, from the thread of the session.
    void SetReadingHandler(CMeterFamily::ReadingHandler handler) { m_handler = std::move(handler); }

    // Opens the port and starts the Get; false with the system's reason when the port cannot
    // be opened.
    bool Start(std::string& error);
    // Stops the measurement (ESC), takes what the meter still sends, and closes the port.
    void Stop();

signals:
    // The command runs: after the start, and again after every recovery.
    void Measuring();
    // The link went away or the meter did not answer the Get; tries follow every second.
    void Lost(const QString& reason);

private:
    // The Classic page's part during a Get: the text the listing is read from.
    struct CListing final : CReplyPage
    {
        void OnData() override;

        bool collecting = false;
        std::string text;
    };

    void StartGet();
    void RunGetStep();
    void TryFinishGet();
    void StartCommand();
    void Write(std::string_view bytes);
    void LoseLink(const QString& reason);
    void TryAgain();

    const CRecorderOptions m_options;
    std::unique_ptr<CMeterFamily> m_pFamily;
    CMeterFamily::ReadingHandler m_handler;
    CSerialLink m_link;
    CListing m_listing;
    CParameterCommand m_get;
    std::size_t m_nGetStep = 0;
    bool m_bMeasuring = false;
    QTimer m_stepTimer;    // the pause after a step of the Get
    QTimer m_answerTimer;  // how long the meter may take to list its parameters
    QTimer m_retryTimer;   // every second while the link is lost
    QTimer* m_quiet = nullptr; // while stopping: started again by every chunk
};
