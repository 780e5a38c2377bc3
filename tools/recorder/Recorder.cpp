#include "Recorder.h"

#include "Tell.h"

namespace {

// Rows reach the system at least once a second.
constexpr int kFlushMs = 500;
// What the broker may take to acknowledge the last readings and "offline" at the end.
constexpr std::chrono::seconds kStopWait{3};

} // namespace

CRecorder::CRecorder(const CRecorderOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_session(options)
{
    m_session.SetReadingHandler([this](const CReading& reading) { Take(reading); });
    connect(&m_session, &CMeterSession::Measuring, this, &CRecorder::Measuring);
    connect(&m_session, &CMeterSession::Lost, this, &CRecorder::Lost);
    m_flushTimer.setInterval(kFlushMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &CRecorder::Flush);
}

CRecorder::~CRecorder() = default;

bool CRecorder::Start(std::string& error)
{
    if (!m_options.out.empty()) {
        m_pFile = std::make_unique<CReadingFile>(m_options.out,
                                                 m_options.family == MeterFamily::Zelnar,
                                                 m_options.separator, m_options.decimal,
                                                 m_options.rotateBytes);
        if (!m_pFile->Open(error))
            return false;
    }
    if (m_options.publish) {
        m_pPublisher = std::make_unique<CMqttPublisher>(m_options.mqtt);
        connect(m_pPublisher.get(), &CMqttPublisher::Connected, this, [this] {
            const CMqttSettings& mqtt = m_options.mqtt;
            Tell("connected to the broker at " + mqtt.host + ":" + std::to_string(mqtt.port));
        });
        connect(m_pPublisher.get(), &CMqttPublisher::Disconnected, this, [this](const QString& why) {
            Tell("broker: " + why.toStdString() + "; readings wait in the queue");
        });
        connect(m_pPublisher.get(), &CMqttPublisher::QueueFailed, this, [](const QString& why) {
            Tell("queue: " + why.toStdString() + "; readings wait in memory");
        });
        if (!m_pPublisher->Start(error))
            return false;
    }
    if (!m_session.Start(error)) {
        if (m_pPublisher)
            m_pPublisher->Stop(std::chrono::milliseconds(0));
        return false;
    }
    m_flushTimer.start();
    std::string what = "recording the meter on " + m_options.port + " (" + m_options.command + ")";
    if (m_pFile)
        what += " into " + m_options.out;
    if (m_pPublisher)
        what += (m_pFile ? " and to " : " to ") + m_pPublisher->ReadingTopic();
    Tell(what);
    return true;
}

void CRecorder::Stop()
{
    m_flushTimer.stop();
    m_session.Stop();
    Flush();
    if (m_pPublisher)
        m_pPublisher->Stop(kStopWait);
}

void CRecorder::Take(const CReading& reading)
{
    if (m_pFile)
        m_pFile->Write(reading);
    if (m_pPublisher)
        m_pPublisher->Publish(reading);
}

void CRecorder::Flush()
{
    if (!m_pFile)
        return;
    std::string error;
    const bool flushed = m_pFile->Flush(error);
    if (!flushed && !m_bFileFailed)
        Tell("CSV file: " + error);
    else if (flushed && m_bFileFailed)
        Tell("CSV file: writing again");
    m_bFileFailed = !flushed;
}

void CRecorder::Measuring()
{
    if (!m_bStarted || m_bLost)
        Tell(m_bStarted ? "serial link back; measuring again" : "measuring");
    m_bStarted = true;
    m_bLost = false;
    if (m_pPublisher)
        m_pPublisher->SetStatus("online");
}

void CRecorder::Lost(const QString& reason)
{
    if (!m_bLost)
        Tell(reason.toStdString() + "; trying again every second");
    m_bLost = true;
    if (m_pPublisher)
        m_pPublisher->SetStatus("link lost");
}
