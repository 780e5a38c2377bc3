#include "COMDlg.h"
#include "JournalFolder.h"
#include "JournalReader.h"
#include "LogZL.h"
#include "QuorinDlg.h"
#include "StatusBar.h"
#include "TerminalApp.h"
#include "TerminalOptions.h"
#include "TerminalSettings.h"
#include "UiTestSupport.h"
#include "ZelnarDlg.h"

#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace {

CTerminalCommandLine Parse(QStringList arguments)
{
    arguments.prepend("telvan-terminal");
    return ParseTerminalCommandLine(arguments);
}

// The program, started as the operator starts it, with this test's home.
struct CProgram
{
    QProcess process;

    explicit CProgram(const QStringList& arguments, bool display = true)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!display) {
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(name);
        }
        process.setProcessEnvironment(environment);
        process.start(TELVAN_TERMINAL_PROGRAM, arguments);
    }
    ~CProgram()
    {
        process.kill();
        process.waitForFinished();
    }
    // Ends on its own within a long while.
    bool Ended() { return process.waitForFinished(60000); }
};

} // namespace

TEST(TerminalOptions, ValuesAreTakenAndMistakesNamed)
{
    const CTerminalCommandLine run =
        Parse({"--port", "/dev/ttyUSB0", "--family", "Quorin", "--baud", "921600",
               "--reset-settings", "-platform", "offscreen"});
    EXPECT_FALSE(run.exitStatus);
    EXPECT_EQ(run.options.port, "/dev/ttyUSB0");
    EXPECT_EQ(run.options.family, "Quorin");
    EXPECT_EQ(run.options.baudRate, 921600);
    EXPECT_TRUE(run.options.resetSettings);
    EXPECT_FALSE(Parse({}).options.port);

    for (const auto& [arguments, named] :
         std::vector<std::pair<QStringList, QString>>{{{"--baud", "fast"}, "'fast' for --baud"},
                                                      {{"--baud", "-9600"}, "'-9600' for --baud"},
                                                      {{"--family", "zeta"}, "'zeta' for --family"},
                                                      {{"--port", " "}, "--port"},
                                                      {{"--port"}, "--port"},
                                                      {{"--colour"}, "'colour'"},
                                                      {{"COM1"}, "'COM1'"}}) {
        const CTerminalCommandLine bad = Parse(arguments);
        EXPECT_EQ(bad.exitStatus, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(bad.toStandardError);
        const QString first = bad.output.section('\n', 0, 0);
        EXPECT_TRUE(first.startsWith("telvan-terminal: ") && first.contains(named))
            << first.toStdString();
        EXPECT_TRUE(bad.output.section('\n', 1, 1).startsWith("Usage: telvan-terminal"));
    }
}

TEST(TerminalOptions, TheStartSettingsAreTheRememberedOnesWithTheOptionsInstead)
{
    const CPortSettings remembered{"Zelnar", "/dev/ttyUSB1", "256000", "8", 0, 0};
    CTerminalOptions options;
    const CPortSettings same = StartSettings(options, remembered);
    EXPECT_EQ(same.comPort, "/dev/ttyUSB1");
    EXPECT_EQ(same.baudRate, "256000");
    options.family = "Quorin";
    const CPortSettings quorin = StartSettings(options, remembered);
    EXPECT_EQ(quorin.device, "Quorin");
    EXPECT_EQ(quorin.baudRate, "9600") << "another family brings its own baud rate";
    options.baudRate = 19200;
    options.port = "/dev/ttyACM0";
    const CPortSettings named = StartSettings(options, remembered);
    EXPECT_EQ(named.baudRate, "19200");
    EXPECT_EQ(named.comPort, "/dev/ttyACM0");
}

TEST(TerminalProgram, HelpVersionAndMistakesNeedNoScreen)
{
    CProgram help({"--help"}, false);
    ASSERT_TRUE(help.Ended());
    EXPECT_EQ(help.process.exitCode(), 0);
    const QString usage = help.process.readAllStandardOutput();
    for (const char* option : {"Usage: telvan-terminal [options]", "--port <PATH>",
                               "--family <FAMILY>", "--baud <N>", "--reset-settings", "--version"})
        EXPECT_TRUE(usage.contains(option)) << option;
    EXPECT_FALSE(usage.contains("platform") || usage.contains("help-all"))
        << "Qt's own options stay out of the help";

    CProgram version({"--version"}, false);
    ASSERT_TRUE(version.Ended());
    EXPECT_EQ(version.process.exitCode(), 0);
    EXPECT_EQ(version.process.readAllStandardOutput(), "telvan-terminal " TELVAN_VERSION "\n");

    CProgram mistake({"--family", "zelnar", "--baud", "fast"}, false);
    ASSERT_TRUE(mistake.Ended());
    EXPECT_EQ(mistake.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(mistake.process.exitCode(), 2);
    const QString error = mistake.process.readAllStandardError();
    EXPECT_TRUE(error.startsWith("telvan-terminal: invalid value 'fast' for --baud"))
        << error.toStdString();
    EXPECT_TRUE(error.contains("\nUsage: telvan-terminal [options]"));
    EXPECT_TRUE(mistake.process.readAllStandardOutput().isEmpty());
}

TEST(TerminalProgram, ComConfigurationOpensWithTheLastConnectionUnlessResetOrDamaged)
{
    // Runs the program up to its COM Port Configuration, which is cancelled; gives the
    // family, port and baud rate shown there, and what the program wrote on standard error.
    const auto run = [](const CTerminalOptions& options) {
        QStringList shown;
        CUserDialogs::SetModalHandler([&](QDialog& dialog) {
            auto* configuration = qobject_cast<COMDlg*>(&dialog);
            EXPECT_NE(configuration, nullptr);
            if (configuration) {
                for (const int id : {1010, 1000, 1001})
                    shown << FindControl<QComboBox>(configuration, id)->currentText();
            }
            return int(QDialog::Rejected);
        });
        QTemporaryFile errors;
        EXPECT_TRUE(errors.open());
        std::fflush(stderr);
        const int standardError = ::dup(STDERR_FILENO);
        ::dup2(errors.handle(), STDERR_FILENO);
        EXPECT_EQ(CTerminalApp(options).Run(), 0);
        std::fflush(stderr);
        ::dup2(standardError, STDERR_FILENO);
        ::close(standardError);
        CUserDialogs::SetModalHandler({});
        errors.seek(0);
        return std::pair{shown.join(' ').toStdString(), QString::fromLocal8Bit(errors.readAll())};
    };
    const std::string defaults = "Zelnar COM1 115200";

    const CPortSettings last{"Quorin", "/dev/ttyUSB7", "19200", "8", 0, 0};
    CTerminalSettings().SetLastConnection(last);
    EXPECT_EQ(run({}).first, "Quorin /dev/ttyUSB7 19200");
    CTerminalOptions reset;
    reset.resetSettings = true;
    EXPECT_EQ(run(reset).first, defaults);
    EXPECT_EQ(run({}).first, defaults) << "the reset is for good";

    CTerminalSettings().SetLastConnection(last);
    {
        QFile file(CTerminalSettings::FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[connection\nfamily=Quorin\n\xff\xfe garbage");
    }
    const auto [shown, errors] = run({});
    EXPECT_EQ(shown, defaults);
    EXPECT_EQ(errors.count('\n'), 1) << errors.toStdString();
    EXPECT_TRUE(errors.endsWith('\n') && errors.contains(CTerminalSettings::FilePath()))
        << errors.toStdString();
    EXPECT_TRUE(run({}).second.isEmpty()) << "said once; the damaged file is put aside";
}

TEST(TerminalProgram, WithAPortTheFamilysDialogOpensAtOnceAndIsRememberedAsLeft)
{
    CEmulatedQuorin emulated;
    CAnsweredDialogs dialogs;
    const std::string port = emulated.device.DevicePath();
    CTerminalOptions options;
    options.port = port;
    options.family = "Quorin";
    QSize size;
    const auto run = [&](const std::function<void(QuorinDlg&)>& look) {
        CUserDialogs::SetModalHandler([&](QDialog& dialog) {
            auto* main = qobject_cast<QuorinDlg*>(&dialog);
            EXPECT_NE(main, nullptr) << "no COM Port Configuration";
            if (main)
                look(*main);
            dialog.reject();
            return dialog.result();
        });
        EXPECT_EQ(CTerminalApp(options).Run(), 0);
        CUserDialogs::SetModalHandler({});
    };
    run([&](QuorinDlg& main) {
        EXPECT_TRUE(g_bConnected);
        main.StatusBar().Refresh();
        EXPECT_EQ(main.StatusBar().Texts().connection, "Quorin on " + port + " at 9600 baud");
        EXPECT_EQ(main.StatusBar().Texts().journal, "journal writing");
        main.resize(main.width() - 37, main.height() + 11);
        size = main.size();
    });
    const CPortSettings last = CTerminalSettings().LastConnection();
    EXPECT_EQ(last.device, "Quorin");
    EXPECT_EQ(last.comPort, port);
    EXPECT_EQ(last.baudRate, "9600");
    EXPECT_TRUE(CJournalFolder(CJournalFolder::DefaultPath()).Abandoned().isEmpty())
        << "a clean end removes the journal";

    run([&](QuorinDlg& main) { EXPECT_EQ(main.size(), size); });
}

// The program is killed in the middle of a stream and started again: its journal gives back
// every line it had listed, up to its last moments, without gaps or doubles.
TEST(TerminalProgram, KilledMidStreamItGivesBackTheReceivedLinesOnTheNextStart)
{
    CDeviceEmulator device(DeviceFamily::Zelnar, 1);
    device.SetCountingTarget(true);
    std::string error;
    ASSERT_TRUE(device.Start(error)) << error;
    const QString port = QString::fromStdString(device.DevicePath());
    const QString folder = CJournalFolder::DefaultPath();

    // The start-up Get ends with PA; its message waits for an operator while lines arrive.
    CProgram program({"--port", port, "--family", "zelnar", "--baud", "115200"});
    ASSERT_TRUE(
        PumpUntil([&] { return device.Received().find("PA\r") != std::string::npos; }, 60000ms));
    const std::string listingText = device.Listing();
    const auto listing =
        static_cast<std::uint64_t>(std::count(listingText.begin(), listingText.end(), '\n'));
    ASSERT_TRUE(PumpUntil([&] { return device.LinesSent() >= listing; }, 60000ms));
    device.Execute("DT");
    const auto measurements = [](const QString& session) {
        std::uint64_t count = 0;
        CJournalReader(session).Read(
            [&](std::int64_t, std::string_view entry) { count += entry.substr(0, 2) == "D+"; });
        return count;
    };
    QString session;
    std::uint64_t journalled = 0;
    ASSERT_TRUE(PumpUntil(
        [&] {
            const QStringList sessions = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            session = sessions.isEmpty() ? QString() : QDir(folder).filePath(sessions.front());
            journalled = session.isEmpty() ? 0 : measurements(session);
            return journalled >= 300;
        },
        120000ms));
    // Killed at a moment of the device's choosing, not of the journal's.
    const std::uint64_t onDisk = device.LinesSent();
    ASSERT_TRUE(PumpUntil([&] { return device.LinesSent() >= onDisk + 150; }, 60000ms));
    const std::uint64_t sent = device.LinesSent() - listing;
    ::kill(static_cast<pid_t>(program.process.processId()), SIGKILL);
    const auto killedAt =
        std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now())
            .time_since_epoch()
            .count();
    ASSERT_TRUE(program.Ended());
    EXPECT_EQ(program.process.exitStatus(), QProcess::CrashExit);
    const std::int64_t lastListed = CJournalReader(session).Summary().lastMs;

    // Started again on the same device: recover.
    CAnsweredDialogs dialogs;
    int offers = 0;
    CUserDialogs::SetQuestionHandler([&](const QString&, const QStringList&) {
        ++offers;
        return 0;
    });
    QTemporaryDir saves;
    dialogs.filePath = saves.filePath("recovered.txt");
    std::vector<std::string> recovered;
    CUserDialogs::SetModalHandler([&](QDialog& dialog) {
        auto* main = qobject_cast<ZelnarDlg*>(&dialog);
        EXPECT_NE(main, nullptr);
        if (main) {
            const CLogBook& book = main->Log().Book();
            for (std::size_t i = book.StartIndex(); i < book.StopIndex(); ++i)
                recovered.emplace_back(book.Entries()[i]);
            FindControl<QPushButton>(&main->Log(), 1101)->click();
        }
        dialog.reject();
        return dialog.result();
    });
    CTerminalOptions options;
    options.port = port.toStdString();
    EXPECT_EQ(CTerminalApp(options).Run(), 0);
    CUserDialogs::SetModalHandler({});
    CUserDialogs::SetQuestionHandler({});
    EXPECT_EQ(offers, 1);

    std::int64_t first = -1;
    std::int64_t previous = -1;
    std::uint64_t lines = 0;
    for (const std::string& entry : recovered) {
        if (entry.substr(0, 2) != "D+")
            continue;
        const std::int64_t count = std::llround(std::atof(entry.c_str() + 1) * 1000);
        if (previous >= 0)
            ASSERT_EQ(count, previous + 1) << "a gap or a double at line " << lines;
        else
            first = count;
        previous = count;
        ++lines;
    }
    EXPECT_GE(lines, journalled) << "what was on the disk stays there";
    EXPECT_LE(lines, sent);
    EXPECT_EQ(first, 1) << "from the stream's first line on";
    std::string saved;
    for (const std::string& entry : recovered)
        saved += entry + "\r\n";
    EXPECT_EQ(ReadFile(dialogs.filePath), saved);
    std::printf("kill -9: %llu lines sent before the kill, %llu recovered, %llu lost; the last "
                "recovered line was listed %lld ms before the kill\n",
                static_cast<unsigned long long>(sent), static_cast<unsigned long long>(lines),
                static_cast<unsigned long long>(sent - lines),
                static_cast<long long>(killedAt - lastListed));
}
