#include "DeviceEmulator.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

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

timespec Timeout(std::chrono::nanoseconds wait)
{
    const auto nanoseconds = std::max(wait, std::chrono::nanoseconds::zero()).count();
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

void CDeviceEmulator::SetCountingTarget(bool counting)
{
    std::lock_guard lock(m_mutex);
    m_pDevice->SetCountingTarget(counting);
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

std::uint64_t CDeviceEmulator::LinesSent() const
{
    std::lock_guard lock(m_mutex);
    return m_nLinesSent;
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

double CDeviceEmulator::CharactersPerSecond() const
{
    std::lock_guard lock(m_mutex);
    return m_terminal.CharactersPerSecond();
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

std::optional<CDeviceEmulator::Clock::time_point> CDeviceEmulator::Talk(CLineState& line,
                                                                        Clock::time_point now)
{
    std::lock_guard lock(m_mutex);
    const bool streaming = m_pDevice->Streaming();
    if (streaming && !line.streaming)
        line.nextLine = now;
    line.streaming = streaming;
    if (streaming && line.listener && m_strOutput.empty() && (m_bMaxRate || now >= line.nextLine))
        m_strOutput = m_pDevice->NextStreamLine();
    if (streaming && !m_bMaxRate && now >= line.nextLine) {
        // A measurement that finds the line busy is lost, as on a real line.
        line.nextLine = std::max(line.nextLine + m_pDevice->StreamInterval(), now);
    }
    if (line.listener && !m_strOutput.empty() && !line.blocked && now >= line.free) {
        const auto written = ::write(m_terminal.Master(), m_strOutput.data(), m_strOutput.size());
        if (written > 0) {
            m_nLinesSent += static_cast<std::uint64_t>(
                std::count(m_strOutput.begin(), m_strOutput.begin() + written, '\n'));
            m_strOutput.erase(0, static_cast<std::size_t>(written));
            line.free =
                now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                          written / m_terminal.CharactersPerSecond()));
        } else if (written < 0 && errno != EAGAIN) {
            Unheard(line);
        } else {
            line.blocked = true;
        }
    }
    if (!line.listener)
        return now + kListenerPoll;
    if (!line.blocked && (!m_strOutput.empty() || (streaming && m_bMaxRate)))
        return line.free;
    if (streaming && !m_bMaxRate)
        return line.nextLine;
    return std::nullopt;
}

void CDeviceEmulator::Listen(CLineState& line, short events)
{
    if (events & POLLOUT)
        line.blocked = false;
    if (!(events & POLLIN)) {
        if (events & (POLLHUP | POLLERR)) {
            std::lock_guard lock(m_mutex);
            Unheard(line);
        }
        return;
    }
    char buffer[4096];
    const auto count = ::read(m_terminal.Master(), buffer, sizeof buffer);
    std::lock_guard lock(m_mutex);
    if (count > 0) {
        m_strReceived.append(buffer, static_cast<std::size_t>(count));
        m_strOutput += m_pDevice->Receive({buffer, static_cast<std::size_t>(count)});
        m_receivedMore.notify_all();
    } else if (count == 0 || errno != EAGAIN) {
        Unheard(line);
    }
}

void CDeviceEmulator::Unheard(CLineState& line)
{
    line.listener = false;
    m_strOutput.clear();
}

void CDeviceEmulator::Run()
{
    const int master = m_terminal.Master();
    CLineState line;
    while (!m_bStop) {
        const auto deadline = Talk(line, Clock::now());
        pollfd descriptors[2] = {
            {m_nWake, POLLIN, 0},
            {master, static_cast<short>(POLLIN | (line.blocked ? POLLOUT : 0)), 0}};
        const timespec timeout =
            Timeout(deadline ? *deadline - Clock::now() : Clock::duration::zero());
        if (::ppoll(descriptors, line.listener ? 2 : 1, deadline ? &timeout : nullptr, nullptr) <
                0 &&
            errno != EINTR)
            break;
        if (descriptors[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto read = ::read(m_nWake, &count, sizeof count);
        }
        if (line.listener) {
            Listen(line, descriptors[1].revents);
        } else {
            line.listener = Listening(master);
            line.blocked = false;
        }
    }
}
