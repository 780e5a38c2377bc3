#include "MqttClient.h"

#include <mosquitto.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

namespace {

constexpr std::string_view kOffline = "offline";
// Messages the library sends before it waits for acknowledgements; the publisher keeps fewer
// on their way, so the library never holds a queue of its own.
constexpr int kLibraryInFlight = 1100;
constexpr int kLoopMs = 1000;
constexpr std::chrono::seconds kRetry{1};
// Acknowledgements that wake the owner; fewer wait until it takes them.
constexpr std::size_t kAcknowledgementsPerWake = 100;

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

const char* OrNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

} // namespace

CMqttClient::CMqttClient(CMqttSettings settings, std::string willTopic, std::function<void()> wake)
    : m_settings(std::move(settings)), m_strWillTopic(std::move(willTopic)), m_wake(std::move(wake))
{
}

CMqttClient::~CMqttClient()
{
    Stop();
    if (m_pClient)
        mosquitto_destroy(m_pClient);
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
    mosquitto_reconnect_delay_set(m_pClient, 1, 1, false);
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
    // The loop runs on the client's own thread: publishing wakes it.
    mosquitto_threaded_set(m_pClient, true);
    m_thread = std::thread(&CMqttClient::Run, this);
    return true;
}

void CMqttClient::Run()
{
    // The library is never called under m_mutex: its callbacks take m_mutex while they hold
    // the library's own locks.
    bool first = true;
    while (!m_bStopping) {
        const int rc = first ? mosquitto_connect_async(m_pClient, m_settings.host.c_str(),
                                                       m_settings.port, m_settings.keepAliveSeconds)
                             : mosquitto_reconnect_async(m_pClient);
        // Once a connection is under way the library's loop keeps it, and tries again every
        // second after it breaks; it returns when the client disconnects. A Stop that came
        // before this check disconnected too early to end the loop, so it is done here.
        if (rc == MOSQ_ERR_SUCCESS) {
            first = false;
            if (m_bStopping) {
                mosquitto_disconnect(m_pClient);
                return;
            }
            mosquitto_loop_forever(m_pClient, kLoopMs, 1);
        }
        std::unique_lock lock(m_mutex);
        m_noted.wait_for(lock, kRetry, [this] { return m_bStopping.load(); });
    }
}

int CMqttClient::Publish(const std::string& topic, std::string_view payload, int qos, bool retain)
{
    int mid = 0;
    const int rc = mosquitto_publish(m_pClient, &mid, topic.c_str(),
                                     static_cast<int>(payload.size()), payload.data(), qos, retain);
    return rc == MOSQ_ERR_SUCCESS ? mid : -1;
}

void CMqttClient::TakeEvents(std::vector<CEvent>& events)
{
    events.clear();
    const std::lock_guard lock(m_mutex);
    m_bWoken = false;
    // Swapping keeps both vectors' room, so that taking notes allocates nothing.
    std::swap(events, m_events);
}

void CMqttClient::WaitForEvents(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    m_noted.wait_until(lock, deadline, [this] { return !m_events.empty(); });
}

void CMqttClient::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_noted.notify_all();
    // The library's loop ends once it sees the client disconnected, at the latest after the
    // second it waits between tries.
    mosquitto_disconnect(m_pClient);
    m_thread.join();
}

void CMqttClient::Note(const CEvent& event)
{
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        m_events.push_back(event);
        if (event.kind != CEvent::Kind::Published || m_events.size() >= kAcknowledgementsPerWake)
            wake = !std::exchange(m_bWoken, true);
    }
    m_noted.notify_all();
    if (wake && m_wake)
        m_wake();
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
