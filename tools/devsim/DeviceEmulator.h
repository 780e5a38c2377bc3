#pragma once

#include "Device.h"
#include "PseudoTerminal.h"
#include "QuorinDevice.h"
#include "ZelnarDevice.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

// A device of either family on a pseudo-terminal, answering on a thread of its own until it
// hangs up. It records every byte it receives and sends no faster than the line the terminal
// configured would carry them. Tests drive it in-process; telvan-devsim runs one.
class CDeviceEmulator
{
public:
    CDeviceEmulator(DeviceFamily family, std::uint32_t seed);
    ~CDeviceEmulator();
    CDeviceEmulator(const CDeviceEmulator&) = delete;
    CDeviceEmulator& operator=(const CDeviceEmulator&) = delete;

    // Opens a new pseudo-terminal and starts answering; the device keeps its parameters.
    bool Start(std::string& error);
    // Closes the pseudo-terminal, as an unplugged device: its path goes away.
    void HangUp();
    std::string DevicePath() const;

    // Streams as fast as the line allows instead of at the measuring rate.
    void SetMaxRate(bool maxRate);
    // Measures a target that steps 1 mm further with every measurement.
    void SetCountingTarget(bool counting);
    // Runs command as if it had arrived with its carriage return, and sends the replies.
    void Execute(std::string_view command);
    // The next measurement reports the error code (at once when nothing streams).
    void InjectError(int code);
    // Sends bytes in one write, beside the device's own replies.
    void Send(std::string_view bytes);

    // Every byte received since the start.
    std::string Received() const;
    bool WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const;

    // Lines (LF characters) written to the terminal since the start.
    std::uint64_t LinesSent() const;

    termios LineSettings() const;
    // The pace of the line with the terminal's settings, rates without a speed code included.
    double CharactersPerSecond() const;
    std::string Listing() const;
    CZelnarParameterSet ZelnarParameters() const;
    CQuorinParameterSet QuorinParameters() const;

private:
    using Clock = std::chrono::steady_clock;

    // What the emulator's thread knows of the line from one wait to the next.
    struct CLineState
    {
        bool listener = false; // the terminal's side is open
        bool streaming = false;
        bool blocked = false;       // the terminal's side holds all it can: wait until it reads
        Clock::time_point nextLine; // when the next streamed measurement is due
        Clock::time_point free;     // when the line has carried the last write
    };

    void Run();
    // Streams and writes what the line may carry now; returns when to look again.
    std::optional<Clock::time_point> Talk(CLineState& line, Clock::time_point now);
    // Takes what the terminal sent, or notices that it has gone.
    void Listen(CLineState& line, short events);
    // The terminal has gone: what waited for the line was meant for it. Needs the lock.
    void Unheard(CLineState& line);
    void Wake() const;

    std::unique_ptr<CDevice> m_pDevice;
    CPseudoTerminal m_terminal;
    int m_nWake = -1; // event counter that interrupts the thread's wait
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};

    mutable std::mutex m_mutex; // guards the device and everything below
    mutable std::condition_variable m_receivedMore;
    std::string m_strReceived;
    std::string m_strOutput; // waiting for the line
    std::uint64_t m_nLinesSent = 0;
    bool m_bMaxRate = false;
};
