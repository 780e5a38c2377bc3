#include "DeviceEmulator.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// While nobody has the device open the master reports a hang-up at once: look again this
// often instead of spinning.
constexpr auto kListenerPoll = std::chrono::milliseconds(20);

std::unique_ptr<CDevice> MakeDevice(DeviceFamily family, std::uint32_t seed)
{
    if (family == DeviceFamily::Zelnar)
        return std::make_unique<CZelnarDevice>(seed);
    return std::make_unique<CQuorinDevice>(seed);
}

bool Listening(int master)
{
    pollfd descriptor{master, POLLIN, 0};
    return ::poll(&descriptor, 1, 0) >= 0 && !(descriptor.revents & POLLHUP);
}

timespec Timeout(Clock::duration wait)
{
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::max(wait, Clock::duration::zero()))
                                 .count();
    return {static_cast<time_t>(nanoseconds / 1000000000),
            static_cast<long>(nanoseconds % 1000000000)};
}

} // namespace

CDeviceEmulator::CDeviceEmulator(DeviceFamily family, std::uint32_t seed)
    : m_pDevice(MakeDevice(family, seed)), m_nWake(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

CDeviceEmulator::~CDeviceEmulator()
{
    HangUp();
    if (m_nWake >= 0)
        ::close(m_nWake);
}

bool CDeviceEmulator::Start(std::string& error)
{
    HangUp();
    if (m_nWake < 0) {
        error = "cannot create an event counter";
        return false;
    }
    if (!m_terminal.Open(error))
        return false;
    m_bStop = false;
    m_thread = std::thread(&CDeviceEmulator::Run, this);
    return true;
}

void CDeviceEmulator::HangUp()
{
    if (m_thread.joinable()) {
        m_bStop = true;
        Wake();
        m_thread.join();
    }
    std::lock_guard lock(m_mutex);
    m_terminal.Close();
    m_strOutput.clear();
}

std::string CDeviceEmulator::DevicePath() const
{
    std::lock_guard lock(m_mutex);
    return m_terminal.DevicePath();
}

void CDeviceEmulator::SetMaxRate(bool maxRate)
{
    std::lock_guard lock(m_mutex);
    m_bMaxRate = maxRate;
    Wake();
}

void CDeviceEmulator::Execute(std::string_view command)
{
    std::lock_guard lock(m_mutex);
    m_strOutput += m_pDevice->Receive(std::string(command) + '\r');
    Wake();
}

void CDeviceEmulator::InjectError(int code)
{
    std::lock_guard lock(m_mutex);
    m_strOutput += m_pDevice->InjectError(code);
    Wake();
}

void CDeviceEmulator::Send(std::string_view bytes)
{
    std::lock_guard lock(m_mutex);
    m_strOutput += bytes;
    Wake();
}

std::string CDeviceEmulator::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_strReceived;
}

bool CDeviceEmulator::WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_receivedMore.wait_for(lock, timeout, [&] { return m_strReceived.size() >= count; });
}

termios CDeviceEmulator::LineSettings() const
{
    std::lock_guard lock(m_mutex);
    return m_terminal.Settings();
}

std::string CDeviceEmulator::Listing() const
{
    std::lock_guard lock(m_mutex);
    return m_pDevice->Listing();
}

CZelnarParameterSet CDeviceEmulator::ZelnarParameters() const
{
    std::lock_guard lock(m_mutex);
    return dynamic_cast<const CZelnarDevice&>(*m_pDevice).Parameters();
}

CQuorinParameterSet CDeviceEmulator::QuorinParameters() const
{
    std::lock_guard lock(m_mutex);
    return dynamic_cast<const CQuorinDevice&>(*m_pDevice).Parameters();
}

void CDeviceEmulator::Wake() const
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_nWake, &one, sizeof one);
}

void CDeviceEmulator::Forget()
{
    std::lock_guard lock(m_mutex);
    m_strOutput.clear();
}

void CDeviceEmulator::Run()
{
    const int master = m_terminal.Master();
    bool listener = false; // the terminal's side is open
    bool streaming = false;
    bool lineBlocked = false;   // the terminal's side holds all it can: wait until it reads
    Clock::time_point nextLine; // when the next streamed measurement is due
    Clock::time_point lineFree; // when the line has carried the last write
    while (!m_bStop) {
        const Clock::time_point now = Clock::now();
        bool writeFailed = false;
        std::optional<Clock::time_point> deadline;
        {
            std::lock_guard lock(m_mutex);
            const bool streamingNow = m_pDevice->Streaming();
            if (streamingNow && !streaming)
                nextLine = now;
            streaming = streamingNow;
            if (streaming && listener && m_strOutput.empty() && (m_bMaxRate || now >= nextLine))
                m_strOutput = m_pDevice->NextStreamLine();
            if (streaming && !m_bMaxRate && now >= nextLine) {
                // A measurement that finds the line busy is lost, as on a real line.
                nextLine = std::max(nextLine + m_pDevice->StreamInterval(), now);
            }
            if (listener && !m_strOutput.empty() && !lineBlocked && now >= lineFree) {
                const auto written = ::write(master, m_strOutput.data(), m_strOutput.size());
                if (written > 0) {
                    m_strOutput.erase(0, static_cast<std::size_t>(written));
                    lineFree = now + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(
                                             written / m_terminal.CharactersPerSecond()));
                } else if (written < 0 && errno != EAGAIN) {
                    writeFailed = true;
                } else {
                    lineBlocked = true;
                }
            }
            if (!listener)
                deadline = now + kListenerPoll;
            else if (!lineBlocked && (!m_strOutput.empty() || (streaming && m_bMaxRate)))
                deadline = lineFree;
            else if (streaming && !m_bMaxRate)
                deadline = nextLine;
        }
        if (writeFailed) {
            listener = false;
            Forget();
            continue;
        }

        pollfd descriptors[2] = {
            {m_nWake, POLLIN, 0},
            {master, static_cast<short>(POLLIN | (lineBlocked ? POLLOUT : 0)), 0}};
        const timespec timeout =
            Timeout(deadline ? *deadline - Clock::now() : Clock::duration::zero());
        if (::ppoll(descriptors, listener ? 2 : 1, deadline ? &timeout : nullptr, nullptr) < 0 &&
            errno != EINTR)
            break;
        if (descriptors[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto read = ::read(m_nWake, &count, sizeof count);
        }
        if (!listener) {
            listener = Listening(master);
            lineBlocked = false;
            continue;
        }
        if (descriptors[1].revents & POLLOUT)
            lineBlocked = false;
        bool gone =
            (descriptors[1].revents & (POLLHUP | POLLERR)) && !(descriptors[1].revents & POLLIN);
        if (descriptors[1].revents & POLLIN) {
            char buffer[4096];
            const auto count = ::read(master, buffer, sizeof buffer);
            if (count > 0) {
                std::lock_guard lock(m_mutex);
                m_strReceived.append(buffer, static_cast<std::size_t>(count));
                m_strOutput += m_pDevice->Receive({buffer, static_cast<std::size_t>(count)});
                m_receivedMore.notify_all();
            } else {
                gone = count == 0 || errno != EAGAIN;
            }
        }
        if (gone) {
            listener = false;
            Forget();
        }
    }
}
