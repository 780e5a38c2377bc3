#pragma once

#include "MqttSettings.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct mosquitto;

// One client of a broker on libmosquitto, run by the event loop of the thread that owns it:
// the socket is watched by notifiers, and the library reads, writes and keeps the connection
// alive only when the loop calls it. A thread of the library's own would cost a wake-up and a
// lock handed back and forth for every message, more than sending it. Only a connection attempt
// runs on a short thread of its own, since the library looks the broker's name up and waits for
// the answer; while it runs the client leaves the library alone. A broker away is tried again
// every second. The library's callbacks note what happened, and the owner is woken (through
// its event queue, once until it takes the notes) to take them.
class CMqttClient : public QObject
{
    Q_OBJECT
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
    ~CMqttClient() override;
    CMqttClient(const CMqttClient&) = delete;
    CMqttClient& operator=(const CMqttClient&) = delete;

    // Sets the client up and starts connecting; false with the reason when the settings cannot
    // be used (a TLS file, the client ID). A broker away is no failure.
    bool Start(std::string& error);
    // Hands the message to the library, which sends it at once when it can: its mid, or -1
    // when the library did not take it.
    int Publish(const std::string& topic, std::string_view payload, int qos, bool retain);
    // Messages published between the two go out in as few segments as the socket allows,
    // not one each, which costs the sender and the broker far less. The acknowledgements of
    // earlier batches are read first.
    void BeginBatch();
    void EndBatch();
    // The notes since the last call, oldest first, in events (emptied first).
    void TakeEvents(std::vector<CEvent>& events);
    // Runs the connection without the event loop until a note arrives or the deadline passes.
    void WaitForEvents(std::chrono::steady_clock::time_point deadline);
    // Leaves the broker cleanly (the last will is not sent).
    void Stop();

    static std::string ConnectText(int code);
    static std::string ErrorText(int code);

protected:
    // A connection attempt's thread hands its result over through the event queue.
    bool event(QEvent* event) override;

private:
    void Connect();
    void Connecting(int rc);
    // Watches the socket of a connection under way, and stops watching it once it is closed.
    void Watch();
    void Unwatch();
    // Reads what the broker sent, then leaves the socket unwatched for a pause.
    void Read();
    // After every call into the library: the socket watched for writing while the library has
    // something to send, a closed connection tried again, the owner woken for new notes.
    void Serviced();
    static void OnConnect(mosquitto*, void* client, int code);
    static void OnDisconnect(mosquitto*, void* client, int code);
    static void OnPublish(mosquitto*, void* client, int mid);
    void Note(const CEvent& event);

    const CMqttSettings m_settings;
    const std::string m_strWillTopic;
    const std::function<void()> m_wake;
    mosquitto* m_pClient = nullptr;
    std::thread m_connecting;
    bool m_bConnectedOnce = false;
    bool m_bStopping = false;
    QSocketNotifier* m_pRead = nullptr; // children of the client
    QSocketNotifier* m_pWrite = nullptr;
    QTimer m_retry;
    QTimer m_readPause;
    QTimer m_misc; // pings the broker and notices a silent one
    std::vector<CEvent> m_events;
    bool m_bWoken = false;
    bool m_bBatch = false;
    int m_nCorked = -1; // the socket corked for the batch

};
