#include "StopSignals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t Stops()
{
    sigset_t stopSet;
    sigemptyset(&stopSet);
    sigaddset(&stopSet, SIGINT);
    sigaddset(&stopSet, SIGTERM);
    return stopSet;
}

} // namespace

void CStopSignals::Block()
{
    const sigset_t stopSet = Stops();
    ::pthread_sigmask(SIG_BLOCK, &stopSet, nullptr);
}

CStopSignals::CStopSignals(QObject* parent) : QObject(parent)
{
    const sigset_t stopSet = Stops();
    m_nDescriptor = ::signalfd(-1, &stopSet, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_nDescriptor < 0)
        return;
    m_pNotifier = std::make_unique<QSocketNotifier>(m_nDescriptor, QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, [this] {
        signalfd_siginfo info{};
        while (::read(m_nDescriptor, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
        emit Stop();
    });
}

CStopSignals::~CStopSignals()
{
    m_pNotifier.reset();
    if (m_nDescriptor >= 0)
        ::close(m_nDescriptor);
}
