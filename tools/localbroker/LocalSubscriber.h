#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct mosquitto;

// A subscriber of everything under a topic prefix, with QoS 1 and a persistent session, as a
// station's other systems subscribe: what the broker holds for it while it or the broker is
// away arrives when both are back. It keeps every message it receives.
class CLocalSubscriber
{
public:
    struct CMessage
    {
        std::string topic;
        std::string payload;
        bool retained = false;
        std::int64_t receivedMs = 0; // when it arrived, milliseconds since 1970 UTC
    };

    CLocalSubscriber(std::string clientId, std::string topicFilter);
    ~CLocalSubscriber();
    CLocalSubscriber(const CLocalSubscriber&) = delete;
    CLocalSubscriber& operator=(const CLocalSubscriber&) = delete;

    // Connects and subscribes; reconnects every second when the broker goes away.
    bool Start(int port, std::string& error);
    // Waits until the broker confirmed the subscription.
    bool WaitForSubscription(std::chrono::seconds guard);

    // Waits until done(messages) holds; false when the guard ran out first.
    bool WaitFor(const std::function<bool(const std::vector<CMessage>&)>& done,
                 std::chrono::seconds guard);
    std::vector<CMessage> Messages() const;
    // The payloads received on the topic, in order.
    std::vector<std::string> Payloads(const std::string& topic) const;

    // A value of a reading's JSON as it stands there, quotes removed; empty when it has none.
    static std::string Field(const std::string& json, const std::string& key);

private:
    static void OnConnect(mosquitto* client, void* self, int code);
    static void OnSubscribe(mosquitto*, void* self, int, int, const int*);
    static void OnMessage(mosquitto*, void* self, const struct mosquitto_message* message);

    const std::string m_strClientId;
    const std::string m_strFilter;
    mosquitto* m_pClient = nullptr;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<CMessage> m_messages;
    int m_nSubscriptions = 0;
};
