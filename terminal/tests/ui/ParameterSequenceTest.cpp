#include "ClassicQR.h"
#include "ClassicZL.h"
#include "MainDlgTestSupport.h"
#include "ParameterRecords.h"
#include "PseudoTerminal.h"
#include "QuorinDlg.h"
#include "TerminalState.h"
#include "ZelnarDlg.h"

#include <QTimer>

#include <unistd.h>

// Parameter commands and what may happen during their pauses: every action that closes the link
// or the dialog stops a Set first, a Set that did not go through says so once, and a Get that
// received no whole listing keeps what the terminal had.

namespace {

constexpr const char* kGetWaiting = "Get parameter settings from Telvan\n\tPush OK Button";
constexpr const char* kNotSetClosed =
    "Parameters have not been set: the COM Port connection was closed.";
constexpr const char* kNoListing =
    "No parameter listing was received!\nThe parameters have not been changed.";

using Messages = std::vector<std::string>;

// A main dialog against the emulator, with a Set that something interrupts.
template <class Dialog, class Emulated> struct TSetTest : TMainDlgTest<Dialog, Emulated>
{
    using Base = TMainDlgTest<Dialog, Emulated>;
    using Base::dialogs;
    using Base::dlg;
    using Base::emulated;

    // Set with act run in its first pause, after its first writes went out: the bytes the
    // device received, once it has the count expected. Messages are in dialogs.messages.
    std::string SetInterruptedBy(int setId, const std::function<void()>& act, std::size_t expected)
    {
        dialogs.messages.clear();
        dlg->setResult(-1);
        const std::size_t before = emulated.device.Received().size();
        m_nExpected = before + expected;
        QTimer::singleShot(0, dlg.get(), act);
        this->Button(setId)->click();
        emulated.device.WaitForReceived(m_nExpected, 30000ms);
        return emulated.ReceivedSince(before);
    }
    // The device goes once it has what was sent so far.
    void HangUp()
    {
        emulated.device.WaitForReceived(m_nExpected, 30000ms);
        emulated.device.HangUp();
        ASSERT_TRUE(PumpUntil([] { return !g_bConnected; }, 30000ms));
    }
    void StartSimulationWithDefaults(int startId)
    {
        StartSimulation(this->Action(startId), "20", "0");
    }

private:
    std::size_t m_nExpected = 0;
};

struct ZelnarSetTest : TSetTest<ZelnarDlg, CEmulatedZelnar>
{
    void SetUp() override
    {
        StartOn({}, kZelnarListingEnd);
        // The record must not take what a Set that did not go through would have sent.
        Edit(1022)->setText("1000");
    }
    std::string SetInterruptedBy(const std::function<void()>& act,
                                 std::string_view expected = kFirstWrites)
    {
        return TSetTest::SetInterruptedBy(1048, act, expected.size());
    }
    static constexpr std::string_view kFirstWrites = "\x1b\rMF1000\rSA20\r";
    void ExpectNotTaken() const
    {
        EXPECT_EQ(ZelnarParameters.MF, 2000);
        EXPECT_EQ(ZelnarParameters.SDx, 0);
        EXPECT_TRUE(Shown(1166)) << "the controls still differ from the record";
    }
};

TEST_F(ZelnarSetTest, DisconnectStopsASetWithOneMessage)
{
    EXPECT_EQ(SetInterruptedBy([this] { Action(32773)->trigger(); }), kFirstWrites);
    EXPECT_EQ(dialogs.messages, Messages{kNotSetClosed});
    ExpectNotTaken();
}

TEST_F(ZelnarSetTest, ALostPortStopsASetWithOneMessage)
{
    EXPECT_EQ(SetInterruptedBy([this] { HangUp(); }), kFirstWrites);
    EXPECT_EQ(dialogs.messages, (Messages{"COM Port connection lost!", kNotSetClosed}));
    ExpectNotTaken();
}

TEST_F(ZelnarSetTest, StartSimulationStopsASetWithOneMessage)
{
    EXPECT_EQ(SetInterruptedBy([this] { StartSimulationWithDefaults(32798); }), kFirstWrites);
    EXPECT_TRUE(g_bSimulation);
    EXPECT_EQ(dialogs.messages, Messages{kNotSetClosed});
}

TEST_F(ZelnarSetTest, ExitAndTheCloseBoxStopASetWithoutAWord)
{
    EXPECT_EQ(SetInterruptedBy([this] { Action(32779)->trigger(); }), kFirstWrites);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(g_bConnected);

    dlg.reset();
    StartOn({}, kZelnarListingEnd);
    EXPECT_EQ(SetInterruptedBy([this] { dlg->close(); }), kFirstWrites);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(ZelnarSetTest, COMConfigurationStopsASetWithoutAWord)
{
    CUserDialogs::SetModalHandler([](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });
    EXPECT_EQ(SetInterruptedBy([this] { Action(32771)->trigger(); }), kFirstWrites);
    CUserDialogs::SetModalHandler({});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dlg->result(), CMainDlg::kReconfigured);
    EXPECT_FALSE(g_bConnected);
}

TEST_F(ZelnarSetTest, EscapeDuringASetIsSentAfterIt)
{
    const std::string sent = SetInterruptedBy(
        [this] { PressKey(dlg.get(), Qt::Key_Escape); },
        "\x1b\rMF1000\rSA20\rSF1.000000\rOF0.000\rTD0.00 0 0\rMW-5000.000 5000.000\r"
        "Q15.000 4.000 0.000 1\rQ212.000 6.000 1.000 1\rQA0.000 20.000\rPL0\rSE0\rSC0\r"
        "SD0 0\rASID\r\x1b");
    EXPECT_TRUE(sent.ends_with("SD0 0\rASID\r\x1b")) << sent;
    EXPECT_EQ(dialogs.messages, Messages{"Parameters have been set"});
    EXPECT_EQ(ZelnarParameters.MF, 1000);
}

TEST_F(ZelnarSetTest, AFailedWriteStopsASetWithOneMessage)
{
    // The device goes while the warning is open; the next write finds no line.
    Edit(1032)->setText("9");
    dialogs.onMessage = [this](const std::string& text) {
        if (text.starts_with("WARNING: Q1y"))
            emulated.device.HangUp();
    };
    EXPECT_EQ(SetInterruptedBy([] {}, ""), "");
    ASSERT_GE(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1], "Parameters have not been set: writing to the COM Port failed.");
    ExpectNotTaken();
    EXPECT_EQ(Edit(1032)->text(), "0.000") << "the alarm the device keeps";
}

struct QuorinSetTest : TSetTest<QuorinDlg, CEmulatedQuorin>
{
    void SetUp() override
    {
        StartOn({}, kQuorinListingEnd);
        Edit(1112)->setText("9");
    }
    std::string SetInterruptedBy(const std::function<void()>& act)
    {
        return TSetTest::SetInterruptedBy(1120, act, std::string_view(kFirstWrites).size());
    }
    static constexpr const char* kFirstWrites = "RM0 0 0\rST0\r";
};

TEST_F(QuorinSetTest, DisconnectAndALostPortStopASetWithOneMessage)
{
    g_strQuorinFormat = "d";
    Combo(1106)->setCurrentIndex(1);
    EXPECT_EQ(SetInterruptedBy([this] { Action(32827)->trigger(); }), kFirstWrites);
    EXPECT_EQ(dialogs.messages, Messages{kNotSetClosed});
    EXPECT_EQ(QuorinParameters.SA, 1);
    EXPECT_EQ(g_strQuorinFormat, "d") << "the format of a Set that did not go through";
    EXPECT_TRUE(Shown(1167));

    Action(32826)->trigger();
    ASSERT_TRUE(g_bConnected);
    EXPECT_EQ(SetInterruptedBy([this] { HangUp(); }), kFirstWrites);
    EXPECT_EQ(dialogs.messages, (Messages{"COM Port connection lost!", kNotSetClosed}));
}

// A line on which the test plays the device: nothing answers unless the test writes.
struct CSilentLine
{
    CPseudoTerminal line;

    explicit CSilentLine(const char* family)
    {
        std::string error;
        EXPECT_TRUE(line.Open(error)) << error;
        PortSettings = {family, line.DevicePath(), "9600", "8", 0, 0};
    }
    void Send(const std::string& bytes) const
    {
        EXPECT_EQ(::write(line.Master(), bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
};

// Get on a line that answers with the text given, while the waiting message is open, for a
// dialog that has read its device's whole listing before. Returns the messages of that Get.
template <class Dialog>
Messages GetAnswered(const std::string& answer, const std::string& listing, const char* family,
                     const std::function<void(Dialog&)>& check)
{
    CAnsweredDialogs dialogs;
    CSilentLine silent(family);
    Dialog dlg;
    std::string sent = listing;
    dialogs.onMessage = [&](const std::string& text) {
        if (text != kGetWaiting)
            return;
        silent.Send(sent);
        const std::string last = sent.substr(sent.size() - std::min<std::size_t>(sent.size(), 8));
        EXPECT_TRUE(PumpUntil([&] { return dlg.Classic().Text().find(last) != std::string::npos; },
                              30000ms));
    };
    dlg.Start();
    EXPECT_EQ(dialogs.messages, Messages{kGetWaiting});
    check(dlg);
    dialogs.messages.clear();
    sent = answer;
    FindControl<QPushButton>(&dlg, family == std::string("Zelnar") ? 1047 : 1119)->click();
    check(dlg);
    return dialogs.messages;
}

TEST(GetWithoutAListing, KeepsTheRecordTheControlsAndTheFormat)
{
    CDeviceEmulator zelnar(DeviceFamily::Zelnar, 7);
    CDeviceEmulator quorin(DeviceFamily::Quorin, 7);
    const std::string zelnarListing = zelnar.Listing();
    const std::string quorinListing = quorin.Listing();
    for (const std::string& answer : {std::string(), std::string("E02\r\n\x81\x05garbage\r\n"),
                                      zelnarListing.substr(0, zelnarListing.size() / 2)}) {
        SCOPED_TRACE(answer);
        const Messages messages =
            GetAnswered<ZelnarDlg>(answer, zelnarListing, "Zelnar", [](ZelnarDlg& dlg) {
                EXPECT_EQ(dlg.Controls().MF, "2000");
                EXPECT_EQ(dlg.Controls().QAy, "20.000");
                EXPECT_EQ(ZelnarParameters.MF, 2000);
                EXPECT_DOUBLE_EQ(ZelnarParameters.SF, 1.0);
                EXPECT_EQ(ZelnarParameters.AS, "ID");
            });
        EXPECT_EQ(messages, (Messages{kGetWaiting, kNoListing}));
    }
    for (const std::string& answer : {std::string(), std::string("E15  \r\nok\r\n"),
                                      quorinListing.substr(0, quorinListing.size() / 2)}) {
        SCOPED_TRACE(answer);
        const Messages messages =
            GetAnswered<QuorinDlg>(answer, quorinListing, "Quorin", [](QuorinDlg& dlg) {
                EXPECT_EQ(dlg.Controls().SF, "1.000000");
                EXPECT_EQ(dlg.Controls().SD, 0);
                EXPECT_DOUBLE_EQ(QuorinParameters.RE, 20.0);
                EXPECT_EQ(g_strQuorinFormat, "d");
            });
        EXPECT_EQ(messages, (Messages{kGetWaiting, kNoListing}));
    }
}

TEST(GetWithoutAListing, AListingCutOffByALostConnectionIsNoListing)
{
    CAnsweredDialogs dialogs;
    CSilentLine silent("Quorin");
    QuorinDlg dlg;
    dialogs.onMessage = [&](const std::string& text) {
        if (text != kGetWaiting)
            return;
        silent.Send("[SA] Average........: 4 values averaged\r\n[SD] Output format: h");
        EXPECT_TRUE(PumpUntil([&] { return dlg.Classic().Text().ends_with("format: h"); }));
        silent.line.Close();
        EXPECT_TRUE(PumpUntil([] { return !g_bConnected; }, 30000ms));
    };
    g_strQuorinFormat = "d";
    dlg.Start();
    EXPECT_EQ(dialogs.messages,
              (Messages{kGetWaiting, "COM Port connection lost!",
                        "Parameters have not been read: the COM Port connection was closed."}));
    EXPECT_EQ(g_strQuorinFormat, "d");
    EXPECT_EQ(dlg.Controls().SA, "");
}

} // namespace
