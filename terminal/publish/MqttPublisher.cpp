#include "MqttPublisher.h"

#include <QMetaObject>

namespace {

// Readings on their way to the broker, not yet acknowledged.
constexpr std::size_t kInFlight = 1000;
// Twice a second, so that no reading waits in memory longer than a second.
constexpr int kSaveMs = 500;

} // namespace

CMqttPublisher::CMqttPublisher(CMqttSettings settings, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)), m_strReadingTopic(Topic("reading")),
      m_queue(m_settings.queueFolder, m_settings.queueBytes)
{
    // Readings that arrive together go to the library together, once the caller is done, and
    // leave in one corked burst.
    m_sendTimer.setSingleShot(true);
    m_sendTimer.setInterval(0);
    connect(&m_sendTimer, &QTimer::timeout, this, &CMqttPublisher::Send);
    m_saveTimer.setInterval(kSaveMs);
    connect(&m_saveTimer, &QTimer::timeout, this, [this] {
        // Acknowledgements taken first spare their readings the disk.
        HandleEvents();
        Save(false);
    });
}

CMqttPublisher::~CMqttPublisher()
{
    if (m_pClient)
        m_pClient->Stop();
}

std::string CMqttPublisher::Topic(const char* leaf) const
{
    return m_settings.topicPrefix + '/' + m_settings.clientId + '/' + leaf;
}

bool CMqttPublisher::Start(std::string& error)
{
    if (!m_queue.Open(error))
        return false;
    m_pClient = std::make_unique<CMqttClient>(m_settings, StatusTopic(), [this] {
        QMetaObject::invokeMethod(this, &CMqttPublisher::HandleEvents, Qt::QueuedConnection);
    });
    if (!m_pClient->Start(error))
        return false;
    m_saveTimer.start();
    return true;
}

void CMqttPublisher::Publish(const CReading& reading)
{
    m_queue.Push(m_message.Json(reading));
    if (!m_sendTimer.isActive())
        m_sendTimer.start();
}

void CMqttPublisher::SetStatus(const std::string& status)
{
    m_strStatus = status;
    if (m_bConnected)
        PublishState();
}

void CMqttPublisher::PublishState()
{
    if (!m_strStatus.empty())
        m_nStatusMid = m_pClient->Publish(StatusTopic(), m_strStatus, 1, true);
    PublishDropped();
}

void CMqttPublisher::PublishDropped()
{
    m_nDropped += m_queue.TakeDropped();
    if (m_nDropped > 0 && m_bConnected &&
        m_pClient->Publish(DroppedTopic(), "{\"dropped\":" + std::to_string(m_nDropped) + '}', 1,
                           false) >= 0)
        m_nDropped = 0;
}

void CMqttPublisher::Send()
{
    std::uint64_t number = 0;
    m_pClient->BeginBatch();
    while (m_bConnected && !m_bResending && m_inFlight.size() < kInFlight &&
           m_queue.Next(number, m_strPayload)) {
        const int mid = m_pClient->Publish(ReadingTopic(), m_strPayload, m_settings.qos, false);
        if (mid < 0) {
            // The connection is gone; the library's note of it is on its way.
            m_queue.Unsend(number);
            break;
        }
        m_inFlight[mid] = number;
    }
    m_pClient->EndBatch();
}

void CMqttPublisher::HandleEvents()
{
    m_pClient->TakeEvents(m_events);
    for (const CMqttClient::CEvent& event : m_events)
        Handle(event);
    Send();
}

void CMqttPublisher::Handle(const CMqttClient::CEvent& event)
{
    switch (event.kind) {
    case CMqttClient::CEvent::Kind::Connected:
        if (event.code != 0) {
            emit Disconnected(QString::fromStdString(CMqttClient::ConnectText(event.code)));
            return;
        }
        m_bConnected = true;
        m_bResending = !m_inFlight.empty();
        PublishState();
        emit Connected();
        break;
    case CMqttClient::CEvent::Kind::Disconnected:
        if (!m_bConnected)
            return;
        m_bConnected = false;
        emit Disconnected(QString::fromStdString(CMqttClient::ErrorText(event.code)));
        break;
    case CMqttClient::CEvent::Kind::Published: {
        if (event.mid == m_nStatusMid)
            m_nStatusMid = -1;
        const auto sent = m_inFlight.find(event.mid);
        if (sent == m_inFlight.end())
            return;
        m_queue.Acknowledge(sent->second);
        m_inFlight.erase(sent);
        if (m_inFlight.empty())
            m_bResending = false;
        break;
    }
    }
}

void CMqttPublisher::Save(bool all)
{
    std::string error;
    const bool saved = m_queue.Save(all, error);
    if (!saved && !m_bQueueFailed)
        emit QueueFailed(QString::fromStdString(error));
    m_bQueueFailed = !saved;
    PublishDropped();
}

void CMqttPublisher::Stop(std::chrono::milliseconds wait)
{
    if (!m_pClient)
        return;
    m_saveTimer.stop();
    m_sendTimer.stop();
    const auto deadline = std::chrono::steady_clock::now() + wait;
    m_strStatus = "offline";
    Send();
    if (m_bConnected)
        PublishState();
    while (m_bConnected && (m_nStatusMid >= 0 || !m_inFlight.empty()) &&
           std::chrono::steady_clock::now() < deadline) {
        m_pClient->WaitForEvents(deadline);
        m_pClient->TakeEvents(m_events);
        for (const CMqttClient::CEvent& event : m_events)
            Handle(event);
    }
    Save(true);
    m_pClient->Stop();
}
