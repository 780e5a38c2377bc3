#include "LocalSubscriber.h"

#include <mosquitto.h>

#include <chrono>

CLocalSubscriber::CLocalSubscriber(std::string clientId, std::string topicFilter)
    : m_strClientId(std::move(clientId)), m_strFilter(std::move(topicFilter))
{
}

CLocalSubscriber::~CLocalSubscriber()
{
    if (!m_pClient)
        return;
    mosquitto_disconnect(m_pClient);
    mosquitto_loop_stop(m_pClient, false);
    mosquitto_destroy(m_pClient);
}

bool CLocalSubscriber::Start(int port, std::string& error)
{
    mosquitto_lib_init();
    m_pClient = mosquitto_new(m_strClientId.c_str(), false, this);
    if (!m_pClient) {
        error = "mosquitto_new failed";
        return false;
    }
    mosquitto_connect_callback_set(m_pClient, &CLocalSubscriber::OnConnect);
    mosquitto_subscribe_callback_set(m_pClient, &CLocalSubscriber::OnSubscribe);
    mosquitto_message_callback_set(m_pClient, &CLocalSubscriber::OnMessage);
    mosquitto_reconnect_delay_set(m_pClient, 1, 1, false);
    int rc = mosquitto_connect_async(m_pClient, "127.0.0.1", port, 30);
    if (rc == MOSQ_ERR_SUCCESS)
        rc = mosquitto_loop_start(m_pClient);
    if (rc != MOSQ_ERR_SUCCESS)
        error = mosquitto_strerror(rc);
    return rc == MOSQ_ERR_SUCCESS;
}

bool CLocalSubscriber::WaitForSubscription(std::chrono::seconds guard)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, guard, [this] { return m_nSubscriptions > 0; });
}

bool CLocalSubscriber::WaitFor(const std::function<bool(const std::vector<CMessage>&)>& done,
                              std::chrono::seconds guard)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, guard, [&] { return done(m_messages); });
}

std::vector<CLocalSubscriber::CMessage> CLocalSubscriber::Messages() const
{
    const std::lock_guard lock(m_mutex);
    return m_messages;
}

std::vector<std::string> CLocalSubscriber::Payloads(const std::string& topic) const
{
    const std::lock_guard lock(m_mutex);
    std::vector<std::string> payloads;
    for (const CMessage& message : m_messages)
        if (message.topic == topic)
            payloads.push_back(message.payload);
    return payloads;
}

void CLocalSubscriber::OnConnect(mosquitto* client, void* self, int code)
{
    if (code == 0)
        mosquitto_subscribe(client, nullptr, static_cast<CLocalSubscriber*>(self)->m_strFilter.c_str(), 1);
}

void CLocalSubscriber::OnSubscribe(mosquitto*, void* self, int, int, const int*)
{
    auto* subscriber = static_cast<CLocalSubscriber*>(self);
    {
        const std::lock_guard lock(subscriber->m_mutex);
        ++subscriber->m_nSubscriptions;
    }
    subscriber->m_changed.notify_all();
}

void CLocalSubscriber::OnMessage(mosquitto*, void* self, const mosquitto_message* message)
{
    auto* subscriber = static_cast<CLocalSubscriber*>(self);
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    {
        const std::lock_guard lock(subscriber->m_mutex);
        subscriber->m_messages.push_back(
            {message->topic,
             std::string(static_cast<const char*>(message->payload),
                         static_cast<std::size_t>(message->payloadlen)),
             message->retain, now.count()});
    }
    subscriber->m_changed.notify_all();
}

std::string CLocalSubscriber::Field(const std::string& json, const std::string& key)
{
    const std::string start = "\"" + key + "\":";
    const auto at = json.find(start);
    if (at == std::string::npos)
        return {};
    const auto begin = at + start.size();
    if (json[begin] == '"')
        return json.substr(begin + 1, json.find('"', begin + 1) - begin - 1);
    return json.substr(begin, json.find_first_of(",}", begin) - begin);
}
