#pragma once

#include "MessageQueue.h"
#include "MqttClient.h"
#include "MqttSettings.h"
#include "Reading.h"
#include "ReadingMessage.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Publishes readings and the state of their source to an MQTT broker, and never makes the
// caller wait: a reading is queued, and handed to the client library, which sends it while
// the broker takes them. With QoS 1 and the broker's persistent session nothing is lost while the broker
// is away: the queue keeps on disk what the broker has not acknowledged within a second, and
// sends it in order when the broker is back, and in the next run. When the queue is full its
// oldest readings are dropped, and their count is published on PREFIX/ID/dropped once the
// broker is back.
//
// Lives on the thread that creates it, and runs its connection in that thread's event loop.
//
//   CMqttPublisher publisher(settings);
//   if (!publisher.Start(error)) ...
//   publisher.SetStatus("online");
//   publisher.Publish(reading);      // for every reading
//   publisher.Stop(std::chrono::seconds(3));
class CMqttPublisher : public QObject
{
    Q_OBJECT
public:
    explicit CMqttPublisher(CMqttSettings settings, QObject* parent = nullptr);
    ~CMqttPublisher() override;

    // Opens the queue, with what an earlier run left in it, and starts connecting; false with
    // the reason when the settings or the queue's folder cannot be used.
    bool Start(std::string& error);
    void Publish(const CReading& reading);
    // The state on PREFIX/ID/status (retained), published again after every reconnection.
    void SetStatus(const std::string& status);
    // Publishes the status "offline", gives the broker up to wait to acknowledge it and what
    // is on its way, keeps the rest of the queue on disk for the next run, and disconnects.
    void Stop(std::chrono::milliseconds wait);

    bool IsConnected() const { return m_bConnected; }
    const CMqttSettings& Settings() const { return m_settings; }
    // Readings not yet acknowledged.
    std::uint64_t Waiting() const { return m_queue.Waiting(); }

    const std::string& ReadingTopic() const { return m_strReadingTopic; }
    std::string StatusTopic() const { return Topic("status"); }
    std::string DroppedTopic() const { return Topic("dropped"); }

signals:
    void Connected();
    // The broker refused the connection, or it went away; reason says why.
    void Disconnected(const QString& reason);
    // The queue's folder took nothing (a full disk): readings wait in memory, within the
    // queue's size. Told once until it works again.
    void QueueFailed(const QString& reason);

private:
    std::string Topic(const char* leaf) const;
    void HandleEvents();
    void Handle(const CMqttClient::CEvent& event);
    // Hands queued readings to the library while the broker takes them.
    void Send();
    void PublishState();
    // The count of readings dropped since the last report, while the broker is there.
    void PublishDropped();
    void Save(bool all);

    const CMqttSettings m_settings;
    const std::string m_strReadingTopic; // made once: it goes with every reading
    CMessageQueue m_queue;
    std::unique_ptr<CMqttClient> m_pClient;
    std::vector<CMqttClient::CEvent> m_events; // taken from the client
    CReadingMessage m_message;
    QTimer m_sendTimer;
    QTimer m_saveTimer;
    std::string m_strStatus;
    std::string m_strPayload;
    bool m_bConnected = false;
    // After a reconnection the library first resends what was on its way; new readings wait
    // until that is acknowledged, so that they cannot overtake it.
    bool m_bResending = false;
    bool m_bQueueFailed = false;
    std::uint64_t m_nDropped = 0; // not yet published
    std::unordered_map<int, std::uint64_t> m_inFlight; // mid -> the reading's number in the queue
    int m_nStatusMid = -1;
};
