#pragma once

#include "MqttOptions.h"
#include "Reading.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class CMqttPublisher;
class CSerialLink;
struct CMqttSettings;

// Option › MQTT: publishes the readings of the connected meter to a broker, as telvan-recorder
// does, with the options remembered between runs. Publishing runs while the link's port is
// open and the options turn it on; the status "online" tells a subscriber that it runs, and
// "offline" (also the last will) that the port closed, publishing was turned off or the
// program ended. A simulated run closes the port first, so its lines are never published.
class CDesktopPublisher : public QObject
{
    Q_OBJECT
public:
    using ReadingHandler = std::function<void(const CReading&)>;

    // Takes the remembered options: publishing starts with the next opening of the port.
    explicit CDesktopPublisher(CSerialLink& link, QObject* parent = nullptr);
    ~CDesktopPublisher() override;

    // The options the dialog confirmed: remembered and used at once, publishing starting or
    // stopping. The reason when they cannot be used; nothing changes then.
    QString Apply(const CMqttOptions& options);

    // The folder of the queues on disk, one per client ID: beside the journals' folder, not in
    // it, where each folder is a journal.
    static QString QueueRoot();

    const CMqttOptions& Options() const { return m_options; }
    bool IsPublishing() const { return m_pPublisher != nullptr; }
    // Hands a reading to the broker; what the Display page calls while publishing.
    ReadingHandler Handler();

signals:
    // Publishing started (on) or stopped: the Display page hands over its readings while on.
    void PublishingChanged(bool on);
    // Where readings go, why they wait, or empty while publishing is off: for the status bar.
    void StateChanged(const QString& text);

private:
    // The broker settings of the options for the port, or false with the reason.
    static bool Settings(const CMqttOptions& options, const std::string& portName,
                         CMqttSettings& settings, std::string& error);
    void Start();
    void Stop();

    CSerialLink& m_link;
    CMqttOptions m_options;
    std::unique_ptr<CMqttPublisher> m_pPublisher;
};
