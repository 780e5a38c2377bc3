#include "ReconnectPolicy.h"

#include "TerminalState.h"

namespace {

constexpr int kTryEveryMs = 1000;

} // namespace

CReconnectPolicy::CReconnectPolicy(CLink& link, QObject* parent) : QObject(parent), m_link(link)
{
    m_timer.setInterval(kTryEveryMs);
    connect(&m_timer, &QTimer::timeout, this, &CReconnectPolicy::Try);
}

void CReconnectPolicy::SetEnabled(bool on)
{
    m_bEnabled = on;
    if (!on)
        Stop();
}

void CReconnectPolicy::Lost()
{
    if (m_bEnabled)
        m_timer.start();
}

void CReconnectPolicy::Try()
{
    if (g_bConnected || g_bSimulation) {
        Stop();
        return;
    }
    if (!m_link.OpenPort())
        return;
    Stop();
    const std::string& command = m_acquisition.Command();
    if (!command.empty())
        m_link.WritePort(command.data(), static_cast<int>(command.size()));
    emit Reconnected();
}
