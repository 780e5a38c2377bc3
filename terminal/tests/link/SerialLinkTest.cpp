#include "SerialLink.h"
#include "DeviceEmulator.h"
#include "LinkSettings.h"
#include "PortNames.h"
#include "TerminalState.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <grp.h>
#include <linux/capability.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Keeps the event loop going until done() holds; false when it does not within timeout.
bool PumpUntil(const std::function<bool()>& done, Clock::duration timeout = 5s)
{
    const auto end = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() >= end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void Pump(Clock::duration duration)
{
    PumpUntil([] { return false; }, duration);
}

// An emulated device on a pseudo-terminal and a link to it that records what it hands over.
struct CLinkToDevice
{
    CDeviceEmulator device{DeviceFamily::Zelnar, 1};
    CSerialLink link;
    std::vector<std::string> chunks;
    std::vector<std::string> lost;

    explicit CLinkToDevice(int baudRate = 115200)
    {
        std::string error;
        EXPECT_TRUE(device.Start(error)) << error;
        Aim(baudRate);
        link.SetReceiver([this](std::string_view chunk) { chunks.emplace_back(chunk); });
        link.SetLostHandler([this](const std::string& message) { lost.push_back(message); });
    }

    void Aim(int baudRate = 115200)
    {
        CLinkSettings settings;
        settings.portName = device.DevicePath();
        settings.baudRate = baudRate;
        link.SetSettings(settings);
    }

    std::string Received() const
    {
        std::string all;
        for (const std::string& chunk : chunks)
            all += chunk;
        return all;
    }

    bool Write(std::string_view bytes)
    {
        return link.WritePort(bytes.data(), static_cast<int>(bytes.size())) ==
               static_cast<int>(bytes.size());
    }
};

std::string AllByteValues()
{
    std::string bytes(256, '\0');
    for (int i = 0; i < 256; ++i)
        bytes[i] = static_cast<char>(i);
    return bytes;
}

// Root opens any file whatever its mode: this thread, and the threads it starts, lose the
// rights that allow it for as long as the object lives.
class CWithoutFileRights
{
public:
    CWithoutFileRights()
    {
        if (::geteuid() != 0 || Capabilities(SYS_capget, m_saved) != 0)
            return;
        Data reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        m_bDropped = Capabilities(SYS_capset, reduced) == 0;
    }
    ~CWithoutFileRights()
    {
        if (m_bDropped)
            Capabilities(SYS_capset, m_saved);
    }
    CWithoutFileRights(const CWithoutFileRights&) = delete;
    CWithoutFileRights& operator=(const CWithoutFileRights&) = delete;

private:
    using Data = __user_cap_data_struct;

    static long Capabilities(long call, Data* data)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(call, &header, data);
    }

    Data m_saved[2]{};
    bool m_bDropped = false;
};

} // namespace

TEST(SerialLink, BytesPassUnchangedBothWays)
{
    CLinkToDevice bench;
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    EXPECT_TRUE(g_bConnected);
    EXPECT_TRUE(bench.Write("DM\r"));
    ASSERT_TRUE(bench.device.WaitForReceived(3, 5s));
    EXPECT_EQ(bench.device.Received(), "DM\r");
    ASSERT_TRUE(PumpUntil([&] { return bench.Received().ends_with("\r\n"); }));
    EXPECT_TRUE(bench.Received().starts_with("D+")) << bench.Received();

    // Binary mode: no byte is translated, eaten or added, CR, LF and XON/XOFF included.
    bench.chunks.clear();
    const std::string all = AllByteValues();
    bench.device.Send(all);
    ASSERT_TRUE(PumpUntil([&] { return bench.Received().size() >= all.size(); }));
    Pump(50ms);
    EXPECT_EQ(bench.Received(), all);
    for (const std::string& chunk : bench.chunks)
        EXPECT_LE(chunk.size(), 100u);
    EXPECT_TRUE(bench.Write(all));
    ASSERT_TRUE(bench.device.WaitForReceived(3 + all.size(), 5s));
    EXPECT_EQ(bench.device.Received().substr(3), all);
    bench.link.ClosePort();
    EXPECT_FALSE(g_bConnected);
}

TEST(SerialLink, BurstIsHandedOverInChunksOfAtMostHundredBytes)
{
    CLinkToDevice bench;
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    std::string burst;
    for (int i = 0; i < 150; ++i)
        burst += static_cast<char>('A' + i % 26);
    bench.device.Send(burst);
    ASSERT_TRUE(PumpUntil([&] { return bench.Received().size() >= burst.size(); }));
    ASSERT_EQ(bench.chunks.size(), 2u);
    EXPECT_EQ(bench.chunks[0], burst.substr(0, 100));
    EXPECT_EQ(bench.chunks[1], burst.substr(100));
}

TEST(SerialLink, ABacklogArrivesWholeAndInOrder)
{
    // The device keeps sending while the user-interface thread is busy: what piled up is
    // handed over in order, in chunks of at most 100 bytes, none lost.
    CLinkToDevice bench;
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    std::string sent;
    for (int line = 0; line < 600; ++line)
        sent += "D+" + std::to_string(100000 + line) + "\r\n";
    bench.device.Send(sent);
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(PumpUntil([&] { return bench.Received().size() >= sent.size(); }));
    EXPECT_EQ(bench.Received(), sent);
    for (const std::string& chunk : bench.chunks)
        EXPECT_LE(chunk.size(), 100u);
}

TEST(SerialLink, OnlyOneOpenAtATime)
{
    CLinkToDevice bench;
    EXPECT_EQ(bench.link.WritePort("ID\r", 3), 0) << "not connected";
    bench.link.ClosePort(); // nothing to close
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    EXPECT_FALSE(bench.link.OpenPort());
    EXPECT_TRUE(g_bConnected);
    EXPECT_TRUE(bench.Write("ID\r")) << "the first open is untouched";
    ASSERT_TRUE(PumpUntil([&] { return bench.Received().ends_with("\r\n"); }));
    bench.link.ClosePort();
    EXPECT_FALSE(g_bConnected);
    EXPECT_EQ(bench.link.WritePort("ID\r", 3), 0);
    ASSERT_TRUE(bench.link.OpenPort()) << "the port was given back";
}

TEST(SerialLink, DisconnectDuringFullRateStreamingIsPromptAndFinal)
{
    CLinkToDevice bench(921600);
    bench.device.SetMaxRate(true);
    for (int round = 0; round < 100; ++round) {
        ASSERT_TRUE(bench.link.OpenPort()) << "round " << round << ": " << bench.link.FailureText();
        bench.chunks.clear();
        ASSERT_TRUE(bench.Write("DT\r"));
        ASSERT_TRUE(PumpUntil([&] { return bench.chunks.size() >= 3; })) << "round " << round;
        // Meanwhile the next chunk waits for the user-interface thread.
        std::this_thread::sleep_for(2ms);
        const auto start = Clock::now();
        bench.link.ClosePort();
        EXPECT_LT(Clock::now() - start, 500ms) << "round " << round;
        const std::size_t handedOver = bench.chunks.size();
        Pump(10ms);
        ASSERT_EQ(bench.chunks.size(), handedOver) << "round " << round;
    }
    EXPECT_TRUE(bench.lost.empty());
}

TEST(SerialLink, ReceiverMayCloseTheLink)
{
    CLinkToDevice bench;
    bench.link.SetReceiver([&](std::string_view chunk) {
        bench.chunks.emplace_back(chunk);
        bench.link.ClosePort();
    });
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    bench.device.Send(std::string(250, 'x'));
    ASSERT_TRUE(PumpUntil([&] { return !bench.chunks.empty(); }));
    Pump(100ms);
    EXPECT_EQ(bench.chunks.size(), 1u);
    EXPECT_FALSE(g_bConnected);
}

TEST(SerialLink, DeviceHangingUpIsReportedOnceAndConnectWorksAgain)
{
    CLinkToDevice bench;
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    ASSERT_TRUE(bench.Write("DT\r"));
    ASSERT_TRUE(PumpUntil([&] { return !bench.chunks.empty(); }));
    bench.device.HangUp();
    ASSERT_TRUE(PumpUntil([&] { return !bench.lost.empty(); }));
    Pump(200ms);
    ASSERT_EQ(bench.lost.size(), 1u);
    EXPECT_EQ(bench.lost[0], "COM Port connection lost!");
    EXPECT_FALSE(g_bConnected);
    EXPECT_EQ(bench.link.WritePort("ID\r", 3), 0);

    std::string error;
    ASSERT_TRUE(bench.device.Start(error)) << error;
    bench.Aim();
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    bench.chunks.clear();
    ASSERT_TRUE(bench.Write("ID\r"));
    ASSERT_TRUE(PumpUntil([&] { return bench.Received().find("Zelnar") != std::string::npos; }))
        << bench.Received();
    bench.link.ClosePort();
    EXPECT_EQ(bench.lost.size(), 1u);
}

TEST(SerialLink, MissingPortGivesTheSystemsReasonOnASecondLine)
{
    CSerialLink link;
    CLinkSettings settings;
    settings.portName = "/dev/telvan-no-such-port";
    link.SetSettings(settings);
    EXPECT_FALSE(link.OpenPort());
    EXPECT_FALSE(g_bConnected);
    EXPECT_EQ(link.FailureText(), "Failed to establish COM Port connection!\n"
                                  "/dev/telvan-no-such-port: No such file or directory");
}

TEST(SerialLink, PortWithoutPermissionSaysHowToGetAccess)
{
    CLinkToDevice bench;
    const std::string path = bench.device.DevicePath();
    // Owned by another user, and by a group the test does not belong to.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(path.c_str(), ::geteuid() == 0 ? 0660 : 0), 0);
    struct stat status
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    const std::string group = ::getgrgid(status.st_gid)->gr_name;
    const std::string user = ::getpwuid(::geteuid())->pw_name;
    {
        const CWithoutFileRights unprivileged;
        EXPECT_FALSE(bench.link.OpenPort());
    }
    EXPECT_FALSE(g_bConnected);
    EXPECT_EQ(bench.link.FailureText(),
              "Failed to establish COM Port connection!\n" + path +
                  ": Permission denied. Access needs membership of the group \"" + group +
                  "\" that owns it: sudo usermod -a -G " + group + " " + user +
                  ", then log in again.");
}

TEST(SerialLink, SettingsReachTheLine)
{
    CLinkToDevice bench;
    CLinkSettings settings;
    settings.portName = bench.device.DevicePath();
    settings.baudRate = 9600;
    settings.stopBitsIndex = 2;
    bench.link.SetSettings(settings);
    ASSERT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
    termios line = bench.device.LineSettings();
    EXPECT_EQ(::cfgetospeed(&line), B9600);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(line.c_cflag & PARENB);
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    // Binary: nothing translated or taken as a control character.
    EXPECT_EQ(line.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);

    // Re-applied to the open port; a stop-bits index beyond the list keeps the port's.
    settings.baudRate = 115200;
    settings.stopBitsIndex = 5;
    bench.link.SetSettings(settings);
    ASSERT_TRUE(bench.link.ConfigurePort()) << bench.link.FailureText();
    line = bench.device.LineSettings();
    EXPECT_EQ(::cfgetospeed(&line), B115200);
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    settings.stopBitsIndex = 0;
    bench.link.SetSettings(settings);
    ASSERT_TRUE(bench.link.ConfigurePort()) << bench.link.FailureText();
    line = bench.device.LineSettings();
    EXPECT_FALSE(line.c_cflag & CSTOPB);
    EXPECT_DOUBLE_EQ(bench.device.CharactersPerSecond(), 11520.0);

    // A rate without a speed code of its own, as the fast devices use, reaches the line too.
    settings.baudRate = 256000;
    bench.link.SetSettings(settings);
    ASSERT_TRUE(bench.link.ConfigurePort()) << bench.link.FailureText();
    EXPECT_DOUBLE_EQ(bench.device.CharactersPerSecond(), 25600.0);
    settings.baudRate = 115200;
    bench.link.SetSettings(settings);
    ASSERT_TRUE(bench.link.ConfigurePort()) << bench.link.FailureText();

    // A pseudo-terminal carries eight data bits only: the driver refuses seven, and the port
    // keeps all it had, the baud rate applied before the refusal included.
    const std::string path = bench.device.DevicePath();
    settings.baudRate = 9600;
    settings.dataBits = 7;
    bench.link.SetSettings(settings);
    EXPECT_FALSE(bench.link.ConfigurePort());
    EXPECT_EQ(bench.link.FailureText(),
              "Failed to configurate the COM Port!\n" + path + ": Invalid argument");
    line = bench.device.LineSettings();
    EXPECT_EQ(::cfgetospeed(&line), B115200);
    settings.dataBits = 9;
    bench.link.SetSettings(settings);
    EXPECT_FALSE(bench.link.ConfigurePort());
    EXPECT_EQ(bench.link.FailureText(),
              "Failed to configurate the COM Port!\n" + path + ": 9 data bits are not possible");
    EXPECT_TRUE(g_bConnected) << "the port stays open";
    bench.link.ClosePort();
    EXPECT_FALSE(bench.link.ConfigurePort());
    EXPECT_EQ(bench.link.FailureText(),
              "Failed to configurate the COM Port!\nThe port is not open.");

    // Settings the driver refuses fail the open and leave the port free.
    settings.dataBits = 7;
    bench.link.SetSettings(settings);
    EXPECT_FALSE(bench.link.OpenPort());
    EXPECT_EQ(bench.link.FailureText(),
              "Failed to establish COM Port connection!\n" + path + ": Invalid argument");
    EXPECT_FALSE(g_bConnected);
    settings.dataBits = 8;
    bench.link.SetSettings(settings);
    EXPECT_TRUE(bench.link.OpenPort()) << bench.link.FailureText();
}

TEST(LinkSettings, PortValuesOfTheChosenIndices)
{
    EXPECT_EQ(DataBitsOf(5), QSerialPort::Data5);
    EXPECT_EQ(DataBitsOf(8), QSerialPort::Data8);
    EXPECT_FALSE(DataBitsOf(4));
    EXPECT_FALSE(DataBitsOf(9));
    EXPECT_EQ(ParityOf(0), QSerialPort::NoParity);
    EXPECT_EQ(ParityOf(1), QSerialPort::EvenParity);
    EXPECT_EQ(ParityOf(2), QSerialPort::OddParity);
    EXPECT_EQ(ParityOf(3), QSerialPort::OddParity) << "any other index is odd";
    EXPECT_EQ(ParityOf(-1), QSerialPort::OddParity);
    EXPECT_EQ(StopBitsOf(0), QSerialPort::OneStop);
    EXPECT_EQ(StopBitsOf(1), QSerialPort::OneAndHalfStop);
    EXPECT_EQ(StopBitsOf(2), QSerialPort::TwoStop);
    EXPECT_FALSE(StopBitsOf(3));
}

TEST(PortNames, ComNamesAndPaths)
{
    EXPECT_EQ(PortPath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(PortPath("COM10"), "/dev/ttyS9");
    EXPECT_EQ(PortPath("COM11"), "COM11");
    EXPECT_EQ(PortPath("/tmp/telvan-port"), "/tmp/telvan-port");
    const std::vector<std::string> offered = OfferedPortNames();
    ASSERT_GE(offered.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(offered[i], "COM" + std::to_string(i + 1));
    for (std::size_t i = 10; i < offered.size(); ++i) {
        EXPECT_TRUE(offered[i].starts_with("/dev/")) << offered[i];
        EXPECT_FALSE(offered[i].starts_with("/dev/ttyS") && offered[i].size() == 10)
            << offered[i] << " is listed as a COM name already";
    }
}
