#include "MqttPublisher.h"
#include "PublishTestSupport.h"
#include "ReadingMessage.h"
#include "LocalBroker.h"
#include "LocalSubscriber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class MqttPublisher : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_broker.Start(error)) << error;
        m_subscriber = std::make_unique<CLocalSubscriber>("test-subscriber", "telvan/#");
        ASSERT_TRUE(m_subscriber->Start(m_broker.Port(), error)) << error;
        ASSERT_TRUE(m_subscriber->WaitForSubscription(kGuard));
    }

    CMqttSettings Settings(std::uint64_t queueBytes = std::uint64_t{16} << 20) const
    {
        CMqttSettings settings;
        settings.host = "127.0.0.1";
        settings.port = m_broker.Port();
        settings.clientId = "station-1";
        settings.queueFolder = (m_broker.Folder() / "queue").string();
        settings.queueBytes = queueBytes;
        return settings;
    }

    static CReading Reading(int i)
    {
        CReading reading;
        reading.timeMs = 1715954607000 + i;
        reading.distance = i / 1000.0;
        reading.distanceUnit = "m";
        reading.line = std::to_string(i);
        return reading;
    }

    // The readings' numbers, in the order the subscriber received them.
    static std::vector<int> Numbers(const std::vector<CLocalSubscriber::CMessage>& messages)
    {
        std::vector<int> received;
        for (const CLocalSubscriber::CMessage& message : messages) {
            if (message.topic != "telvan/station-1/reading")
                continue;
            const auto at = message.payload.find("\"line\":\"");
            received.push_back(std::stoi(message.payload.substr(at + 8)));
        }
        return received;
    }

    std::vector<int> Received() const { return Numbers(m_subscriber->Messages()); }

    // The publisher sends from this thread's event loop, so waiting keeps it going.
    template <class Done>
    bool WaitFor(Done done)
    {
        return PumpUntil([&] { return done(m_subscriber->Messages()); });
    }

    bool WaitForReadings(std::size_t count)
    {
        return WaitFor(
            [&](const auto& messages) {
                return static_cast<std::size_t>(std::count_if(
                           messages.begin(), messages.end(), [](const auto& m) {
                               return m.topic == "telvan/station-1/reading";
                           })) >= count;
            });
    }

    // Every number from first to last arrived, first times in order; duplicates are what
    // QoS 1 allows when a connection breaks before an acknowledgement.
    static void ExpectAllInOrder(const std::vector<int>& received, int first, int last)
    {
        std::vector<int> firstTimes;
        std::set<int> seen;
        for (const int n : received)
            if (seen.insert(n).second)
                firstTimes.push_back(n);
        std::vector<int> expected;
        for (int n = first; n <= last; ++n)
            expected.push_back(n);
        EXPECT_EQ(firstTimes, expected);
    }

    CLocalBroker m_broker;
    std::unique_ptr<CLocalSubscriber> m_subscriber;
};

} // namespace

TEST_F(MqttPublisher, EveryReadingArrivesOnceAndInOrder)
{
    CMqttPublisher publisher(Settings());
    std::string error;
    ASSERT_TRUE(publisher.Start(error)) << error;
    ASSERT_TRUE(PumpUntil([&] { return publisher.IsConnected(); }));
    publisher.SetStatus("online");
    constexpr int kCount = 5000;
    CReadingMessage message;
    std::vector<std::string> expected;
    for (int i = 0; i < kCount; ++i) {
        publisher.Publish(Reading(i));
        expected.push_back(message.Json(Reading(i)));
    }
    ASSERT_TRUE(PumpUntil([&] { return publisher.Waiting() == 0; }));
    ASSERT_TRUE(WaitForReadings(kCount));
    EXPECT_EQ(m_subscriber->Payloads("telvan/station-1/reading"), expected);
    EXPECT_EQ(m_subscriber->Payloads("telvan/station-1/status"),
              std::vector<std::string>{"online"});

    publisher.Stop(std::chrono::seconds(30));
    ASSERT_TRUE(WaitFor(
        [](const auto& messages) { return messages.back().payload == "offline"; }));
    // Nothing was left for another run.
    EXPECT_EQ(publisher.Waiting(), 0u);
}

TEST_F(MqttPublisher, BrokerRestartedWhilePublishingLosesNothing)
{
    CMqttPublisher publisher(Settings());
    std::string error;
    ASSERT_TRUE(publisher.Start(error)) << error;
    ASSERT_TRUE(PumpUntil([&] { return publisher.IsConnected(); }));
    int next = 0;
    for (; next < 2000; ++next)
        publisher.Publish(Reading(next));
    ASSERT_TRUE(WaitForReadings(500));
    m_broker.Stop();
    ASSERT_TRUE(PumpUntil([&] { return !publisher.IsConnected(); }));
    for (; next < 4000; ++next)
        publisher.Publish(Reading(next));
    ASSERT_TRUE(m_broker.Start(error)) << error;
    ASSERT_TRUE(PumpUntil([&] { return publisher.IsConnected(); }));
    for (; next < 5000; ++next)
        publisher.Publish(Reading(next));
    ASSERT_TRUE(PumpUntil([&] { return publisher.Waiting() == 0; }));
    ASSERT_TRUE(WaitFor(
        [](const auto& messages) {
            const std::vector<int> received = Numbers(messages);
            return std::set<int>(received.begin(), received.end()).size() == 5000;
        }));
    ExpectAllInOrder(Received(), 0, 4999);
}

TEST_F(MqttPublisher, BrokerAwayAtTheStartGetsEverythingWhenItComes)
{
    m_broker.Stop();
    CMqttPublisher publisher(Settings());
    std::string error;
    ASSERT_TRUE(publisher.Start(error)) << error;
    for (int i = 0; i < 3000; ++i)
        publisher.Publish(Reading(i));
    EXPECT_FALSE(publisher.IsConnected());
    ASSERT_TRUE(m_broker.Start(error)) << error;
    ASSERT_TRUE(PumpUntil([&] { return publisher.Waiting() == 0; }));
    ASSERT_TRUE(WaitForReadings(3000));
    const std::vector<int> received = Received();
    EXPECT_EQ(received.size(), 3000u);
    ExpectAllInOrder(received, 0, 2999);
}

TEST_F(MqttPublisher, NextRunSendsWhatTheLastOneLeftQueued)
{
    m_broker.Stop();
    {
        CMqttPublisher publisher(Settings());
        std::string error;
        ASSERT_TRUE(publisher.Start(error)) << error;
        for (int i = 0; i < 1000; ++i)
            publisher.Publish(Reading(i));
        publisher.Stop(std::chrono::milliseconds(0));
    }
    std::string error;
    ASSERT_TRUE(m_broker.Start(error)) << error;
    CMqttPublisher publisher(Settings());
    ASSERT_TRUE(publisher.Start(error)) << error;
    publisher.Publish(Reading(1000));
    ASSERT_TRUE(PumpUntil([&] { return publisher.Waiting() == 0; }));
    ASSERT_TRUE(WaitForReadings(1001));
    const std::vector<int> received = Received();
    EXPECT_EQ(received.size(), 1001u);
    ExpectAllInOrder(received, 0, 1000);
}

TEST_F(MqttPublisher, FullQueueDropsTheOldestAndPublishesHowMany)
{
    m_broker.Stop();
    CMqttPublisher publisher(Settings(std::uint64_t{1} << 20));
    std::string error;
    ASSERT_TRUE(publisher.Start(error)) << error;
    CReading reading = Reading(0);
    const std::string padding(1000, 'x');
    constexpr int kCount = 3000; // about three megabytes
    for (int i = 0; i < kCount; ++i) {
        reading = Reading(i);
        reading.line += ' ' + padding;
        publisher.Publish(reading);
    }
    // The queue drops when it saves, twice a second; a save may drop again while the broker
    // is still away, so what is kept shows only in the end.
    ASSERT_TRUE(PumpUntil([&] { return publisher.Waiting() < kCount; }));
    ASSERT_TRUE(m_broker.Start(error)) << error;
    ASSERT_TRUE(PumpUntil([&] { return publisher.Waiting() == 0; }));
    // Every reading either arrives or is counted as dropped.
    const auto count = [&](const std::vector<CLocalSubscriber::CMessage>& messages) {
        std::uint64_t dropped = 0;
        for (const CLocalSubscriber::CMessage& message : messages)
            if (message.topic == "telvan/station-1/dropped")
                dropped += std::stoull(message.payload.substr(message.payload.find(':') + 1));
        return dropped + Numbers(messages).size();
    };
    ASSERT_TRUE(PumpUntil([&] { return count(m_subscriber->Messages()) >= kCount; }));
    const std::vector<int> received = Received();
    EXPECT_EQ(count(m_subscriber->Messages()), std::uint64_t{kCount});
    // Those kept are the newest, and no more than the queue's size holds.
    EXPECT_GT(received.size(), 0u);
    EXPECT_LT(received.size() * padding.size(), std::size_t{1} << 20);
    ExpectAllInOrder(received, kCount - static_cast<int>(received.size()), kCount - 1);
}

TEST_F(MqttPublisher, QueueFolderThatCannotBeUsedFailsTheStart)
{
    CMqttSettings settings = Settings();
    std::ofstream(m_broker.Folder() / "plain") << "a file";
    settings.queueFolder = (m_broker.Folder() / "plain" / "queue").string();
    CMqttPublisher publisher(settings);
    std::string error;
    EXPECT_FALSE(publisher.Start(error));
    EXPECT_NE(error.find("plain/queue"), std::string::npos) << error;
}
