#pragma once

#include "MeterSession.h"
#include "MqttPublisher.h"
#include "ReadingFile.h"
#include "RecorderOptions.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

// The work of telvan-recorder: the readings of the meter into the CSV file and to the broker,
// what happens on standard error and in the status topic ("online", "link lost", "offline").
class CRecorder : public QObject
{
    Q_OBJECT
public:
    explicit CRecorder(const CRecorderOptions& options, QObject* parent = nullptr);
    ~CRecorder() override;

    // Opens the file, the broker's queue and the port; false with one line saying why.
    bool Start(std::string& error);
    // ESC to the meter, the file flushed, "offline" published.
    void Stop();

private:
    void Take(const CReading& reading);
    void Flush();
    void Measuring();
    void Lost(const QString& reason);

    const CRecorderOptions m_options;
    CMeterSession m_session;
    std::unique_ptr<CReadingFile> m_pFile;
    std::unique_ptr<CMqttPublisher> m_pPublisher;
    QTimer m_flushTimer;
    bool m_bStarted = false; // the command ran once
    bool m_bLost = false;
    bool m_bFileFailed = false;
};
