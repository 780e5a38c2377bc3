#pragma once

#include "Link.h"
#include "RunningAcquisition.h"

#include <QObject>
#include <QTimer>

#include <string_view>

// Brings a lost port back: after the port failed while connected, it tries the same port with
// the same settings every second until it opens, then writes the acquisition that was running
// again, so that measuring goes on. The operator taking over (Disconnect, closing the dialog)
// stops the tries; so does a connection made otherwise, and simulation mode.
class CReconnectPolicy : public QObject
{
    Q_OBJECT
public:
    explicit CReconnectPolicy(CLink& link, QObject* parent = nullptr);

    // Reconnect automatically; off stops the tries.
    void SetEnabled(bool on);
    bool Enabled() const { return m_bEnabled; }

    // Every write to the device, so that the running acquisition is known.
    void Wrote(std::string_view bytes) { m_acquisition.Wrote(bytes); }
    // The port failed while connected: the tries begin.
    void Lost();
    void Stop() { m_timer.stop(); }
    bool Trying() const { return m_timer.isActive(); }

signals:
    // The port is open again and the acquisition written.
    void Reconnected();

private:
    void Try();

    CLink& m_link;
    QTimer m_timer;
    CRunningAcquisition m_acquisition;
    bool m_bEnabled = true;
};
