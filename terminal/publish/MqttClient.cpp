#include "MqttClient.h"

#include "HandOver.h"

#include <mosquitto.h>

#include <QMetaObject>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

namespace {

constexpr std::string_view kOffline = "offline";
// Messages the library sends before it waits for acknowledgements; the publisher keeps fewer
// on their way, so the library never holds a queue of its own.
constexpr int kLibraryInFlight = 1100;
constexpr int kRetryMs = 1000;
constexpr int kMiscMs = 1000;
// Acknowledgements are read in batches: nothing waits for them but the queue's bookkeeping,
// and each wake-up of the loop costs more than reading one more. While readings stream in they
// are read as a burst goes out, at most every kReadEveryMs, without a wake-up of their own (the
// library also walks its list of unacknowledged messages for each one: fewer are then on it);
// otherwise the socket is watched again kReadPauseMs after the last read.
constexpr int kReadEveryMs = 20;
constexpr int kReadPauseMs = 50;

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

// Corked, the kernel holds what is written until the socket is uncorked or a segment is full.
void SetCork(int socket, bool on)
{
    const int value = on ? 1 : 0;
    if (socket >= 0)
        setsockopt(socket, IPPROTO_TCP, TCP_CORK, &value, sizeof value);
}

const char* OrNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

} // namespace

CMqttClient::CMqttClient(CMqttSettings settings, std::string willTopic, std::function<void()> wake)
    : m_settings(std::move(settings)), m_strWillTopic(std::move(willTopic)), m_wake(std::move(wake))
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &CMqttClient::Connect);
    m_readPause.setSingleShot(true);
    m_readPause.setInterval(kReadPauseMs);
    connect(&m_readPause, &QTimer::timeout, this, [this] {
        if (m_pRead)
            m_pRead->setEnabled(true);
    });
    m_misc.setInterval(kMiscMs);
    connect(&m_misc, &QTimer::timeout, this, [this] {
        mosquitto_loop_misc(m_pClient);
        Serviced();
    });
}

CMqttClient::~CMqttClient()
{
    Stop();
    if (m_pClient)
        mosquitto_destroy(m_pClient);
}

bool CMqttClient::event(QEvent* event)
{
    CHandOver::Take();
    return QObject::event(event);
}

bool CMqttClient::Start(std::string& error)
{
    InitLibrary();
    // Without a clean session the broker keeps what the client has not acknowledged, and the
    // client resends what the broker has not, across reconnections.
    m_pClient = mosquitto_new(m_settings.clientId.c_str(), false, this);
    if (!m_pClient) {
        error = "cannot make an MQTT client with the ID \"" + m_settings.clientId +
                "\": " + std::strerror(errno);
        return false;
    }
    mosquitto_connect_callback_set(m_pClient, &CMqttClient::OnConnect);
    mosquitto_disconnect_callback_set(m_pClient, &CMqttClient::OnDisconnect);
    mosquitto_publish_callback_set(m_pClient, &CMqttClient::OnPublish);
    mosquitto_int_option(m_pClient, MOSQ_OPT_SEND_MAXIMUM, kLibraryInFlight);
    int rc = mosquitto_will_set(m_pClient, m_strWillTopic.c_str(), static_cast<int>(kOffline.size()),
                                kOffline.data(), 1, true);
    if (rc == MOSQ_ERR_SUCCESS && !m_settings.username.empty())
        rc = mosquitto_username_pw_set(m_pClient, m_settings.username.c_str(),
                                       OrNull(m_settings.password));
    if (rc == MOSQ_ERR_SUCCESS && m_settings.tls) {
        if (m_settings.caFile.empty())
            rc = mosquitto_int_option(m_pClient, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        if (rc == MOSQ_ERR_SUCCESS)
            rc = mosquitto_tls_set(m_pClient, OrNull(m_settings.caFile), nullptr,
                                   OrNull(m_settings.certFile), OrNull(m_settings.keyFile),
                                   nullptr);
    }
    if (rc != MOSQ_ERR_SUCCESS) {
        error = "MQTT settings: " + ErrorText(rc);
        return false;
    }
    Connect();
    return true;
}

void CMqttClient::Connect()
{
    if (m_bStopping || m_connecting.joinable())
        return;
    m_misc.stop();
    const bool first = !m_bConnectedOnce;
    m_connecting = std::thread([this, first] {
        const int rc = first ? mosquitto_connect_async(m_pClient, m_settings.host.c_str(),
                                                       m_settings.port, m_settings.keepAliveSeconds)
                             : mosquitto_reconnect_async(m_pClient);
        CHandOver::Post();
        const CHandOver::CQtPart qt;
        QMetaObject::invokeMethod(this, [this, rc] { Connecting(rc); }, Qt::QueuedConnection);
    });
}

void CMqttClient::Connecting(int rc)
{
    if (!m_connecting.joinable())
        return;
    m_connecting.join();
    if (m_bStopping)
        return;
    if (rc != MOSQ_ERR_SUCCESS) {
        // A name that does not resolve yet, or a broker that refused at once.
        m_retry.start();
        return;
    }
    m_bConnectedOnce = true;
    m_misc.start();
    Watch();
    Serviced();
}

void CMqttClient::Watch()
{
    Unwatch();
    const int socket = mosquitto_socket(m_pClient);
    if (socket < 0)
        return;
    m_pRead = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_pRead, &QSocketNotifier::activated, this, &CMqttClient::Read);
    m_pWrite = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    // Writable is rare (a connection under way, a full socket): the library's whole loop
    // then finishes a TLS handshake too, which its write step alone would not.
    connect(m_pWrite, &QSocketNotifier::activated, this, [this] {
        mosquitto_loop(m_pClient, 0, 1);
        Serviced();
    });
}

void CMqttClient::Read()
{
    mosquitto_loop_read(m_pClient, 1);
    if (m_pRead) {
        m_pRead->setEnabled(false);
        m_readPause.start();
    }
    Serviced();
}

void CMqttClient::Unwatch()
{
    m_readPause.stop();
    // Later: this may run in a notifier's own signal.
    for (QSocketNotifier** notifier : {&m_pRead, &m_pWrite}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
}

void CMqttClient::Serviced()
{
    if (m_pRead && mosquitto_socket(m_pClient) != static_cast<int>(m_pRead->socket())) {
        // The library closed the connection and told its callback why.
        Unwatch();
        m_misc.stop();
        if (!m_bStopping)
            m_retry.start();
    }
    if (m_pWrite)
        m_pWrite->setEnabled(mosquitto_want_write(m_pClient));
    if (!m_events.empty() && !std::exchange(m_bWoken, true) && m_wake)
        m_wake();
}

int CMqttClient::Publish(const std::string& topic, std::string_view payload, int qos, bool retain)
{
    if (m_connecting.joinable())
        return -1;
    // A batch corks the socket at its first message: none, no cost.
    if (m_bBatch && m_nCorked < 0 && m_pWrite) {
        m_nCorked = mosquitto_socket(m_pClient);
        SetCork(m_nCorked, true);
    }
    int mid = 0;
    const int rc = mosquitto_publish(m_pClient, &mid, topic.c_str(),
                                     static_cast<int>(payload.size()), payload.data(), qos, retain);
    // What the socket did not take at once waits for it to be writable.
    if (m_pWrite && !m_pWrite->isEnabled() && mosquitto_want_write(m_pClient))
        m_pWrite->setEnabled(true);
    return rc == MOSQ_ERR_SUCCESS ? mid : -1;
}

void CMqttClient::BeginBatch()
{
    m_bBatch = true;
    // The pause after the last read is under way for kReadEveryMs or more.
    if (m_readPause.isActive() && m_readPause.remainingTime() <= kReadPauseMs - kReadEveryMs)
        Read();
}

void CMqttClient::EndBatch()
{
    m_bBatch = false;
    if (m_nCorked >= 0)
        SetCork(std::exchange(m_nCorked, -1), false);
}

void CMqttClient::TakeEvents(std::vector<CEvent>& events)
{
    events.clear();
    m_bWoken = false;
    // Swapping keeps both vectors' room, so that taking notes allocates nothing.
    std::swap(events, m_events);
}

void CMqttClient::WaitForEvents(std::chrono::steady_clock::time_point deadline)
{
    while (m_events.empty() && m_pRead) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        mosquitto_loop(m_pClient, static_cast<int>(left.count()), 1);
        Serviced();
    }
}

void CMqttClient::Stop()
{
    if (!m_pClient || m_bStopping)
        return;
    m_bStopping = true;
    m_retry.stop();
    m_misc.stop();
    if (m_connecting.joinable())
        m_connecting.join();
    // DISCONNECT goes out at once, or not at all: the broker then sends the last will.
    mosquitto_disconnect(m_pClient);
    if (mosquitto_want_write(m_pClient))
        mosquitto_loop_write(m_pClient, 1);
    Unwatch();
}

void CMqttClient::Note(const CEvent& event)
{
    m_events.push_back(event);
}

void CMqttClient::OnConnect(mosquitto*, void* client, int code)
{
    static_cast<CMqttClient*>(client)->Note({CEvent::Kind::Connected, code, 0});
}

void CMqttClient::OnDisconnect(mosquitto*, void* client, int code)
{
    static_cast<CMqttClient*>(client)->Note({CEvent::Kind::Disconnected, code, 0});
}

void CMqttClient::OnPublish(mosquitto*, void* client, int mid)
{
    static_cast<CMqttClient*>(client)->Note({CEvent::Kind::Published, 0, mid});
}

std::string CMqttClient::ConnectText(int code)
{
    return mosquitto_connack_string(code);
}

std::string CMqttClient::ErrorText(int code)
{
    if (code == MOSQ_ERR_ERRNO)
        return std::strerror(errno);
    return mosquitto_strerror(code);
}
