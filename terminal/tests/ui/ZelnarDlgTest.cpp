#include "ZelnarDlg.h"
#include "ClassicZL.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "DisplayZL.h"
#include "GraphData.h"
#include "LogZL.h"
#include "MainDlgTestSupport.h"
#include "PageTabCtrl.h"
#include "ParameterRecords.h"
#include "TerminalState.h"
#include "ZelnarDisplay.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdlib>

#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char* kGetWaiting = "Get parameter settings from Telvan\n\tPush OK Button";
constexpr const char* kNotConnected = "COM Port is not connected!";

// A Zelnar main dialog started against an emulated device whose parameters all differ from
// their defaults, so that every control shows what the device listed.
struct ZelnarDlgTest : TMainDlgTest<ZelnarDlg, CEmulatedZelnar>
{
    void SetUp() override
    {
        StartOn({"MF1234", "SA7", "TD12.5 1 0", "SF2", "OF0.5", "MW-100 300", "Q13 4 0.5 0",
                 "Q212 6 1 1", "QA1 21", "PL2", "SE2", "SC1", "SD0 3", "ASDT"},
                kZelnarListingEnd);
    }

    bool ChangedShown() const { return Shown(1166); }
};

TEST_F(ZelnarDlgTest, StartUpConnectsAndGetFillsEveryControlWithTheDevicesValues)
{
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kGetWaiting});
    EXPECT_TRUE(g_bConnected);
    emulated.device.WaitForReceived(4, 30000ms);
    EXPECT_EQ(emulated.device.Received(), "\x1b\rPA\r");
    ExpectEdits({
        {1022, "1234"},     {1023, "7"},     {1024, "12.50"},    {1025, "1"},       {1034, "0"},
        {1026, "2.000000"}, {1027, "0.500"}, {1028, "-100.000"}, {1029, "300.000"}, {1030, "3.000"},
        {1031, "4.000"},    {1032, "0.500"}, {1033, "0"},        {1035, "12.000"},  {1036, "6.000"},
        {1037, "1.000"},    {1038, "1"},     {1039, "1.000"},    {1040, "21.000"},
    });
    EXPECT_EQ(Combo(1018)->currentText(), "DT");
    EXPECT_EQ(Combo(1019)->currentIndex(), 2);
    EXPECT_EQ(Combo(1020)->currentIndex(), 2);
    EXPECT_EQ(Combo(1021)->currentIndex(), 1);
    EXPECT_EQ(Combo(1041)->currentIndex(), 0);
    EXPECT_EQ(Combo(1042)->currentIndex(), 3);
    EXPECT_EQ(ZelnarParameters.MF, 1234);
    EXPECT_DOUBLE_EQ(ZelnarParameters.Q1y, 0.5);
    EXPECT_FALSE(ChangedShown());
}

TEST_F(ZelnarDlgTest, DialogCarriesItsCaptionTabsTooltipsAndMenuIds)
{
    EXPECT_EQ(dlg->windowTitle(), "Zelnar Terminal");
    auto* tabs = FindControl<CPageTabCtrl>(dlg.get(), 1011);
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "Display");
    EXPECT_EQ(tabs->tabText(1), "Graphic");
    EXPECT_EQ(tabs->tabText(2), "Classic");
    EXPECT_EQ(tabs->tabText(3), "Log");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->TemplateId(2), 131u);
    for (int page = 4; page < 16; ++page)
        EXPECT_TRUE(tabs->AddPage("more", new QWidget, 200));
    auto* refused = new QWidget(dlg.get());
    EXPECT_FALSE(tabs->AddPage("17th", refused, 200));
    EXPECT_EQ(tabs->PageCount(), 16);

    EXPECT_EQ(Edit(1034)->toolTip(),
              "Trigger Mode: 0:Single shot\n                       1:Single measurement");
    EXPECT_EQ(Edit(1037)->toolTip(), "Alarm Hysteresis (0=No)");
    EXPECT_EQ(Edit(1040)->toolTip(), "Analog End : 20mA");
    EXPECT_EQ(Combo(1041)->toolTip(), "Display Format");
    EXPECT_EQ(Button(1066)->toolTip(), "Stop Measurement (Only required for DT and VT mode)");
    EXPECT_EQ(Button(1049)->toolTip(), "Reset all parameters (PR)");
    EXPECT_EQ(Edit(1022)->toolTipDuration(), 15000);
    EXPECT_FALSE(Button(1060)->isEnabled());
    EXPECT_EQ(Combo(1019)->itemText(3), "3: Blinking(5Hz)");

    const std::vector<std::pair<int, const char*>> items = {
        {32774, "Save Log File"},
        {32779, "Exit"},
        {32771, "COM Configuration"},
        {32772, "Connect"},
        {32773, "Disconnect"},
        {32780, "Get From Telvan"},
        {32781, "Set To Telvan"},
        {32782, "Load Parameters"},
        {32783, "Save Parameters"},
        {32784, "Reset All Parameters"},
        {32785, "Show All Parameters"},
        {32786, "Distance Tracking (DT)"},
        {32793, "Internal Temperature (TP)"},
        {32795, "Device Identification"},
        {32798, "Start Simulation"},
        {32802, "Terminal"},
    };
    for (const auto& [id, text] : items) {
        ASSERT_NE(Action(id), nullptr) << id;
        EXPECT_EQ(Action(id)->text(), text);
    }
}

TEST_F(ZelnarDlgTest, ConnectAndDisconnectAreOfferedByTheConnectionState)
{
    auto* connection = qobject_cast<QMenu*>(Action(32772)->parent());
    ASSERT_NE(connection, nullptr);
    emit connection->aboutToShow();
    EXPECT_FALSE(Action(32772)->isEnabled());
    EXPECT_TRUE(Action(32773)->isEnabled());

    Action(32773)->trigger();
    EXPECT_FALSE(g_bConnected);
    emit connection->aboutToShow();
    EXPECT_TRUE(Action(32772)->isEnabled());
    EXPECT_FALSE(Action(32773)->isEnabled());

    Action(32772)->trigger();
    EXPECT_TRUE(g_bConnected);
    EXPECT_EQ(SentBy([this] { Button(1054)->click(); }, 3), "DM\r");
}

TEST_F(ZelnarDlgTest, EditingAnyParameterShowsTheRedSet)
{
    EXPECT_EQ(FindControl<CColorStatic>(dlg.get(), 1166)->TextColor(), QColor(255, 0, 0));
    Edit(1036)->setText("7");
    EXPECT_TRUE(ChangedShown());
    Button(1047)->click();
    EXPECT_FALSE(ChangedShown());
    Combo(1021)->setCurrentIndex(0);
    EXPECT_TRUE(ChangedShown());
}

TEST_F(ZelnarDlgTest, EveryCommandButtonAndMenuItemSendsItsBytes)
{
    const std::vector<std::tuple<int, int, const char*>> commands = {
        {1053, 32786, "DT\r"}, {1054, 32788, "DM\r"}, {1055, 32787, "DF\r"}, {1056, 32789, "VT\r"},
        {1057, 32790, "VM\r"}, {1058, 32791, "DR\r"}, {1059, 32792, "SO\r"}, {1064, 32795, "ID\r"},
        {1065, 32796, "HW\r"}, {0, 32793, "TP\r"},
    };
    for (const auto& [button, item, bytes] : commands) {
        const std::string expected = std::string(bytes) + "\x1b";
        if (button != 0) {
            EXPECT_EQ(SentBy(
                          [&] {
                              Button(button)->click();
                              Button(1066)->click();
                          },
                          expected.size()),
                      expected)
                << button;
        }
        EXPECT_EQ(SentBy(
                      [&] {
                          Action(item)->trigger();
                          Button(1066)->click();
                      },
                      expected.size()),
                  expected)
            << item;
    }
    EXPECT_EQ(dialogs.messages.size(), 1u);

    Action(32773)->trigger();
    const std::size_t before = emulated.device.Received().size();
    Button(1053)->click();
    Action(32793)->trigger();
    Button(1066)->click();
    Pump(50ms);
    EXPECT_EQ(emulated.device.Received().size(), before);
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{kGetWaiting, kNotConnected, kNotConnected, kNotConnected}));
}

TEST_F(ZelnarDlgTest, EscapeAndEnterSendEscAndNeverCloseTheDialog)
{
    dlg->setResult(-1);
    for (const int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        EXPECT_EQ(SentBy([&] { PressKey(Edit(1022), key); }, 1), "\x1b") << key;
        EXPECT_EQ(SentBy([&] { PressKey(Button(1047), key); }, 1), "\x1b") << key;
    }
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), -1) << "no end of the dialog";
}

TEST_F(ZelnarDlgTest, SetSendsTheWholeSetWithItsPausesAndTheDeviceTakesIt)
{
    Edit(1022)->setText("1000");
    Edit(1023)->setText("20");
    Edit(1026)->setText("1");
    Edit(1027)->setText("0");
    Edit(1024)->setText("5.5");
    Edit(1031)->setText("8");
    Combo(1019)->setCurrentIndex(1);
    Combo(1018)->setCurrentIndex(4);
    dialogs.messages.clear();

    const auto start = std::chrono::steady_clock::now();
    const std::string expected = "\x1b\rMF1000\rSA20\rSF1\rOF0\rTD5.5 1 0\rMW-100.000 300.000\r"
                                 "Q13.000 8 0.500 0\rQ212.000 6.000 1.000 1\rQA1.000 21.000\r"
                                 "PL1\rSE2\rSC1\rSD0 3\rASVM\r";
    EXPECT_EQ(SentBy([this] { Button(1048)->click(); }, expected.size()), expected);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Parameters have been set"});
    EXPECT_FALSE(ChangedShown());

    const CZelnarParameterSet device = emulated.device.ZelnarParameters();
    EXPECT_EQ(device.MF, 1000);
    EXPECT_DOUBLE_EQ(device.TDx, 5.5);
    EXPECT_DOUBLE_EQ(device.Q1x, 8);
    EXPECT_EQ(device.AS, "VM");

    // The device's answers to the set must not land in the listing that Get reads.
    ASSERT_TRUE(PumpUntilQuiet(dlg->Classic()));
    Action(32780)->trigger();
    EXPECT_EQ(Edit(1022)->text(), "1000");
    EXPECT_EQ(Edit(1024)->text(), "5.50");
    EXPECT_EQ(Combo(1018)->currentText(), "VM");
    EXPECT_EQ(Combo(1019)->currentIndex(), 1);
}

// The alarm the device keeps is what the controls, the record and a saved file show.
TEST_F(ZelnarDlgTest, SetKeepsTheAlarmWhoseHysteresisExceedsItsWidth)
{
    Edit(1031)->setText("2");
    Edit(1032)->setText("9");
    dialogs.messages.clear();
    const std::string sent = SentBy([this] { Action(32781)->trigger(); }, 60);
    EXPECT_EQ(sent.find("Q1"), std::string::npos);
    EXPECT_NE(sent.find("Q212.000 6.000 1.000 1\r"), std::string::npos);
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"WARNING: Q1y must not be higher than Q1x\n       keeping "
                                        "latest correct value",
                                        "Parameters have been set"}));
    EXPECT_DOUBLE_EQ(emulated.device.ZelnarParameters().Q1y, 0.5);
    ExpectEdits({{1030, "3.000"}, {1031, "4.000"}, {1032, "0.500"}, {1033, "0"}});
    EXPECT_FALSE(ChangedShown());
    EXPECT_DOUBLE_EQ(ZelnarParameters.Q1x, 4.0);

    QTemporaryDir folder;
    dialogs.filePath = folder.filePath("ParametersZL.txt");
    Action(32783)->trigger();
    const std::string saved = ReadFile(dialogs.filePath);
    EXPECT_NE(saved.find("\nQ1x: 4.000000\nQ1y: 0.500000\n"), std::string::npos) << saved;
}

TEST_F(ZelnarDlgTest, ShowAllInBinaryModeTakesTheListingAsText)
{
    Combo(1041)->setCurrentIndex(2);
    Button(1048)->click();
    ASSERT_TRUE(
        PumpUntil([this] { return emulated.device.Received().ends_with("SD2 3\rASDT\r"); }));
    EXPECT_EQ(dialogs.messages.back(),
              "\tParameters have been set\nWARNING: Version Telvan 1.3.9 required for Binary Mode");
    EXPECT_EQ(ZelnarParameters.SDx, 2);

    int formatWhileOpen = -1;
    dialogs.onMessage = [&](const std::string& text) {
        formatWhileOpen = ZelnarParameters.SDx;
        if (text == "Parameters displayed") {
            EXPECT_TRUE(PumpUntil([this] { return ListingShown(dlg->Classic()); }));
        }
    };
    dlg->Classic().ClearText();
    EXPECT_EQ(SentBy([this] { Button(1050)->click(); }, 3), "PA\r");
    EXPECT_EQ(dialogs.messages.back(), "Parameters displayed");
    EXPECT_EQ(formatWhileOpen, 0);
    EXPECT_EQ(ZelnarParameters.SDx, 2);
    EXPECT_NE(dlg->Classic().Text().find("SD[-] Output format (2)"), std::string::npos);

    // Identification and diagnosis have no binary replies: nothing is sent.
    EXPECT_EQ(SentBeforeDM([this] { Button(1064)->click(); }, 1054), "");
}

TEST_F(ZelnarDlgTest, ResetParamResetsTheDeviceAndReadsItsParametersAgain)
{
    dialogs.messages.clear();
    EXPECT_EQ(SentBy([this] { Button(1049)->click(); }, 7), "PR\r\x1b\rPA\r");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kGetWaiting});
    EXPECT_EQ(Edit(1022)->text(), "2000");
    EXPECT_EQ(Combo(1018)->currentText(), "ID");
    EXPECT_EQ(Edit(1040)->text(), "20.000");
}

TEST_F(ZelnarDlgTest, GetSetAndResetSwitchTheAlarmOutputsOff)
{
    for (const int id : {1047, 1048, 1049}) {
        for (const char* line : {"+0005.000", "+0015.000"})
            g_DisplayZL.DecodeDecimal(line, ZelnarParameters, false);
        ASSERT_TRUE(g_DisplayZL.IsQ1On() || g_DisplayZL.IsQ2On());
        Button(id)->click();
        EXPECT_FALSE(g_DisplayZL.IsQ1On()) << id;
        EXPECT_FALSE(g_DisplayZL.IsQ2On()) << id;
    }
}

TEST_F(ZelnarDlgTest, SaveWritesTheParameterFileAndLoadRestoresAndSendsIt)
{
    char directory[] = "/tmp/telvan-ui-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    const std::string path = std::string(directory) + "/ParametersZL.txt";
    dialogs.filePath = QString::fromStdString(path);

    Action(32783)->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].proposedName, "ParametersZL");
    EXPECT_EQ(dialogs.fileRequests[0].fileType, "Text Files (*.txt)");
    std::ifstream file(path, std::ios::binary);
    std::stringstream saved;
    saved << file.rdbuf();
    EXPECT_EQ(saved.str(), "AS: 2\nPL: 2\nSE: 2\nSC: 1\nSDx: 0\nSDy: 3\nMF: 1234\nSA: 7\n"
                           "Q1z:  0\nQ2z:  1\nTDx: 12.500000\nTDy: 1\nTDz: 0\nBR: 115200\n"
                           "SF: 2.000000\nOF: 0.500000\nMWx: -100.000000\nMWy: 300.000000\n"
                           "Q1w: 3.000000\nQ1x: 4.000000\nQ1y: 0.500000\nQ2w: 12.000000\n"
                           "Q2x: 6.000000\nQ2y: 1.000000\nQAx: 1.000000\nQAy: 21.000000\n");

    // The device and the controls forget the set; loading the file brings both back.
    Button(1049)->click();
    ASSERT_EQ(Edit(1022)->text(), "2000");
    dialogs.messages.clear();
    const std::string expected = "\x1b\rMF1234\rSA7\rSF2.000000\rOF0.500\rTD12.50 1 0\r"
                                 "MW-100.000 300.000\rQ13.000 4.000 0.500 0\r"
                                 "Q212.000 6.000 1.000 1\rQA1.000 21.000\rPL2\rSE2\rSC1\r"
                                 "SD0 3\rASDT\r";
    EXPECT_EQ(SentBy([this] { Button(1051)->click(); }, expected.size()), expected);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Parameters have been set"});
    EXPECT_EQ(Edit(1022)->text(), "1234");
    EXPECT_EQ(Combo(1018)->currentText(), "DT");
    EXPECT_EQ(emulated.device.ZelnarParameters().MF, 1234);

    // A file that lacks a line changes nothing.
    std::ofstream(path, std::ios::trunc) << "AS: 1\nPL: 0\n";
    dialogs.messages.clear();
    EXPECT_EQ(SentBeforeDM([this] { Button(1051)->click(); }, 1054), "");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Can not read file!"});
    EXPECT_EQ(Combo(1018)->currentText(), "DT");

    // A save that cannot be written says so.
    dialogs.filePath = QString::fromStdString(std::string(directory) + "/missing/ParametersZL");
    Button(1052)->click();
    EXPECT_EQ(dialogs.messages.back(), "Can not save file!");
    std::remove(path.c_str());
    rmdir(directory);
}

TEST_F(ZelnarDlgTest, TypedLineOnTheClassicPageReachesTheDeviceAndTheListingAppears)
{
    auto* edit = FindControl<QPlainTextEdit>(dlg.get(), 1012);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->font().family(), "Courier New");
    dlg->Classic().ClearText();
    g_nLineCount = 1;
    PressKey(edit, Qt::Key_P, "P");
    PressKey(edit, Qt::Key_A, "A");
    EXPECT_EQ(SentBy([&] { PressKey(edit, Qt::Key_Return); }, 3), "PA\r");
    EXPECT_TRUE(PumpUntil([this] { return ListingShown(dlg->Classic()); }));

    EXPECT_EQ(SentBy([&] { PressKey(edit, Qt::Key_Escape); }, 1), "\x1b");
    EXPECT_TRUE(dlg->isVisible());

    Action(32773)->trigger();
    dialogs.messages.clear();
    const int count = g_nLineCount;
    PressKey(edit, Qt::Key_Return);
    PressKey(edit, Qt::Key_Escape);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"The COM Port is not connected!",
                                                          "The COM Port is not connected!"}));
    EXPECT_EQ(g_nLineCount, std::min(count + 1, 39));
}

TEST_F(ZelnarDlgTest, ExitDisconnectsAndEndsTheDialog)
{
    dlg->setResult(-1);
    Action(32779)->trigger();
    EXPECT_FALSE(g_bConnected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST(ZelnarDlgPortTest, ConnectToAMissingPortShowsTheFailureAndKeepsConnectOffered)
{
    CAnsweredDialogs dialogs;
    PortSettings = {"Zelnar", "/dev/telvan-no-such-port", "115200", "8", 0, 0};
    ZelnarDlg dlg;
    dlg.Start();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].substr(0, dialogs.messages[0].find('\n')),
              "Failed to establish COM Port connection!");
    EXPECT_EQ(dialogs.messages[1], kNotConnected);
    EXPECT_FALSE(g_bConnected);
    EXPECT_TRUE(FindControl<QAction>(&dlg, 32772)->isEnabled());
    EXPECT_FALSE(FindControl<QAction>(&dlg, 32773)->isEnabled());

    FindControl<QAction>(&dlg, 32772)->trigger();
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_TRUE(FindControl<QAction>(&dlg, 32772)->isEnabled());
    FindControl<QPushButton>(&dlg, 1048)->click();
    FindControl<QPushButton>(&dlg, 1050)->click();
    EXPECT_EQ(dialogs.messages.back(), kNotConnected);
    EXPECT_EQ(dialogs.messages.size(), 5u);
}

} // namespace

TEST_F(ZelnarDlgTest, SaveLogFileOfTheFileMenuSavesTheLogPagesStretch)
{
    ASSERT_TRUE(PumpUntilQuiet(dlg->Classic()));
    FindControl<QPushButton>(&dlg->Log(), 1148)->click();
    Button(1054)->click();
    const auto& entries = dlg->Log().Book().Entries();
    ASSERT_TRUE(PumpUntil([&] { return entries.size() > dlg->Log().Book().StartIndex(); }));
    FindControl<QPushButton>(&dlg->Log(), 1149)->click();
    const std::string reading(entries[entries.size() - 1]);
    EXPECT_TRUE(reading.starts_with("D")) << reading;

    QTemporaryDir folder;
    dialogs.filePath = folder.filePath("Log.txt");
    Action(32774)->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0],
              (CFileRequest{true, "Log", "txt", "Text Files (*.txt)", "log"}));
    EXPECT_EQ(ReadFile(dialogs.filePath), reading + "\r\n");
}

// Simulation mode entered through the menu with the settings given.
struct ZelnarSimulationTest : ZelnarDlgTest
{
    void SetUp() override
    {
        // The run's noise decides whether a line at the window's edge is an error: the same
        // noise for every test, whichever ran before. The display's counts live as long as
        // the program: they start again for each test too.
        std::srand(1);
        g_DisplayZL = CZelnarDisplay{};
        ZelnarDlgTest::SetUp();
    }

    void StartSimulation(const QString& maximum, const QString& minimum)
    {
        ::StartSimulation(Action(32798), maximum, minimum);
    }
    QString Distance() const { return FindControl<QLabel>(dlg.get(), 1070)->text(); }
    QString E02Count() const { return FindControl<QLineEdit>(dlg.get(), 1091)->text(); }
    // The Display page puts the decoded lines on its controls on the dialog's timer, as it does
    // with received lines.
    static testing::AssertionResult Shows(const std::function<QString()>& text,
                                          const QString& expected)
    {
        if (PumpUntil([&] { return text() == expected; }))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "shows \"" << text().toStdString() << "\"";
    }
    bool RunOver() const { return !g_bSimRunning; }
    // The demonstration pace is 10 ms a line; a run in a test plays as fast as the timer goes,
    // in the dialog in sight.
    void FastRun() { ZelnarParameters.MF = 1000000; }
};

TEST_F(ZelnarSimulationTest, StartLoadsTheDemonstrationSetClosesThePortAndLocksTheCommands)
{
    StartSimulation("20", "0");
    EXPECT_TRUE(g_bSimulation);
    EXPECT_FALSE(g_bConnected);
    EXPECT_EQ(Edit(1022)->text(), "2000");
    EXPECT_EQ(Edit(1023)->text(), "20");
    EXPECT_EQ(Edit(1030)->text(), "5");
    EXPECT_EQ(ZelnarParameters.Q2w, 12.0);
    EXPECT_EQ(Combo(1041)->currentIndex(), 0);
    EXPECT_FALSE(ChangedShown());
    for (int id : {1047, 1050, 1049, 1064, 1065, 1054, 1055, 1056, 1057, 1058, 1059})
        EXPECT_FALSE(Button(id)->isEnabled()) << id;
    EXPECT_FALSE(Combo(1041)->isEnabled());
    EXPECT_TRUE(Button(1060)->isEnabled());
    EXPECT_TRUE(Button(1053)->isEnabled());
    EXPECT_TRUE(Button(1048)->isEnabled());

    dialogs.messages.clear();
    Action(32772)->trigger();
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Simulation mode Active\nPlease Stop Simulation first"});
    EXPECT_FALSE(g_bConnected);

    // A second start keeps what the operator typed.
    Edit(1022)->setText("1000");
    StartSimulation("20", "0");
    EXPECT_EQ(Edit(1022)->text(), "1000");

    Action(32799)->trigger();
    EXPECT_FALSE(g_bSimulation);
    EXPECT_TRUE(Button(1047)->isEnabled());
    EXPECT_TRUE(Combo(1041)->isEnabled());
    EXPECT_FALSE(Button(1060)->isEnabled());
}

TEST_F(ZelnarSimulationTest, LoadKeepsTheDecimalFormatThatSimulationLocks)
{
    StartSimulation("20", "0");
    QTemporaryDir folder;
    dialogs.filePath = folder.filePath("ParametersZL.txt");
    Action(32783)->trigger();
    std::string file = ReadFile(dialogs.filePath);
    file.replace(file.find("SDx: 0"), 6, "SDx: 1");
    std::ofstream(dialogs.filePath.toStdString(), std::ios::binary | std::ios::trunc) << file;

    Action(32782)->trigger();
    EXPECT_EQ(Combo(1041)->currentIndex(), 0);
    Button(1048)->click();
    EXPECT_EQ(dialogs.messages.back(), "parameters have been set");
    EXPECT_EQ(ZelnarParameters.SDx, 0);
    FastRun();
    Button(1053)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [] { return g_nGraphPoints >= 5; }));
    EXPECT_TRUE(Shows([this] { return Distance().left(5); }, " 0000"))
        << "simulated lines are decoded";
}

TEST_F(ZelnarSimulationTest, ARefusedRangeStartsNothing)
{
    StartSimulation("3", "5");
    EXPECT_EQ(dialogs.messages.back(),
              "Distance max must be greater than Distance min, Correct parameters");
    EXPECT_FALSE(g_bSimulation);
    EXPECT_TRUE(g_bConnected);
    EXPECT_EQ(g_dSimMax, 20.0);
}

TEST_F(ZelnarSimulationTest, ADefaultRunPlaysEveryLineWithTheErrorStretch)
{
    StartSimulation("20", "0");
    FastRun();
    const std::size_t sent = emulated.device.Received().size();
    Button(1053)->click();
    EXPECT_TRUE(g_bSimRunning);
    // DT during a run is ignored.
    Action(32786)->trigger();
    ASSERT_TRUE(PlayUntil(*dlg, [this] { return RunOver(); }));
    EXPECT_EQ(g_nGraphPoints, 4002);
    EXPECT_EQ(g_pDistanceColumn->m_Values.size(), 150u);
    EXPECT_TRUE(Shows([this] { return E02Count(); }, "998"));
    EXPECT_EQ(Distance().left(5), " 0000");
    EXPECT_EQ(FindControl<QLabel>(dlg.get(), 1099)->text(), "m");
    EXPECT_EQ(emulated.device.Received().size(), sent) << "nothing reaches the port";
}

TEST_F(ZelnarSimulationTest, PauseResumesWhereItStoppedAndStopShowsTheRestLine)
{
    StartSimulation("20", "0");
    FastRun();
    Button(1053)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [] { return g_nGraphPoints >= 300; }));
    Button(1060)->click();
    EXPECT_FALSE(g_bSimRunning);
    const auto shown = g_nGraphPoints;
    EXPECT_EQ(g_nSimPosition, shown);
    Pump(30ms);
    EXPECT_EQ(g_nGraphPoints, shown) << "a paused run plays nothing";

    Button(1053)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [] { return g_nGraphPoints >= 2500; }));
    Button(1060)->click();
    const auto paused = g_nGraphPoints;
    Button(1066)->click();
    EXPECT_EQ(g_nSimPosition, 0);
    EXPECT_TRUE(Shows([this] { return Distance(); }, " 0000.000"));
    EXPECT_EQ(g_nGraphPoints, paused + 1) << "the rest line is shown once";

    // The next run starts from the beginning and plays all its lines.
    Button(1053)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [this] { return RunOver(); }));
    EXPECT_EQ(g_nGraphPoints, paused + 1 + 4002);
}

TEST_F(ZelnarSimulationTest, StopSimulationEndsARunningRunWithTheRestLine)
{
    StartSimulation("20", "0");
    Button(1053)->click();
    ASSERT_TRUE(PumpUntil([] { return g_nGraphPoints >= 5; }));
    Action(32799)->trigger();
    EXPECT_FALSE(g_bSimRunning);
    EXPECT_FALSE(g_bSimulation);
    EXPECT_TRUE(Shows([this] { return Distance(); }, " 0000.000"));
    const auto shown = g_nGraphPoints;
    Pump(50ms);
    EXPECT_EQ(g_nGraphPoints, shown);
}
