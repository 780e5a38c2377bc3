#pragma once

#include "DistanceProfile.h"
#include "ParameterTable.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

enum class DeviceFamily
{
    Zelnar,
    Quorin,
};

// An emulated device of either family: it takes the bytes the terminal sends, cuts them into
// commands at each carriage return, answers them, and streams measurements while a tracking
// command runs. The two families fill in their commands, parameters and reply formats.
class CDevice
{
public:
    virtual ~CDevice() = default;
    CDevice(const CDevice&) = delete;
    CDevice& operator=(const CDevice&) = delete;

    // Bytes from the terminal; returns the replies to send at once.
    std::string Receive(std::string_view bytes);

    bool Streaming() const { return !m_strStream.empty(); }
    // The time between two streamed measurements.
    std::chrono::microseconds StreamInterval() const { return Interval(m_strStream); }
    std::string NextStreamLine();

    // The next measurement reports code instead of a value. Returns what to send at once: the
    // error reply when nothing is streaming, nothing while streaming.
    std::string InjectError(int code);

    void SetCountingTarget(bool counting) { m_profile.SetCounting(counting); }

    // The parameter listing, the reply to PA.
    virtual std::string Listing() const = 0;

protected:
    explicit CDevice(std::uint32_t seed) : m_profile(seed) {}

    void AddCommand(std::string key, std::function<std::string()> handler);
    // Commands that start streaming measurements, and those that measure once.
    void AddMeasuringCommands(std::initializer_list<const char*> streams,
                              std::initializer_list<const char*> singles);
    // TP, PA, and SO: it sets offset so that the distance now reads zero.
    void AddSharedCommands(const double& scale, double& offset);
    // Runs a command that takes no value, as if it had been received.
    std::string Run(std::string_view key) { return Command(key); }
    void StartStream(std::string_view command) { m_strStream = command; }
    void StopStream() { m_strStream.clear(); }
    // The error code injected for the next measurement, 0 when there is none; clears it.
    int TakeError();

    // One measurement of command (DM, DT, ...) as the reply bytes, reporting error when it is
    // not 0.
    virtual std::string Measure(std::string_view command, int error) = 0;
    virtual std::chrono::microseconds Interval(std::string_view command) const = 0;
    // The reply to a command the device refuses: 61 unknown command, 62 invalid value.
    virtual std::string ErrorReply(int code) const = 0;

    CParameterTable m_parameterTable;
    CDistanceProfile m_profile;

private:
    std::string Command(std::string_view line);

    std::map<std::string, std::function<std::string()>, std::less<>> m_commands;
    std::string m_strLine;   // the command being received
    std::string m_strStream; // the running tracking command, empty when idle
    int m_nError = 0;        // injected for the next measurement
};
