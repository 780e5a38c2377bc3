#include "DesktopPublisher.h"

#include "BrokerUrl.h"
#include "JournalFolder.h"
#include "MqttPublisher.h"
#include "SerialLink.h"
#include "TerminalSettings.h"
#include "TerminalState.h"

#include <chrono>
#include <filesystem>

namespace {

// What the broker may take to acknowledge the last readings and "offline" when publishing
// stops: the port's Disconnect waits for it at most this long.
constexpr std::chrono::seconds kStopWait{1};

} // namespace

CDesktopPublisher::CDesktopPublisher(CSerialLink& link, QObject* parent)
    : QObject(parent), m_link(link), m_options(CTerminalSettings().Mqtt())
{
    connect(&link, &CSerialLink::Opened, this, &CDesktopPublisher::Start);
    connect(&link, &CSerialLink::Closed, this, &CDesktopPublisher::Stop);
}

CDesktopPublisher::~CDesktopPublisher()
{
    Stop();
}

QString CDesktopPublisher::QueueRoot()
{
    return CJournalFolder::DefaultPath() + QStringLiteral("-mqtt");
}

bool CDesktopPublisher::Settings(const CMqttOptions& options, const std::string& portName,
                                 CMqttSettings& settings, std::string& error)
{
    if (!ParseBrokerUrl(options.strBroker, settings, error))
        return false;
    if (!IsTopicPart(options.strTopicPrefix, true)) {
        error = "the topic prefix must not be empty, hold + or #, or begin or end with /";
        return false;
    }
    settings.clientId = options.strClientId.empty()
                            ? std::filesystem::path(portName).filename().string()
                            : options.strClientId;
    if (!IsTopicPart(settings.clientId, false)) {
        error = "the client ID must not be empty or hold +, # or /";
        return false;
    }
    if (options.strQos != "0" && options.strQos != "1") {
        error = "the QoS must be 0 or 1";
        return false;
    }
    settings.topicPrefix = options.strTopicPrefix;
    settings.qos = options.strQos == "1" ? 1 : 0;
    settings.queueFolder =
        (QueueRoot() + QStringLiteral("/queue-") + QString::fromStdString(settings.clientId))
            .toStdString();
    return true;
}

QString CDesktopPublisher::Apply(const CMqttOptions& options)
{
    CMqttSettings settings;
    std::string error;
    if (!Settings(options, m_link.Settings().portName, settings, error))
        return QString::fromStdString(error);
    if (options != m_options) {
        Stop();
        m_options = options;
        CTerminalSettings().SetMqtt(m_options);
    }
    // Also a second try, after the broker's settings or the queue's folder failed.
    if (g_bConnected)
        Start();
    return {};
}

CDesktopPublisher::ReadingHandler CDesktopPublisher::Handler()
{
    return [this](const CReading& reading) {
        if (m_pPublisher)
            m_pPublisher->Publish(reading);
    };
}

void CDesktopPublisher::Start()
{
    if (!m_options.bPublish || m_pPublisher)
        return;
    CMqttSettings settings;
    std::string error;
    std::unique_ptr<CMqttPublisher> publisher;
    if (Settings(m_options, m_link.Settings().portName, settings, error))
        publisher = std::make_unique<CMqttPublisher>(settings);
    if (!publisher || !publisher->Start(error)) {
        emit StateChanged(
            QStringLiteral("MQTT: not publishing: %1").arg(QString::fromStdString(error)));
        return;
    }
    const QString topic = QString::fromStdString(publisher->ReadingTopic());
    connect(publisher.get(), &CMqttPublisher::Connected, this, [this, topic] {
        emit StateChanged(QStringLiteral("MQTT: publishing to %1").arg(topic));
    });
    connect(publisher.get(), &CMqttPublisher::Disconnected, this, [this](const QString& why) {
        emit StateChanged(QStringLiteral("MQTT: %1; readings wait in the queue").arg(why));
    });
    connect(publisher.get(), &CMqttPublisher::QueueFailed, this, [this](const QString& why) {
        emit StateChanged(QStringLiteral("MQTT queue: %1; readings wait in memory").arg(why));
    });
    publisher->SetStatus("online");
    m_pPublisher = std::move(publisher);
    emit StateChanged(
        QStringLiteral("MQTT: connecting to %1").arg(QString::fromStdString(m_options.strBroker)));
    emit PublishingChanged(true);
}

void CDesktopPublisher::Stop()
{
    if (m_pPublisher) {
        emit PublishingChanged(false);
        m_pPublisher->Stop(kStopWait);
        m_pPublisher.reset();
    }
    // Also what told why publishing could not start.
    emit StateChanged({});
}
