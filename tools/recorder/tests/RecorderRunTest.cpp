// telvan-recorder end to end: the program on an emulated meter behind a pseudo-terminal,
// publishing to Debian's mosquitto on 127.0.0.1, with a subscriber of its own.

#include "DeviceEmulator.h"
#include "MessageQueue.h"
#include "RecorderProcess.h"
#include "LocalBroker.h"
#include "LocalSubscriber.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A hang guard only: each wait ends as soon as what it waits for has happened.
constexpr std::chrono::seconds kGuard{120};
constexpr const char* kReadingTopic = "telvan/station/reading";
constexpr const char* kStatusTopic = "telvan/station/status";

constexpr auto Field = &CLocalSubscriber::Field;

// The distance in thousandths: the emulated target steps one a measurement.
long long Thousandths(const std::string& json)
{
    return std::llround(std::stod(Field(json, "distance")) * 1000);
}

// The CSV row the recorder writes for a reading it published.
std::string ZelnarRow(const std::string& json)
{
    const auto number = [&](const char* key) {
        std::string text = Field(json, key);
        std::replace(text.begin(), text.end(), '.', ',');
        return text;
    };
    const auto flag = [&](const char* key) {
        const std::string text = Field(json, key);
        return text.empty() ? "" : text == "true" ? "1" : "0";
    };
    return Field(json, "time") + ";" + number("distance") + ";" + number("speed") + ";" +
           number("strength") + ";" + number("temperature") + ";" + Field(json, "error") + ";" +
           flag("q1") + ";" + flag("q2") + ";" + number("current");
}

class RecorderRun : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_broker.Start(error)) << error;
        m_subscriber = std::make_unique<CLocalSubscriber>("station-subscriber", "telvan/#");
        ASSERT_TRUE(m_subscriber->Start(m_broker.Port(), error)) << error;
        ASSERT_TRUE(m_subscriber->WaitForSubscription(kGuard));
        m_device.SetCountingTarget(true);
        PlugIn();
        // Distance with strength and temperature.
        m_device.Execute("SD0 3");
        std::ofstream(m_folder / "recorder.conf") << "queue-dir = " << (m_folder / "queue").string()
                                                  << "\n";
    }

    void TearDown() override
    {
        m_process.reset();
        m_subscriber.reset();
        m_device.HangUp();
    }

    // The meter comes (back) on a new pseudo-terminal behind the same path.
    void PlugIn()
    {
        std::string error;
        ASSERT_TRUE(m_device.Start(error)) << error;
        fs::remove(Link());
        fs::create_symlink(m_device.DevicePath(), Link());
    }

    fs::path Link() const { return m_folder / "meter"; }
    fs::path Csv() const { return m_folder / "readings.csv"; }

    std::vector<std::string> Arguments() const
    {
        return {"--config",  (m_folder / "recorder.conf").string(), "--port",  Link().string(),
                "--family",  "zelnar",  "--out",  Csv().string(), "--mqtt", m_broker.Url(),
                "--client-id", "station"};
    }

    void StartRecorder()
    {
        m_process = std::make_unique<CRecorderProcess>(m_folder);
        ASSERT_TRUE(m_process->Start(Arguments()));
        ASSERT_TRUE(m_process->WaitForError("measuring", kGuard)) << m_process->Error();
    }

    void StopRecorder(int signal = SIGTERM)
    {
        m_process->Signal(signal);
        EXPECT_EQ(m_process->Wait(kGuard), 0) << m_process->Error();
    }

    std::vector<std::string> CsvRows() const
    {
        std::ifstream file(Csv(), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        std::vector<std::string> rows;
        std::string all = text.str();
        for (std::size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
            rows.push_back(all.substr(at, end - at));
        if (!rows.empty())
            rows.erase(rows.begin()); // the header
        return rows;
    }

    bool WaitForCsvRows(std::size_t count) const
    {
        const auto end = std::chrono::steady_clock::now() + kGuard;
        while (CsvRows().size() < count) {
            if (std::chrono::steady_clock::now() >= end)
                return false;
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

    // Readings received, each counted once: after a broken connection QoS 1 may bring one twice.
    bool WaitForReadings(std::size_t count) const
    {
        return m_subscriber->WaitFor(
            [count](const auto& messages) {
                std::set<std::string> distinct;
                for (const auto& message : messages)
                    if (message.topic == kReadingTopic)
                        distinct.insert(message.payload);
                return distinct.size() >= count;
            },
            kGuard);
    }

    bool WaitForStatus(const std::string& status, int count = 1) const
    {
        return m_subscriber->WaitFor(
            [&](const auto& messages) {
                return std::count_if(messages.begin(), messages.end(), [&](const auto& m) {
                           return m.topic == kStatusTopic && m.payload == status;
                       }) >= count;
            },
            kGuard);
    }

    // What the recorder left in its queue for its next run.
    std::vector<std::string> Queued() const
    {
        CMessageQueue queue(m_folder / "queue", std::uint64_t{100} << 20);
        std::string error;
        EXPECT_TRUE(queue.Open(error)) << error;
        std::vector<std::string> queued;
        std::uint64_t number = 0;
        std::string message;
        while (queue.Next(number, message))
            queued.push_back(message);
        return queued;
    }

    // Every row of the CSV file was published: received, once or (after a broken connection)
    // more often, or still in the queue for the next run; in the same order, with the same
    // values. Returns the readings received more than once.
    std::size_t ExpectFileMatchesPublished() const
    {
        std::vector<std::string> published;
        std::size_t duplicates = 0;
        for (const std::string& json : m_subscriber->Payloads(kReadingTopic)) {
            if (std::find(published.begin(), published.end(), json) == published.end())
                published.push_back(json);
            else
                ++duplicates;
        }
        for (const std::string& json : Queued())
            if (std::find(published.begin(), published.end(), json) == published.end())
                published.push_back(json);
        const std::vector<std::string> rows = CsvRows();
        EXPECT_EQ(rows.size(), published.size());
        for (std::size_t i = 0; i < std::min(rows.size(), published.size()); ++i)
            EXPECT_EQ(rows[i], ZelnarRow(published[i])) << "row " << i;
        return duplicates;
    }

    // Stretches of readings one measurement apart: one for a stream without a break.
    static int Stretches(const std::vector<std::string>& readings)
    {
        int stretches = readings.empty() ? 0 : 1;
        for (std::size_t i = 1; i < readings.size(); ++i)
            if (Thousandths(readings[i]) != Thousandths(readings[i - 1]) + 1)
                ++stretches;
        return stretches;
    }

    TempDir m_temp;
    const fs::path m_folder = m_temp.Path("");
    CLocalBroker m_broker;
    std::unique_ptr<CLocalSubscriber> m_subscriber;
    CDeviceEmulator m_device{DeviceFamily::Zelnar, 1};
    std::unique_ptr<CRecorderProcess> m_process;
};

} // namespace

TEST_F(RecorderRun, EveryReadingReachesFileAndSubscriberOnceAndInOrder)
{
    StartRecorder();
    ASSERT_TRUE(WaitForReadings(300));
    StopRecorder();
    ASSERT_TRUE(WaitForStatus("offline"));

    const std::vector<std::string> readings = m_subscriber->Payloads(kReadingTopic);
    EXPECT_EQ(Stretches(readings), 1);
    EXPECT_NE(Field(readings.front(), "strength"), "");
    EXPECT_EQ(Field(readings.front(), "temperatureUnit"), "°C");
    EXPECT_EQ(ExpectFileMatchesPublished(), 0u);
    const std::vector<std::string> states = m_subscriber->Payloads(kStatusTopic);
    ASSERT_GE(states.size(), 2u);
    EXPECT_EQ(states.front(), "online");
    EXPECT_EQ(states.back(), "offline");
    // Get, the command, and ESC at the end.
    const std::string sent = m_device.Received();
    EXPECT_TRUE(sent.starts_with("\x1b\rPA\rDT\r")) << sent;
    EXPECT_TRUE(sent.ends_with("\x1b")) << sent;
}

TEST_F(RecorderRun, BrokerRestartedMidStreamLosesNothing)
{
    StartRecorder();
    ASSERT_TRUE(WaitForReadings(100));
    m_broker.Stop();
    ASSERT_TRUE(m_process->WaitForError("readings wait in the queue", kGuard));
    // Readings go on into the file while the broker is away.
    ASSERT_TRUE(WaitForCsvRows(CsvRows().size() + 200));
    std::string error;
    ASSERT_TRUE(m_broker.Start(error)) << error;
    ASSERT_TRUE(m_process->WaitForError("connected to the broker", kGuard, 2));
    // What was written while the broker was away, and more after it.
    ASSERT_TRUE(WaitForReadings(CsvRows().size() + 100));
    StopRecorder();
    ASSERT_TRUE(WaitForStatus("offline"));
    const std::size_t duplicates = ExpectFileMatchesPublished();
    RecordProperty("duplicates", static_cast<int>(duplicates));
}

TEST_F(RecorderRun, BrokerAwayAtTheStartGetsTheReadingsWhenItComes)
{
    // The subscriber's session stays with the broker while it is away.
    m_broker.Stop();
    StartRecorder();
    ASSERT_TRUE(WaitForCsvRows(200));
    std::string error;
    ASSERT_TRUE(m_broker.Start(error)) << error;
    ASSERT_TRUE(m_process->WaitForError("connected to the broker", kGuard));
    ASSERT_TRUE(WaitForReadings(CsvRows().size() + 50));
    StopRecorder();
    ASSERT_TRUE(WaitForStatus("offline"));
    EXPECT_EQ(Stretches(m_subscriber->Payloads(kReadingTopic)), 1);
    EXPECT_EQ(ExpectFileMatchesPublished(), 0u);
}

TEST_F(RecorderRun, SerialLinkLostAndBackResumesTheCommand)
{
    StartRecorder();
    ASSERT_TRUE(WaitForReadings(100));
    m_device.HangUp();
    ASSERT_TRUE(m_process->WaitForError("serial link lost; trying again every second", kGuard));
    ASSERT_TRUE(WaitForStatus("link lost"));
    PlugIn();
    ASSERT_TRUE(m_process->WaitForError("serial link back; measuring again", kGuard));
    ASSERT_TRUE(WaitForStatus("online", 2));
    ASSERT_TRUE(WaitForReadings(m_subscriber->Payloads(kReadingTopic).size() + 100));
    StopRecorder();
    ASSERT_TRUE(WaitForStatus("offline"));

    // At most one break, where the meter was away; the file holds both stretches as published.
    EXPECT_LE(Stretches(m_subscriber->Payloads(kReadingTopic)), 2);
    EXPECT_EQ(ExpectFileMatchesPublished(), 0u);
    const std::string sent = m_device.Received();
    const auto count = [&](const std::string& text) {
        std::size_t n = 0;
        for (auto at = sent.find(text); at != std::string::npos; at = sent.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("PA\r"), 2u);
    EXPECT_EQ(count("DT\r"), 2u);
    // Told once on standard error.
    EXPECT_EQ(m_process->Error().find("serial link lost"), m_process->Error().rfind("serial link lost"));
}

TEST_F(RecorderRun, QuorinToFileOnlyStopsOnSigint)
{
    CDeviceEmulator quorin(DeviceFamily::Quorin, 2);
    quorin.SetCountingTarget(true);
    std::string error;
    ASSERT_TRUE(quorin.Start(error)) << error;
    m_process = std::make_unique<CRecorderProcess>(m_folder);
    ASSERT_TRUE(m_process->Start({"--port", quorin.DevicePath(), "--family", "quorin", "--out",
                                  Csv().string(), "--separator", ",", "--decimal", "."}));
    ASSERT_TRUE(WaitForCsvRows(20));
    StopRecorder(SIGINT);
    const std::vector<std::string> rows = CsvRows();
    ASSERT_GE(rows.size(), 20u);
    // Time, distance, error, Q1, current: one measurement apart.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        ASSERT_EQ(std::count(row.begin(), row.end(), ','), 4) << row;
        const auto distance = row.substr(row.find(',') + 1);
        if (i > 0) {
            const std::string& previous = rows[i - 1];
            EXPECT_EQ(std::llround(std::stod(distance) * 1000),
                      std::llround(std::stod(previous.substr(previous.find(',') + 1)) * 1000) + 1)
                << row;
        }
    }
    EXPECT_TRUE(quorin.Received().ends_with("\x1b"));
}

TEST_F(RecorderRun, MistakesAtTheStartEndWithOneLineAndStatus2)
{
    std::ofstream(m_folder / "plain") << "a file";
    const std::string unwritable = (m_folder / "plain" / "readings.csv").string();
    const struct
    {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--port", Link().string(), "--family", "zelnar", "--mqtt", "http://127.0.0.1"},
         "--mqtt: bad broker URL \"http://127.0.0.1\": use mqtt://HOST[:PORT] or "
         "mqtts://HOST[:PORT]"},
        {{"--port", Link().string(), "--family", "zelnar", "--out", "x.csv", "--baud", "fast"},
         "--baud: \"fast\" is not a baud rate"},
        {{"--port", Link().string(), "--family", "zelnar", "--out", unwritable},
         unwritable + ": Not a directory"},
        {{"--port", (m_folder / "no-meter").string(), "--family", "zelnar", "--out",
          Csv().string()},
         (m_folder / "no-meter").string() + ": No such file or directory"},
    };
    for (const auto& [arguments, error] : cases) {
        const CRecorderRun run = RunRecorder(m_folder, arguments);
        EXPECT_EQ(run.status, 2) << error;
        EXPECT_EQ(run.err, "telvan-recorder: " + error + "\n");
        EXPECT_EQ(run.out, "");
    }
    // Nothing was measured meanwhile: the meter never heard a command.
    EXPECT_EQ(m_device.Received(), "");

    const CRecorderRun help = RunRecorder(m_folder, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--rotate-mb"), std::string::npos);
    const CRecorderRun version = RunRecorder(m_folder, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "telvan-recorder 0.1.0\n");
}
