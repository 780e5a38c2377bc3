#include "ClassicQR.h"
#include "ClassicZL.h"
#include "ColorStatic.h"
#include "DesktopPublisher.h"
#include "DisplayQR.h"
#include "DisplayZL.h"
#include "LocalBroker.h"
#include "LocalSubscriber.h"
#include "LogBook.h"
#include "LogPage.h"
#include "MainDlgTestSupport.h"
#include "MqttOptionDlg.h"
#include "QuorinDlg.h"
#include "StatusBar.h"
#include "TerminalSettings.h"
#include "TerminalState.h"
#include "ZelnarDlg.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <set>
#include <tuple>

namespace {

constexpr auto kGuard = std::chrono::seconds(60);

constexpr auto Field = &CLocalSubscriber::Field;

long long Thousandths(const std::string& text)
{
    return std::llround(std::stod(text) * 1000);
}

// Option › MQTT of a main dialog against the emulated device, which measures a target stepping
// 1 mm a line as fast as the line allows, with a broker of its own and a subscriber of everything
// under the prefix.
template <class Dialog, class Emulated> struct TMqttOptionTest : TMainDlgTest<Dialog, Emulated>
{
    CLocalBroker broker;
    std::unique_ptr<CLocalSubscriber> subscriber;
    std::string prefix;

    void StartBroker(const std::string& topicPrefix)
    {
        prefix = topicPrefix;
        std::string error;
        ASSERT_TRUE(broker.Start(error)) << error;
        subscriber = std::make_unique<CLocalSubscriber>("test-subscriber", prefix + "/#");
        ASSERT_TRUE(subscriber->Start(broker.Port(), error)) << error;
        ASSERT_TRUE(subscriber->WaitForSubscription(kGuard));
        this->emulated.device.SetCountingTarget(true);
        this->emulated.device.SetMaxRate(true);
    }

    // Confirms the MQTT dialog with these values; the messages it showed, and the values the
    // dialog showed when it opened.
    std::vector<std::string> Confirm(const CMqttOptions& options, CMqttOptions* shown = nullptr)
    {
        const std::size_t before = this->dialogs.messages.size();
        CUserDialogs::SetModalHandler([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "MQTT");
            auto* broker = FindControl<QLineEdit>(&dialog, CMqttOptionDlg::kBrokerId);
            auto* topicPrefix = FindControl<QLineEdit>(&dialog, CMqttOptionDlg::kTopicPrefixId);
            auto* clientId = FindControl<QLineEdit>(&dialog, CMqttOptionDlg::kClientIdId);
            auto* qos = FindControl<QComboBox>(&dialog, CMqttOptionDlg::kQosId);
            auto* publish = FindControl<QCheckBox>(&dialog, CMqttOptionDlg::kPublishId);
            if (shown)
                *shown = {broker->text().toStdString(), topicPrefix->text().toStdString(),
                          clientId->text().toStdString(), qos->currentText().toStdString(),
                          publish->isChecked()};
            broker->setText(QString::fromStdString(options.strBroker));
            topicPrefix->setText(QString::fromStdString(options.strTopicPrefix));
            clientId->setText(QString::fromStdString(options.strClientId));
            qos->setCurrentText(QString::fromStdString(options.strQos));
            publish->setChecked(options.bPublish);
            // A refused OK neither accepts nor rejects: the dialog stays open, and the operator
            // then cancels.
            constexpr int kOpen = -1;
            dialog.setResult(kOpen);
            dialog.accept();
            const bool stayedOpen = dialog.result() == kOpen;
            EXPECT_EQ(stayedOpen, this->dialogs.messages.size() > before);
            if (stayedOpen)
                dialog.reject();
            return dialog.result();
        });
        this->Action(CMainDlg::kMqttMenuId)->trigger();
        CUserDialogs::SetModalHandler({});
        return {this->dialogs.messages.begin() + static_cast<std::ptrdiff_t>(before),
                this->dialogs.messages.end()};
    }
    CMqttOptions Publishing(bool on) const { return {broker.Url(), prefix, {}, "1", on}; }

    // The topics of the terminal on the port: the client ID is the port's name.
    std::string Topic(const char* leaf) const
    {
        const std::string id = std::filesystem::path(PortSettings.comPort).filename().string();
        return prefix + "/" + id + "/" + leaf;
    }
    std::vector<std::string> Readings() const { return subscriber->Payloads(Topic("reading")); }
    std::vector<std::string> States() const { return subscriber->Payloads(Topic("status")); }
    bool PublishedAtLeast(std::size_t count) const
    {
        return PumpUntil([&] { return Readings().size() >= count; }, kGuard);
    }
    bool StateArrives(const std::string& state, std::size_t count = 1)
    {
        return PumpUntil(
            [&] {
                const std::vector<std::string> states = States();
                return static_cast<std::size_t>(std::count(states.begin(), states.end(), state)) >=
                       count;
            },
            kGuard);
    }
    // Pumps until lines more lines arrived from the device.
    bool LinesArrive(std::uint64_t lines)
    {
        const CLogBook& book = this->dlg->LogPage().Book();
        const std::uint64_t until = book.ReceivedTotal() + lines;
        return PumpUntil([&] { return book.ReceivedTotal() >= until; }, kGuard);
    }

    // What the subscriber received in order: "R" for a reading, else the status.
    std::vector<std::string> Sequence() const
    {
        std::vector<std::string> sequence;
        for (const CLocalSubscriber::CMessage& message : subscriber->Messages())
            sequence.push_back(message.topic == Topic("reading") ? "R" : message.payload);
        return sequence;
    }
    // Nothing was published from the first "offline" to the next "online".
    void ExpectNothingWhileOffline() const
    {
        const std::vector<std::string> sequence = Sequence();
        const auto offline = std::find(sequence.begin(), sequence.end(), "offline");
        ASSERT_NE(offline, sequence.end());
        ASSERT_NE(std::next(offline), sequence.end());
        EXPECT_EQ(*std::next(offline), "online");
    }

    // The status bar's text of publishing.
    QString Publishing() const
    {
        for (const QLabel* label : this->dlg->StatusBar().template findChildren<QLabel*>())
            if (label->text().startsWith("MQTT"))
                return label->isHidden() ? QString() : label->text();
        return {};
    }

    // Streams with the DT button until count readings more were published.
    void StreamUntil(std::size_t count)
    {
        const std::size_t until = Readings().size() + count;
        this->Button(ids[kDT])->click();
        // The dialog's own events run the publisher: pumping, not only waiting.
        ASSERT_TRUE(PumpUntil([&] { return Readings().size() >= until; }, kGuard));
    }
    // STOP, then Disconnect: publishing ends with "offline".
    void StopAndDisconnect()
    {
        this->Button(ids[kStop])->click();
        this->Action(ids[kDisconnect])->trigger();
        ASSERT_TRUE(StateArrives("offline"));
        EXPECT_EQ(Publishing(), "");
    }

    // The Log page's lines of the shape of the reading's line, digits aside: the measurements.
    std::vector<std::string> Measured(const std::string& reading) const
    {
        QString shape = QRegularExpression::escape(QString::fromStdString(Field(reading, "line")));
        shape.replace(QRegularExpression("\\d"), "\\d");
        const QRegularExpression measurement(shape + "$");
        this->dlg->LogPage().ShowEntries();
        std::vector<std::string> measured;
        const auto& entries = this->dlg->LogPage().Book().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (std::string entry(entries[i]);
                measurement.match(QString::fromLatin1(entry)).hasMatch())
                measured.push_back(std::move(entry));
        return measured;
    }

    // The readings (each once) are all the Display page decoded, in order: one measurement
    // apart, each with a line of the Log page, which holds no measurement beside them, and the
    // last one as the page shows it.
    void ExpectPublishedAsDecoded(const std::vector<std::string>& readings)
    {
        ASSERT_FALSE(readings.empty());
        for (std::size_t i = 1; i < readings.size(); ++i)
            ASSERT_EQ(Thousandths(Field(readings[i], "distance")),
                      Thousandths(Field(readings[i - 1], "distance")) + 1)
                << "reading " << i << " after " << readings[i - 1] << ": " << readings[i];
        const std::vector<std::string> measured = Measured(readings.front());
        ASSERT_EQ(measured.size(), readings.size());
        for (std::size_t i = 0; i < readings.size(); ++i)
            EXPECT_TRUE(measured[i].ends_with(Field(readings[i], "line")))
                << measured[i] << " / " << readings[i];

        auto* distance = FindControl<CColorStatic>(this->dlg.get(), ids[kDistance]);
        ASSERT_NE(distance, nullptr);
        const long long last = Thousandths(Field(readings.back(), "distance"));
        EXPECT_TRUE(PumpUntil(
            [&] {
                return !distance->text().isEmpty() &&
                       Thousandths(distance->text().toStdString()) == last;
            },
            kGuard))
            << distance->text().toStdString() << " / " << readings.back();
    }

    // A run of count readings and more, from "online" to "offline".
    void ExpectOneRunPublished(std::size_t count)
    {
        StreamUntil(count);
        StopAndDisconnect();
        ExpectPublishedAsDecoded(Readings());
        EXPECT_EQ(Field(Readings().front(), "unit"), "m");
        EXPECT_EQ(States(), (std::vector<std::string>{"online", "offline"}));
    }

    enum
    {
        kDT,
        kStop,
        kDistance,
        kDisconnect
    };
    std::array<int, 4> ids{};
};

struct ZelnarMqttTest : TMqttOptionTest<ZelnarDlg, CEmulatedZelnar>
{
    void SetUp() override
    {
        ids = {1053, 1066, 1070, 32773};
        StartBroker("site1");
        StartOn({"SD0 0"}, kZelnarListingEnd);
    }
};

// The device behind a link that, like the device name of a USB adapter, stays the same when
// the device goes and comes back.
struct ZelnarLostLineMqttTest : ZelnarMqttTest
{
    QTemporaryDir folder;
    QString link = folder.filePath("meter");

    void SetUp() override
    {
        ids = {1053, 1066, 1070, 32773};
        StartBroker("site3");
        emulated.device.Execute("SD0 0");
        emulated.device.HangUp();
        PlugIn();
        PortSettings.comPort = link.toStdString();
        dlg = std::make_unique<ZelnarDlg>();
        dialogs.WaitForListings(dlg->Classic(), kZelnarListingEnd);
        dlg->Start();
    }
    void PlugIn()
    {
        std::string error;
        ASSERT_TRUE(emulated.device.Start(error)) << error;
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(QString::fromStdString(emulated.device.DevicePath()), link));
    }
};

struct QuorinMqttTest : TMqttOptionTest<QuorinDlg, CEmulatedQuorin>
{
    void SetUp() override { ids = {1131, 1139, 1137, 32827}; }
};

} // namespace

TEST_F(ZelnarMqttTest, EveryReadingIsPublishedOnceInOrderAsDecodedUntilDisconnect)
{
    ASSERT_EQ(Action(CMainDlg::kMqttMenuId)->text(), "MQTT…");
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    EXPECT_EQ(CTerminalSettings().Mqtt(), Publishing(true));
    ASSERT_TRUE(PumpUntil([&] { return Publishing().contains("publishing to"); }, kGuard));
    EXPECT_EQ(Publishing().toStdString(), "MQTT: publishing to " + Topic("reading"));
    ExpectOneRunPublished(200);
}

TEST_F(QuorinMqttTest, RememberedOptionsPublishFromTheNextStart)
{
    StartBroker("site2");
    CTerminalSettings().SetMqtt(Publishing(true));
    StartOn({}, kQuorinListingEnd);
    ExpectOneRunPublished(100);
}

TEST_F(ZelnarMqttTest, OptionsAreRememberedForANewDialogAndCancelChangesNothing)
{
    const CMqttOptions options{"mqtt://127.0.0.1:1884", "plant/hall-2", "bench1", "0", false};
    ASSERT_EQ(Confirm(options), std::vector<std::string>{});
    dlg.reset();
    StartOn({}, kZelnarListingEnd);
    CMqttOptions shown;
    CUserDialogs::SetModalHandler([&](QDialog& dialog) {
        FindControl<QLineEdit>(&dialog, CMqttOptionDlg::kBrokerId)->setText("mqtt://elsewhere");
        FindControl<QCheckBox>(&dialog, CMqttOptionDlg::kPublishId)->setChecked(true);
        dialog.reject();
        return dialog.result();
    });
    Action(CMainDlg::kMqttMenuId)->trigger();
    CUserDialogs::SetModalHandler({});
    ASSERT_EQ(Confirm(options, &shown), std::vector<std::string>{});
    EXPECT_EQ(shown, options);
    EXPECT_EQ(CTerminalSettings().Mqtt(), options);
}

TEST_F(ZelnarMqttTest, RefusedOptionsTellWhyAndChangeNothing)
{
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    Button(ids[kDT])->click();
    ASSERT_TRUE(PumpUntil([&] { return Readings().size() >= 10; }, kGuard));
    const std::vector<std::pair<CMqttOptions, std::string>> refused = {
        {{"http://127.0.0.1:1", "site1", {}, "1", true}, "MQTT: bad broker URL"},
        {{"mqtt://", "site1", {}, "1", true}, "MQTT: bad broker URL"},
        {{broker.Url(), "site1/#", {}, "1", false}, "MQTT: the topic prefix"},
        {{broker.Url(), "/site1", {}, "1", false}, "MQTT: the topic prefix"},
        {{broker.Url(), "site1", "a/b", "1", false}, "MQTT: the client ID"}};
    for (const auto& [options, why] : refused) {
        const std::vector<std::string> shown = Confirm(options);
        ASSERT_EQ(shown.size(), 1u) << options.strBroker;
        EXPECT_TRUE(shown.front().starts_with(why)) << shown.front();
    }
    EXPECT_EQ(CTerminalSettings().Mqtt(), Publishing(true));
    // Publishing went on all the while.
    const std::size_t published = Readings().size();
    ASSERT_TRUE(PumpUntil([&] { return Readings().size() >= published + 10; }, kGuard));
    EXPECT_EQ(States(), std::vector<std::string>{"online"});
}

TEST_F(ZelnarMqttTest, PublishingOffPublishesNothing)
{
    Button(ids[kDT])->click();
    ASSERT_TRUE(LinesArrive(100));
    EXPECT_EQ(Publishing(), "");
    // On, off and on again while the device streams: each stretch of readings follows its
    // "online", and nothing comes between "offline" and the next "online".
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    ASSERT_TRUE(PumpUntil([&] { return Readings().size() >= 10; }, kGuard));
    ASSERT_EQ(Confirm(Publishing(false)), std::vector<std::string>{});
    EXPECT_EQ(CTerminalSettings().Mqtt(), Publishing(false));
    ASSERT_TRUE(StateArrives("offline"));
    EXPECT_EQ(Publishing(), "");
    ASSERT_TRUE(LinesArrive(100));
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    ASSERT_TRUE(StateArrives("online", 2));
    const std::size_t before = Readings().size();
    ASSERT_TRUE(PumpUntil([&] { return Readings().size() >= before + 10; }, kGuard));

    ExpectNothingWhileOffline();
    EXPECT_EQ(Sequence().front(), "online");
}

TEST_F(ZelnarMqttTest, BrokerAwayIsToldAndItsReadingsFollowWhenItIsBack)
{
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    StreamUntil(50);
    broker.Stop();
    ASSERT_TRUE(
        PumpUntil([&] { return Publishing().endsWith("readings wait in the queue"); }, kGuard))
        << Publishing().toStdString();
    ASSERT_TRUE(LinesArrive(200));
    std::string error;
    ASSERT_TRUE(broker.Start(error)) << error;
    ASSERT_TRUE(PumpUntil([&] { return Publishing().contains("publishing to"); }, kGuard));
    // After a broken connection QoS 1 may bring a reading twice.
    const auto distinct = [&] {
        std::vector<std::string> readings;
        std::set<std::string> seen;
        for (const std::string& json : Readings())
            if (seen.insert(json).second)
                readings.push_back(json);
        return readings;
    };
    // Every measurement, also those of the time without the broker.
    Button(ids[kStop])->click();
    ASSERT_TRUE(PumpUntil([&] { return distinct().size() >= Measured(Readings().front()).size(); },
                          kGuard));
    StopAndDisconnect();
    ExpectPublishedAsDecoded(distinct());
}

TEST_F(ZelnarMqttTest, SimulatedRunIsNotPublished)
{
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    StreamUntil(10);
    dlg->SetSimulationPace(1);
    StartSimulation(Action(32798), "10", "1");
    ASSERT_TRUE(g_bSimulation);
    ASSERT_TRUE(StateArrives("offline"));
    int lines = 0;
    QObject::connect(dlg.get(), &CMainDlg::SimulatedLine, dlg.get(), [&] { ++lines; });
    Button(ids[kDT])->click();
    ASSERT_TRUE(PlayUntil(*dlg, [&] { return lines >= 100; }));
    Action(32799)->trigger();
    // Publishing starts again with Connect.
    Action(32772)->trigger();
    ASSERT_TRUE(StateArrives("online", 2));
    ExpectNothingWhileOffline();
}

TEST_F(ZelnarMqttTest, QueueThatCannotBeMadeIsToldUntilDisconnect)
{
    // A file where the queues' folder belongs.
    QFile blocker(CDesktopPublisher::QueueRoot());
    ASSERT_TRUE(QFileInfo(blocker).dir().mkpath("."));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    EXPECT_TRUE(Publishing().startsWith("MQTT: not publishing: ")) << Publishing().toStdString();
    Action(ids[kDisconnect])->trigger();
    EXPECT_EQ(Publishing(), "");
    EXPECT_TRUE(blocker.remove());
}

TEST_F(ZelnarLostLineMqttTest, LostLineIsOfflineUntilTheReconnection)
{
    ASSERT_EQ(Confirm(Publishing(true)), std::vector<std::string>{});
    StreamUntil(20);
    EXPECT_EQ(Topic("reading"), "site3/meter/reading");
    emulated.device.Execute("\x1b");
    emulated.device.HangUp();
    QFile::remove(link);
    ASSERT_TRUE(StateArrives("offline"));
    EXPECT_EQ(dialogs.messages.back(), "COM Port connection lost!");
    PlugIn();
    // The reconnection sends DT again.
    ASSERT_TRUE(StateArrives("online", 2));
    const std::size_t before = Readings().size();
    ASSERT_TRUE(PumpUntil([&] { return Readings().size() >= before + 20; }, kGuard));
    ExpectNothingWhileOffline();
}
