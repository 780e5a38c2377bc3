#include "RecorderOptions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class RecorderOptions : public testing::Test
{
protected:
    CRecorderArguments Parse(QStringList arguments)
    {
        arguments.prepend("telvan-recorder");
        return ParseRecorderArguments(arguments, "/state");
    }

    std::string Config(const std::string& text)
    {
        const fs::path path = m_folder / "recorder.conf";
        std::ofstream(path) << text;
        return path.string();
    }

    void ExpectError(const QStringList& arguments, const std::string& error)
    {
        const CRecorderArguments parsed = Parse(arguments);
        EXPECT_EQ(parsed.action, CRecorderArguments::Action::Fail) << arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.error, error);
    }

    TempDir m_temp;
    const fs::path m_folder = m_temp.Path("");
};

} // namespace

TEST_F(RecorderOptions, DefaultsOfEachFamily)
{
    const CRecorderArguments zelnar =
        Parse({"--port", "/dev/ttyUSB0", "--family", "zelnar", "--out", "r.csv"});
    ASSERT_EQ(zelnar.action, CRecorderArguments::Action::Record) << zelnar.error;
    const CRecorderOptions& options = zelnar.options;
    EXPECT_EQ(options.port, "/dev/ttyUSB0");
    EXPECT_EQ(options.family, MeterFamily::Zelnar);
    EXPECT_EQ(options.baudRate, 115200);
    EXPECT_EQ(options.command, "DT");
    EXPECT_EQ(options.out, "r.csv");
    EXPECT_EQ(options.rotateBytes, 0u);
    EXPECT_EQ(options.separator, ";");
    EXPECT_EQ(options.decimal, ',');
    EXPECT_FALSE(options.publish);
    EXPECT_EQ(options.mqtt.clientId, "ttyUSB0");
    EXPECT_EQ(options.mqtt.topicPrefix, "telvan");
    EXPECT_EQ(options.mqtt.qos, 1);
    EXPECT_EQ(options.mqtt.queueFolder, "/state/queue-ttyUSB0");
    EXPECT_EQ(options.mqtt.queueBytes, std::uint64_t{100} << 20);

    const CRecorderArguments quorin = Parse({"--port", "/dev/serial/by-id/usb-meter-if00",
                                             "--family", "Quorin", "--mqtt", "mqtt://h",
                                             "--command", "ds"});
    ASSERT_EQ(quorin.action, CRecorderArguments::Action::Record) << quorin.error;
    EXPECT_EQ(quorin.options.family, MeterFamily::Quorin);
    EXPECT_EQ(quorin.options.baudRate, 9600);
    EXPECT_EQ(quorin.options.command, "DS");
    EXPECT_TRUE(quorin.options.publish);
    EXPECT_EQ(quorin.options.mqtt.host, "h");
    EXPECT_EQ(quorin.options.mqtt.clientId, "usb-meter-if00");
}

TEST_F(RecorderOptions, ConfigFileGivesWhatTheCommandLineLeavesOut)
{
    const std::string config = Config("# station 3, meter at the crane\n"
                                      "port = /dev/ttyUSB1\n"
                                      "family=zelnar\n"
                                      "baud = 9600\n"
                                      "; the broker\n"
                                      "mqtt = mqtts://broker.example\n"
                                      "username = crane\n"
                                      "password = s3cr;et,#1=2\n"
                                      "separator = \" ; \"\n"
                                      "decimal = .\n"
                                      "rotate-mb = 0.5\n"
                                      "queue-dir = /var/lib/telvan-recorder/q\n"
                                      "queue-mb = 20\n"
                                      "cafile = /etc/ssl/ca.pem\n");
    const CRecorderArguments parsed = Parse({"--config", QString::fromStdString(config), "--baud",
                                             "38400", "--client-id", "crane-3"});
    ASSERT_EQ(parsed.action, CRecorderArguments::Action::Record) << parsed.error;
    const CRecorderOptions& options = parsed.options;
    EXPECT_EQ(options.port, "/dev/ttyUSB1");
    EXPECT_EQ(options.baudRate, 38400); // the command line wins
    EXPECT_EQ(options.mqtt.clientId, "crane-3");
    EXPECT_TRUE(options.mqtt.tls);
    EXPECT_EQ(options.mqtt.port, 8883);
    EXPECT_EQ(options.mqtt.username, "crane");
    EXPECT_EQ(options.mqtt.password, "s3cr;et,#1=2");
    EXPECT_EQ(options.mqtt.caFile, "/etc/ssl/ca.pem");
    EXPECT_EQ(options.separator, " ; ");
    EXPECT_EQ(options.decimal, '.');
    EXPECT_EQ(options.rotateBytes, std::uint64_t{512} << 10);
    EXPECT_EQ(options.mqtt.queueFolder, "/var/lib/telvan-recorder/q");
    EXPECT_EQ(options.mqtt.queueBytes, std::uint64_t{20} << 20);
}

TEST_F(RecorderOptions, ConfigFileMistakesNameTheirLine)
{
    const std::string unknown = Config("port = /dev/ttyUSB0\nfamliy = zelnar\n");
    ExpectError({"--config", QString::fromStdString(unknown)},
                unknown + ":2: unknown key \"famliy\"");
    const std::string twice = Config("port = /dev/ttyUSB0\n\nport = /dev/ttyUSB1\n");
    ExpectError({"--config", QString::fromStdString(twice)},
                twice + ":3: \"port\" is set already on line 1");
    const std::string noValue = Config("port /dev/ttyUSB0\n");
    ExpectError({"--config", QString::fromStdString(noValue)},
                noValue + ":1: expected \"key = value\"");
    const std::string badValue = Config("port = /dev/ttyUSB0\nfamily = zelnar\nqos = 2\nout = x\n");
    ExpectError({"--config", QString::fromStdString(badValue)},
                badValue + ":3: qos: \"2\" is not 0 or 1");
    const std::string missing = (m_folder / "missing.conf").string();
    ExpectError({"--config", QString::fromStdString(missing)},
                missing + ": No such file or directory");
}

TEST_F(RecorderOptions, BadValuesAreNamed)
{
    const QStringList base = {"--port", "/dev/ttyUSB0", "--out", "r.csv"};
    ExpectError(base, "no meter family: give --family zelnar or --family quorin");
    ExpectError({"--family", "zelnar", "--out", "r.csv"}, "no serial port: give --port PATH");
    ExpectError({"--port", "/dev/ttyUSB0", "--family", "zelnar"},
                "nothing to record to: give --out FILE, --mqtt URL or both");
    ExpectError(base + QStringList{"--family", "zelnr"}, "--family: \"zelnr\" is not zelnar or quorin");
    ExpectError(base + QStringList{"--family", "zelnar", "--baud", "fast"},
                "--baud: \"fast\" is not a baud rate");
    ExpectError(base + QStringList{"--family", "quorin", "--command", "VT"},
                "--command: \"VT\" is not a measuring command of the family");
    ExpectError(base + QStringList{"--family", "zelnar", "--decimal", ",,"},
                "--decimal: \",,\" is not one character");
    ExpectError(base + QStringList{"--family", "zelnar", "--rotate-mb", "-1"},
                "--rotate-mb: \"-1\" is not a size in megabytes");
    ExpectError(base + QStringList{"--family", "zelnar", "--mqtt", "tcp://broker"},
                "--mqtt: bad broker URL \"tcp://broker\": use mqtt://HOST[:PORT] or "
                "mqtts://HOST[:PORT]");
    ExpectError(base + QStringList{"--family", "zelnar", "--topic", "site/#"},
                "--topic: \"site/#\" is not a topic prefix without + and #");
    ExpectError(base + QStringList{"--family", "zelnar", "--client-id", "a/b"},
                "--client-id: \"a/b\" is not an ID without /, + and #");
    ExpectError(base + QStringList{"--family", "zelnar", "--qos", "2"},
                "--qos: \"2\" is not 0 or 1");
    ExpectError(base + QStringList{"--family", "zelnar", "--speed", "1"}, "Unknown option 'speed'.");
    ExpectError(base + QStringList{"--family", "zelnar", "extra"}, "unexpected argument \"extra\"");
    ExpectError({"--port", "/dev/", "--family", "zelnar", "--mqtt", "mqtt://h"},
                "the port's name makes no client ID: give --client-id ID");
}

TEST_F(RecorderOptions, HelpAndVersion)
{
    const CRecorderArguments help = Parse({"--help"});
    EXPECT_EQ(help.action, CRecorderArguments::Action::Help);
    for (const char* option : {"--port", "--family", "--baud", "--command", "--out", "--rotate-mb",
                               "--mqtt", "--topic", "--qos", "--client-id", "--config"})
        EXPECT_NE(help.help.find(option), std::string::npos) << option;
    EXPECT_EQ(Parse({"--version"}).action, CRecorderArguments::Action::Version);
}
