#include "DeviceEmulator.h"
#include "DevsimOptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The terminal's end of the line, opened the way a serial port is: raw, at a chosen speed.
class CTerminalSide
{
public:
    CTerminalSide(const std::string& path, speed_t speed)
        : m_nFd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios settings{};
        ::tcgetattr(m_nFd, &settings);
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, speed);
        ::tcsetattr(m_nFd, TCSANOW, &settings);
    }
    ~CTerminalSide() { ::close(m_nFd); }
    CTerminalSide(const CTerminalSide&) = delete;
    CTerminalSide& operator=(const CTerminalSide&) = delete;

    bool IsOpen() const { return m_nFd >= 0; }
    void Write(std::string_view bytes) const
    {
        ASSERT_EQ(::write(m_nFd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until the bytes end with until, or for at most timeout.
    std::string Read(std::string_view until, Clock::duration timeout = 5s) const
    {
        std::string bytes;
        const auto end = Clock::now() + timeout;
        while (Clock::now() < end && !bytes.ends_with(until)) {
            pollfd descriptor{m_nFd, POLLIN, 0};
            if (::poll(&descriptor, 1, 10) <= 0)
                continue;
            char buffer[4096];
            const auto count = ::read(m_nFd, buffer, sizeof buffer);
            if (count <= 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
        return bytes;
    }
    // True when the device hung up: the line reports it and reads find nothing.
    bool HungUp() const
    {
        pollfd descriptor{m_nFd, POLLIN, 0};
        char byte;
        return ::poll(&descriptor, 1, 1000) == 1 && (descriptor.revents & POLLHUP) &&
               ::read(m_nFd, &byte, 1) <= 0;
    }

private:
    int m_nFd;
};

std::string StartedDevice(CDeviceEmulator& emulator)
{
    std::string error;
    EXPECT_TRUE(emulator.Start(error)) << error;
    return emulator.DevicePath();
}

} // namespace

TEST(DeviceEmulator, AnswersOnThePseudoTerminalAndRecordsWhatArrives)
{
    CDeviceEmulator emulator(DeviceFamily::Zelnar, 1);
    const CTerminalSide side(StartedDevice(emulator), B115200);
    ASSERT_TRUE(side.IsOpen());
    side.Write("ID\r");
    EXPECT_EQ(side.Read("\r\n"), "Telvan Zelnar ZL-30 V1.3.9 SN 104711\r\n");
    side.Write("MF1000\r");
    EXPECT_EQ(side.Read("\r\n"), "MF 1000\r\n");
    EXPECT_EQ(emulator.Received(), "ID\rMF1000\r");
    EXPECT_EQ(emulator.ZelnarParameters().MF, 1000);

    // Every byte value passes unchanged: no CR, LF or flow-control translation.
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    emulator.Send(all);
    EXPECT_EQ(side.Read(all.substr(240)), all);

    emulator.Execute("DT");
    EXPECT_EQ(side.Read("\r\n").substr(0, 2), "D+");
}

TEST(DeviceEmulator, StreamsNoFasterThanTheLineCarries)
{
    CDeviceEmulator emulator(DeviceFamily::Zelnar, 1);
    const CTerminalSide side(StartedDevice(emulator), B9600); // 960 characters a second
    emulator.SetMaxRate(true);
    emulator.Execute("SD0 3");
    EXPECT_EQ(side.Read("\r\n"), "SD 0 3\r\n");
    emulator.Execute("DT");
    const std::string first = side.Read("\r\n");
    const auto start = Clock::now();
    const std::string bytes = side.Read("never", 500ms);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_EQ(first.size(), 24u);
    EXPECT_LE(bytes.size(), 960 * seconds + 2 * first.size());
    EXPECT_GT(bytes.size(), 0u);
}

TEST(DeviceEmulator, HangingUpTakesTheLineAwayAndKeepsTheParameters)
{
    CDeviceEmulator emulator(DeviceFamily::Quorin, 1);
    const std::string first = StartedDevice(emulator);
    {
        const CTerminalSide side(first, B9600);
        side.Write("SA7\r");
        EXPECT_EQ(side.Read("\r\n"), "SA 7\r\n");
        emulator.HangUp();
        EXPECT_TRUE(side.HungUp());
    }
    const CTerminalSide again(StartedDevice(emulator), B9600);
    again.Write("SA\r");
    EXPECT_EQ(again.Read("\r\n"), "SA 7\r\n");
}

namespace {

// telvan-devsim with pipes on its standard input and output.
class CDevsimProcess
{
public:
    explicit CDevsimProcess(const std::vector<std::string>& args)
    {
        int input[2], output[2];
        if (::pipe(input) != 0 || ::pipe(output) != 0)
            return;
        m_nPid = ::fork();
        if (m_nPid == 0) {
            ::dup2(input[0], STDIN_FILENO);
            ::dup2(output[1], STDOUT_FILENO);
            std::vector<char*> argv{const_cast<char*>(TELVAN_DEVSIM_PROGRAM)};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(TELVAN_DEVSIM_PROGRAM, argv.data());
            ::_exit(127);
        }
        ::close(input[0]);
        ::close(output[1]);
        m_nInput = input[1];
        m_nOutput = output[0];
    }
    ~CDevsimProcess()
    {
        if (m_nPid > 0 && Wait(0ms) == -2) {
            ::kill(m_nPid, SIGKILL);
            Wait(5s);
        }
        ::close(m_nInput);
        ::close(m_nOutput);
    }

    std::string ReadLine() const
    {
        std::string line;
        char c;
        while (::read(m_nOutput, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    void WriteLine(const std::string& line) const
    {
        ASSERT_EQ(::write(m_nInput, (line + '\n').data(), line.size() + 1),
                  static_cast<ssize_t>(line.size() + 1));
    }
    void Signal(int signal) const { ::kill(m_nPid, signal); }
    // The exit status, -1 when it did not exit normally, -2 when it still runs after timeout.
    int Wait(Clock::duration timeout)
    {
        const auto end = Clock::now() + timeout;
        int status = 0;
        for (;;) {
            const pid_t done = ::waitpid(m_nPid, &status, WNOHANG);
            if (done == m_nPid) {
                m_nPid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (Clock::now() >= end)
                return -2;
            std::this_thread::sleep_for(10ms);
        }
    }

private:
    pid_t m_nPid = -1;
    int m_nInput = -1;
    int m_nOutput = -1;
};

} // namespace

TEST(DevsimProgram, PrintsTheDeviceLinksItAndRemovesTheLinkOnStop)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("devsim-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string link = (folder / "port").string();
    for (const int stop : {SIGTERM, SIGINT}) {
        CDevsimProcess devsim({"--family", "quorin", "--link", link, "--seed", "3"});
        const std::string device = devsim.ReadLine();
        ASSERT_TRUE(device.starts_with("/dev/pts/")) << device;
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), device);
        const CTerminalSide side(link, B9600);
        side.Write("ID\r");
        EXPECT_EQ(side.Read("\r\n"), "Telvan Quorin T2 V2.4.1 SN 204711\r\n");
        devsim.WriteLine("E64");
        EXPECT_EQ(side.Read("\r\n"), "E64  \r\n");
        devsim.Signal(stop);
        EXPECT_EQ(devsim.Wait(5s), 0);
        EXPECT_FALSE(std::filesystem::is_symlink(link));
    }
    std::filesystem::remove_all(folder);

    CDevsimProcess usage({"--seed", "1"});
    EXPECT_EQ(usage.Wait(5s), 2);
}

TEST(DevsimOptions, ReadsTheCommandLine)
{
    const CDevsimArguments full = ParseDevsimArguments(
        {"--family", "quorin", "--link", "/tmp/x", "--seed", "42", "--max-rate"});
    EXPECT_EQ(full.error, "");
    EXPECT_EQ(full.options.family, DeviceFamily::Quorin);
    EXPECT_EQ(full.options.link, "/tmp/x");
    EXPECT_EQ(full.options.seed, 42u);
    EXPECT_TRUE(full.options.maxRate);
    EXPECT_TRUE(ParseDevsimArguments({"--help"}).options.help);
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{},
                                                  {"--family", "zelnar", "--seed", "-1"},
                                                  {"--family", "x"},
                                                  {"--family", "zelnar", "--link"},
                                                  {"--family", "zelnar", "extra"}})
        EXPECT_NE(ParseDevsimArguments(wrong).error, "");
}
