#pragma once

#include "MqttSettings.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct mosquitto;

// One client of a broker on libmosquitto, with a thread of its own that connects, runs the
// library's loop (which reconnects every second while the broker is away, and sends), and
// tries the first connection again every second when it fails at once (a broker's name that
// does not resolve yet). The library's callbacks only note what happened; the owner takes the
// notes on its own thread, woken by the wake function (called on the client's thread, at most
// once until the notes are taken). Acknowledgements wake the owner only once many have
// gathered, not for every message; the owner takes the last few on a timer of its own.
class CMqttClient
{
public:
    struct CEvent
    {
        enum class Kind
        {
            Connected,    // code: the broker's answer, 0 when it took the connection
            Disconnected, // code: the library's reason
            Published,    // mid: the broker acknowledged the message (QoS 0: it was sent)
        };
        Kind kind;
        int code = 0;
        int mid = 0;
    };

    // The last will is "offline", retained, on willTopic.
    CMqttClient(CMqttSettings settings, std::string willTopic, std::function<void()> wake);
    ~CMqttClient();
    CMqttClient(const CMqttClient&) = delete;
    CMqttClient& operator=(const CMqttClient&) = delete;

    // Sets the client up and starts connecting; false with the reason when the settings cannot
    // be used (a TLS file, the client ID). A broker away is no failure.
    bool Start(std::string& error);
    // Hands the message to the library: its mid, or -1 when the library did not take it.
    int Publish(const std::string& topic, std::string_view payload, int qos, bool retain);
    // The notes since the last call, oldest first, in events (emptied first).
    void TakeEvents(std::vector<CEvent>& events);
    // Waits until a note arrives or the deadline passes.
    void WaitForEvents(std::chrono::steady_clock::time_point deadline);
    // Leaves the broker cleanly (the last will is not sent) and ends the library's thread.
    void Stop();

    static std::string ConnectText(int code);
    static std::string ErrorText(int code);

private:
    void Run();
    static void OnConnect(mosquitto*, void* client, int code);
    static void OnDisconnect(mosquitto*, void* client, int code);
    static void OnPublish(mosquitto*, void* client, int mid);
    void Note(const CEvent& event);

    const CMqttSettings m_settings;
    const std::string m_strWillTopic;
    const std::function<void()> m_wake;
    mosquitto* m_pClient = nullptr;
    std::thread m_thread;

    std::mutex m_mutex; // guards the notes
    std::condition_variable m_noted;
    std::vector<CEvent> m_events;
    bool m_bWoken = false;
    std::atomic<bool> m_bStopping = false;
};
