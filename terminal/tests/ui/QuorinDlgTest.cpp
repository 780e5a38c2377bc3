#include "QuorinDlg.h"

#include "ClassicQR.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "DisplayQR.h"
#include "LogQR.h"
#include "MainDlgTestSupport.h"
#include "PageTabCtrl.h"
#include "ParameterRecords.h"
#include "QuorinDisplay.h"
#include "QuorinErrorCodes.h"
#include "TerminalState.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr const char* kGetWaiting = "Get parameter settings from Telvan\n\tPush OK Button";
constexpr const char* kNotConnected = "COM Port is not connected!";
constexpr const char* kUnconnected = "Port COM unconnected";
constexpr const char* kZeroRefusal =
    "SF and SA must not be equal to 0\nPlease, modify these parameters";

// What the device holds in the tests: every value differs from what PR leaves.
constexpr const char* kDeviceFile = "AS: 3\nSE: 2\nSD: 1\nRMx: 5\nRMy: 3\nRMz: 2\nST: 2\nSA: 7\n"
                                    "TDxQR: 120\nTDy: 1\nSF: 2.000000\nOF: 0.500000\nTMx: 1\n"
                                    "TMy: 1\nRB: 1.500000\nRE: 30.000000\nAC: 7.000000\n"
                                    "AW: 3.000000\nAH: -1.000000\nBR: 9600\n";
constexpr const char* kDeviceSet = "RM5 3 2\rST2\rSA7\rTD120 1\rSF2.000000\rOF0.500\rTM1 1\rSDh\r"
                                   "SE2\rRB1.500\rRE30.000\rAC7.000\rAW3.000\rAH-1.000\rASDT\r";

// A Quorin main dialog started against an emulated device whose parameters all differ from
// their defaults, so that every control shows what the device listed.
struct QuorinDlgTest : TMainDlgTest<QuorinDlg, CEmulatedQuorin>
{
    std::chrono::steady_clock::duration startUp{};

    void SetUp() override
    {
        g_DisplayQR = CQuorinDisplay{};
        const auto start = std::chrono::steady_clock::now();
        StartOn({"RM5 3 2", "ST2", "SA7", "TD120 1", "SF2", "OF0.5", "TM1 1", "SDh", "SE2", "RB1.5",
                 "RE30", "AC7", "AW3", "AH-1", "ASDT"},
                kQuorinListingEnd);
        startUp = std::chrono::steady_clock::now() - start;
    }

    bool ChangedShown() const { return Shown(1167); }
    std::string SentBeforeMarker(const std::function<void()>& act)
    {
        return SentBeforeDM(act, 1132);
    }
    // Waits until the device has answered everything sent so far.
    void Settle() { ASSERT_TRUE(PumpUntilQuiet(dlg->Classic(), 300ms)); }
    // Turns the alarm output Q1 on: a reading inside its window.
    static void AlarmOn()
    {
        CQuorinParameters alarm;
        alarm.AC = 5;
        alarm.AW = 4;
        g_DisplayQR.Decode("007.000", "d", false, alarm, false);
        ASSERT_TRUE(g_DisplayQR.IsQ1On());
    }
};

TEST_F(QuorinDlgTest, StartUpConnectsAndGetFillsEveryControlWithTheDevicesValues)
{
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kGetWaiting});
    EXPECT_TRUE(g_bConnected);
    // ESC alone, a pause, then PA, and the listing gets a second before it is parsed.
    EXPECT_EQ(emulated.device.Received(), "\x1bPA\r");
    EXPECT_GE(startUp, 1100ms);
    ExpectEdits({
        {1107, "5"},
        {1108, "3"},
        {1109, "2"},
        {1110, "2"},
        {1112, "7"},
        {1111, "120"},
        {1113, "1"},
        {1123, "2.000000"},
        {1125, "0.500"},
        {1124, "1"},
        {1126, "1"},
        {1117, "1.500"},
        {1118, "30.000"},
        {1114, "7.000"},
        {1116, "3.000"},
        {1115, "-1.000"},
    });
    EXPECT_EQ(Combo(1104)->currentText(), "DT");
    EXPECT_EQ(Combo(1104)->currentIndex(), 3);
    EXPECT_EQ(Combo(1105)->currentIndex(), 2);
    EXPECT_EQ(Combo(1106)->currentText(), "1: Hexadecimal");
    EXPECT_EQ(g_strQuorinFormat, "h");
    EXPECT_EQ(QuorinParameters.TDx, 120);
    EXPECT_DOUBLE_EQ(QuorinParameters.AH, -1.0);
    EXPECT_EQ(QuorinParameters.BR, 9600);
    EXPECT_FALSE(ChangedShown());
}

TEST_F(QuorinDlgTest, DialogCarriesItsCaptionTabsListsTooltipsAndMenuIds)
{
    EXPECT_EQ(dlg->windowTitle(), "Quorin");
    auto* tabs = FindControl<CPageTabCtrl>(dlg.get(), 1011);
    ASSERT_EQ(tabs->count(), 4);
    const std::vector<std::pair<const char*, unsigned>> pages = {
        {"Display", 156}, {"Graphic", 157}, {"Classic", 155}, {"Log", 158}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i), pages[std::size_t(i)].first);
        EXPECT_EQ(tabs->TemplateId(i), pages[std::size_t(i)].second);
    }
    EXPECT_EQ(tabs->currentIndex(), 0);

    QStringList autostart;
    for (int i = 0; i < Combo(1104)->count(); ++i)
        autostart << Combo(1104)->itemText(i);
    EXPECT_EQ(autostart, (QStringList{"DF", "DM", "DS", "DT", "DW", "DX", "ID", "LO", "TP"}));
    EXPECT_EQ(Combo(1105)->itemText(0), "0: Latest valid value");
    EXPECT_EQ(Combo(1106)->count(), 2);
    EXPECT_EQ(Button(1140)->text(), "Laser Off ");
    EXPECT_EQ(Button(1072)->text(), "Temperature");
    EXPECT_FALSE(Button(1164)->isEnabled());
    EXPECT_EQ(Own<CColorStatic>(1167)->TextColor(), QColor(255, 0, 0));

    EXPECT_EQ(Button(1133)->toolTip(), "Distance measurement with external trigger");
    EXPECT_EQ(Button(1140)->toolTip(), "Pilot Laser Off (LF)");
    EXPECT_EQ(Button(1121)->toolTip(), "Reset all parmeters (PR)");
    EXPECT_EQ(Button(1139)->toolTip(),
              "Stop Measurement (Only required for continous measurement mode)");
    EXPECT_EQ(Edit(1110)->toolTip(), "Display/Set measuring time:\n[0]: Automatic by Telvan: "
                                     "160ms-6s\n[1-25]: n*240ms (DT mode)\n            n*150ms "
                                     "(DS mode)");
    EXPECT_EQ(Edit(1126)->toolTip(), "Select Flanke: (0=H/L transition, 1=L/H Transition)");
    EXPECT_TRUE(Combo(1104)->toolTip().startsWith("Autostart Function:\nDF:"));
    EXPECT_EQ(Combo(1106)->toolTip(), "Display Format");
    EXPECT_EQ(Edit(1114)->toolTipDuration(), 15000);
    EXPECT_TRUE(Button(1119)->toolTip().isEmpty());

    const std::vector<std::pair<int, const char*>> items = {
        {32803, "Save Log File"},   {32804, "Exit"},       {32771, "COM Configuration"},
        {32826, "Connect"},         {32827, "Disconnect"}, {32823, "Start Simulation"},
        {32824, "Stop Simulation"}, {32825, "About"},
    };
    for (const auto& [id, text] : items) {
        ASSERT_NE(Action(id), nullptr) << id;
        EXPECT_EQ(Action(id)->text(), text);
    }
    auto* connection = qobject_cast<QMenu*>(Action(32826)->parent());
    emit connection->aboutToShow();
    EXPECT_FALSE(Action(32826)->isEnabled());
    EXPECT_TRUE(Action(32827)->isEnabled());
}

TEST_F(QuorinDlgTest, EveryCommandButtonSendsItsBytes)
{
    const std::vector<std::pair<int, const char*>> commands = {
        {1131, "DT\r"}, {1132, "DM\r"}, {1133, "DF\r"}, {1134, "DS\r"},
        {1135, "DW\r"}, {1136, "DX\r"}, {1130, "ID\r"}, {1137, "SO\r"},
        {1138, "LO\r"}, {1140, "LF\r"}, {1122, "PA\r"}, {1072, "TP\r"},
    };
    for (const auto& [button, bytes] : commands) {
        const std::string expected = std::string(bytes) + "\x1b";
        EXPECT_EQ(SentBy(
                      [&] {
                          Button(button)->click();
                          Button(1139)->click();
                      },
                      expected.size()),
                  expected)
            << button;
    }
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(QuorinDlgTest, TemperatureMarksTheNextReplyAndEachCommandSaysItIsNotConnected)
{
    Settle();
    g_bTempRequest = false;
    Button(1072)->click();
    EXPECT_TRUE(g_bTempRequest);
    // The Display page takes the device's answer as the temperature.
    EXPECT_TRUE(PumpUntil([] { return !g_bTempRequest; }));
    EXPECT_EQ(emulated.device.Received().substr(emulated.device.Received().size() - 3), "TP\r");

    Action(32827)->trigger();
    EXPECT_FALSE(g_bConnected);
    dialogs.messages.clear();
    const std::size_t before = emulated.device.Received().size();
    for (const int id : {1131, 1132, 1133, 1134, 1135, 1136, 1130, 1137, 1138, 1140, 1122, 1139,
                         1119, 1121, 1120, 1072})
        Button(id)->click();
    EXPECT_TRUE(g_bTempRequest) << "Temperature marks the next reply, sent or not";
    std::vector<std::string> expected(16, kNotConnected);
    expected[0] = expected[1] = kUnconnected;
    EXPECT_EQ(dialogs.messages, expected);
    Pump(30ms);
    EXPECT_EQ(emulated.device.Received().size(), before);
}

TEST_F(QuorinDlgTest, EscapeAndEnterSendNothingAndNeverCloseTheDialog)
{
    dlg->setResult(-1);
    for (const int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        EXPECT_EQ(SentBeforeMarker([&] { PressKey(Edit(1110), key); }), "") << key;
        EXPECT_EQ(SentBeforeMarker([&] { PressKey(Button(1119), key); }), "") << key;
        EXPECT_EQ(SentBeforeMarker([&] { PressKey(dlg.get(), key); }), "") << key;
    }
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), -1) << "no end of the dialog";
}

TEST_F(QuorinDlgTest, StopHidesTheChangedIndicatorAndEditsShowIt)
{
    Edit(1112)->setText("9");
    EXPECT_TRUE(ChangedShown());
    EXPECT_EQ(SentBy([this] { Button(1139)->click(); }, 1), "\x1b");
    EXPECT_FALSE(ChangedShown());
    Combo(1105)->setCurrentIndex(0);
    EXPECT_TRUE(ChangedShown());
}

TEST_F(QuorinDlgTest, SetSendsTheFifteenCommandsWithTheirPausesAndTheDeviceTakesThem)
{
    Settle();
    Edit(1107)->setText("4");
    Edit(1110)->setText("3");
    Combo(1104)->setCurrentIndex(4);
    Combo(1105)->setCurrentIndex(1);
    Combo(1106)->setCurrentIndex(0);
    dialogs.messages.clear();
    AlarmOn();

    const auto start = std::chrono::steady_clock::now();
    const std::string expected = "RM4 3 2\rST3\rSA7\rTD120 1\rSF2.000000\rOF0.500\rTM1 1\rSDd\r"
                                 "SE1\rRB1.500\rRE30.000\rAC7.000\rAW3.000\rAH-1.000\rASDW\r";
    EXPECT_EQ(SentBy([this] { Button(1120)->click(); }, expected.size()), expected);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 800ms) << "eight pauses of 100 ms";
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Parameters have been set"});
    EXPECT_FALSE(ChangedShown());
    EXPECT_FALSE(g_DisplayQR.IsQ1On());
    EXPECT_EQ(QuorinParameters.ST, 3);
    EXPECT_EQ(QuorinParameters.AS, "DW");
    EXPECT_EQ(g_strQuorinFormat, "d");

    const CQuorinParameterSet device = emulated.device.QuorinParameters();
    EXPECT_EQ(device.RMx, 4);
    EXPECT_EQ(device.ST, 3);
    EXPECT_EQ(device.SE, 1);
    EXPECT_EQ(device.SD, "d");
    EXPECT_EQ(device.AS, "DW");
}

TEST_F(QuorinDlgTest, ResetAndGetSwitchTheAlarmOffAndReadTheDeviceAgain)
{
    Settle();
    AlarmOn();
    dialogs.messages.clear();
    EXPECT_EQ(SentBy([this] { Button(1121)->click(); }, 7), "PR\r\x1bPA\r");
    EXPECT_FALSE(g_DisplayQR.IsQ1On());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kGetWaiting});
    EXPECT_EQ(Edit(1112)->text(), "1");
    EXPECT_EQ(Edit(1118)->text(), "20.000");
    EXPECT_EQ(Combo(1104)->currentText(), "ID");
    EXPECT_EQ(Combo(1106)->currentIndex(), 0);

    AlarmOn();
    EXPECT_EQ(SentBy([this] { Button(1119)->click(); }, 4), "\x1bPA\r");
    EXPECT_FALSE(g_DisplayQR.IsQ1On());
}

TEST_F(QuorinDlgTest, CommandsWaitWhileGetWaitsForTheListing)
{
    Settle();
    std::string sentWhileOpen = "<not asked>";
    dialogs.onMessage = [this, &sentWhileOpen](const std::string& text) {
        if (text != kGetWaiting)
            return;
        EXPECT_TRUE(PumpUntil([this] { return ListingShown(dlg->Classic(), kQuorinListingEnd); }));
        const std::size_t before = emulated.device.Received().size();
        Button(1132)->click();
        Button(1120)->click();
        Button(1121)->click();
        Pump(30ms);
        sentWhileOpen = emulated.ReceivedSince(before);
    };
    Button(1119)->click();
    EXPECT_EQ(sentWhileOpen, "");
}

TEST_F(QuorinDlgTest, SaveWritesTheParameterFileAndLoadRestoresAndSendsIt)
{
    QTemporaryDir folder;
    dialogs.filePath = folder.filePath("ParametersQR.txt");
    Button(1128)->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0],
              (CFileRequest{true, "ParametersQR", "txt", "Text Files (*.txt)", "parameters"}));
    const std::string saved = ReadFile(dialogs.filePath);
    EXPECT_EQ(saved, kDeviceFile);

    // The device and the controls forget the set; loading the file brings both back.
    Button(1121)->click();
    ASSERT_EQ(Edit(1112)->text(), "1");
    Settle();
    dialogs.messages.clear();
    EXPECT_EQ(SentBy([this] { Button(1127)->click(); }, std::string(kDeviceSet).size()),
              kDeviceSet);
    EXPECT_EQ(dialogs.fileRequests.back(),
              (CFileRequest{false, "", "txt", "Text File (*.txt)", "parameters"}));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Parameters have been set"});
    EXPECT_EQ(emulated.device.QuorinParameters().RE, 30.0);
    EXPECT_EQ(emulated.device.QuorinParameters().AS, "DT");

    // What was loaded saves to the same bytes.
    dialogs.filePath = folder.filePath("again.txt");
    Button(1128)->click();
    EXPECT_EQ(ReadFile(dialogs.filePath), saved);

    // A file that lacks a line changes neither the controls nor the device.
    const QString damaged = folder.filePath("damaged.txt");
    std::ofstream(damaged.toStdString(), std::ios::binary)
        << std::string(kDeviceFile).substr(0, 40);
    Edit(1112)->setText("4");
    dialogs.filePath = damaged;
    dialogs.messages.clear();
    EXPECT_EQ(SentBeforeMarker([this] { Button(1127)->click(); }), "");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Can not read file!"});
    EXPECT_EQ(Edit(1112)->text(), "4");
    EXPECT_EQ(Edit(1107)->text(), "5");

    // A save that cannot be written says so, and leaves no file behind.
    dialogs.filePath = folder.filePath("missing/ParametersQR.txt");
    Button(1128)->click();
    EXPECT_EQ(dialogs.messages.back(), "Can not save file!");
    EXPECT_FALSE(QFile::exists(dialogs.filePath));
}

TEST_F(QuorinDlgTest, TypedLineOnTheClassicPageReachesTheDeviceAndTheLog)
{
    Settle();
    auto* edit = FindControl<QPlainTextEdit>(&dlg->Classic(), 1132);
    ASSERT_NE(edit, nullptr);
    dlg->Classic().ClearText();
    PressKey(edit, Qt::Key_I, "I");
    PressKey(edit, Qt::Key_D, "D");
    EXPECT_EQ(SentBy([&] { PressKey(edit, Qt::Key_Return); }, 3), "ID\r");
    EXPECT_TRUE(PumpUntil(
        [this] { return dlg->Classic().Text().find("Telvan Quorin T2") != std::string::npos; }));
    dlg->Log().ShowEntries();
    const auto& entries = dlg->Log().Book().Entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2], "ID");
    EXPECT_EQ(entries[entries.size() - 1], "Telvan Quorin T2 V2.4.1 SN 204711");

    EXPECT_EQ(SentBy([&] { PressKey(edit, Qt::Key_Escape); }, 1), "\x1b");

    Action(32827)->trigger();
    dialogs.messages.clear();
    g_nLineCount = 45;
    PressKey(edit, Qt::Key_Return);
    PressKey(edit, Qt::Key_Escape);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"The COM Port is not connected!",
                                                          "The COM Port is not connected!"}));
    EXPECT_EQ(g_nLineCount, 46) << "the Quorin page counts the line without a limit";
}

TEST_F(QuorinDlgTest, StreamedReadingsAndDeviceErrorsReachTheDisplayAndItsHelp)
{
    Settle();
    emulated.device.SetMaxRate(true);
    Button(1131)->click();
    ASSERT_TRUE(PumpUntil([this] {
        dlg->Log().ShowEntries();
        return dlg->Log().Book().Entries().size() >= 20;
    }));
    Button(1139)->click();
    Settle();
    // The dialog's timer shows the last reading the device sent.
    dlg->Log().ShowEntries();
    const auto& entries = dlg->Log().Book().Entries();
    ASSERT_FALSE(entries.empty());
    // In hexadecimal output a reading with "F" as its second character is shown without its
    // first.
    const std::string last(entries[entries.size() - 1]);
    ASSERT_EQ(last.size(), 7u) << last;
    const QString shown = QString::fromStdString(last[1] == 'F' ? last.substr(1) : last);
    const auto* distance = FindControl<QLabel>(&dlg->Display(), 1137);
    EXPECT_TRUE(PumpUntil([&] { return distance->text() == shown; }))
        << distance->text().toStdString() << " / " << last;

    // Errors the device reports are counted in their rows; "?" tells what to do.
    for (const int code : {15, 15, 24})
        emulated.device.InjectError(code);
    const auto count = [this](int row) {
        return FindControl<QLineEdit>(&dlg->Display(), QuorinErrorCodes[row].nCountBoxId)->text();
    };
    EXPECT_TRUE(PumpUntil([&] { return count(0) == "2" && count(6) == "1"; }))
        << count(0).toStdString() << " " << count(6).toStdString();
    FindControl<QPushButton>(&dlg->Display(), QuorinErrorCodes[6].nHelpButtonId)->click();
    EXPECT_EQ(FindControl<QPlainTextEdit>(&dlg->Display(), 1142)->toPlainText(),
              "E24:Provide ambient temperature < +60°C");
}

TEST_F(QuorinDlgTest, FileMenuSavesTheLogPagesStretchAndExits)
{
    dialogs.filePath.clear();
    Action(32803)->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0],
              (CFileRequest{true, "LogQR", "txt", "Text Files (*.txt)", "log"}));

    dlg->setResult(-1);
    Action(32804)->trigger();
    EXPECT_FALSE(g_bConnected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

// Simulation mode entered through the menu. Runs play as fast as the event loop goes, and every
// line is recorded as it goes to the Display page.
struct QuorinSimulationTest : QuorinDlgTest
{
    std::vector<std::string> lines;

    void SetUp() override
    {
        std::srand(1);
        QuorinDlgTest::SetUp();
        dlg->SetSimulationPace(0);
        QObject::connect(dlg.get(), &CMainDlg::SimulatedLine,
                         [this] { lines.push_back(g_strQuorinLine); });
    }

    void StartSimulation(const QString& maximum = "20", const QString& minimum = "0")
    {
        ::StartSimulation(Action(32823), maximum, minimum);
    }
    void PlayToTheEnd()
    {
        ASSERT_TRUE(PlayUntil(*dlg, [] { return !g_bSimRunning; }));
    }
    std::size_t ErrorLines() const
    {
        return std::size_t(std::count(lines.begin(), lines.end(), "E15  "));
    }
};

TEST_F(QuorinSimulationTest, StartLoadsTheDemonstrationSetClosesThePortAndLocksTheCommands)
{
    Settle();
    StartSimulation();
    EXPECT_TRUE(g_bSimulation);
    EXPECT_FALSE(g_bConnected);
    ExpectEdits({
        {1112, "1"},
        {1110, "1"},
        {1123, "1"},
        {1125, "0"},
        {1117, "0"},
        {1118, "20"},
        {1114, "5"},
        {1116, "4"},
        {1115, "0"},
        {1107, "5"},
    });
    EXPECT_EQ(Combo(1104)->currentText(), "DF");
    EXPECT_EQ(Combo(1106)->currentIndex(), 0);
    EXPECT_EQ(g_strQuorinFormat, "d");
    EXPECT_EQ(QuorinParameters.ST, 1);
    EXPECT_DOUBLE_EQ(QuorinParameters.RE, 20.0);
    EXPECT_FALSE(ChangedShown());
    for (const int id :
         {1119, 1122, 1121, 1130, 1132, 1133, 1137, 1138, 1140, 1136, 1135, 1134, 1072})
        EXPECT_FALSE(Button(id)->isEnabled()) << id;
    EXPECT_FALSE(Combo(1106)->isEnabled());
    for (const int id : {1131, 1139, 1120, 1127, 1128, 1164})
        EXPECT_TRUE(Button(id)->isEnabled()) << id;

    dialogs.messages.clear();
    Action(32826)->trigger();
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Simulation mode Active\nPlease Stop Simulation first"});
    EXPECT_FALSE(g_bConnected);

    // Set takes the controls without a device; Save writes the simulation's baud rate.
    const std::size_t sent = emulated.device.Received().size();
    Edit(1112)->setText("3");
    Button(1120)->click();
    EXPECT_EQ(dialogs.messages.back(), "parameters have been set");
    EXPECT_EQ(QuorinParameters.SA, 3);
    QuorinParameters.BR = 115200;
    QTemporaryDir folder;
    dialogs.filePath = folder.filePath("ParametersQR.txt");
    Button(1128)->click();
    std::string file = ReadFile(dialogs.filePath);
    EXPECT_TRUE(file.ends_with("\nBR: 9600\n"));
    EXPECT_EQ(emulated.device.Received().size(), sent);

    // Load keeps the decimal output the simulation locks, whatever the file holds.
    ASSERT_NE(file.find("SD: 0\n"), std::string::npos);
    file.replace(file.find("SD: 0\n"), 6, "SD: 1\n");
    std::ofstream(dialogs.filePath.toStdString(), std::ios::binary | std::ios::trunc) << file;
    Button(1127)->click();
    EXPECT_EQ(Combo(1106)->currentIndex(), 0);
    Button(1120)->click();
    EXPECT_EQ(g_strQuorinFormat, "d");

    // A second start keeps what the operator typed, and selects decimal output again.
    g_strQuorinFormat = "h";
    StartSimulation();
    EXPECT_EQ(Edit(1112)->text(), "3");
    EXPECT_EQ(g_strQuorinFormat, "d");

    Action(32824)->trigger();
    EXPECT_FALSE(g_bSimulation);
    EXPECT_TRUE(Button(1119)->isEnabled());
    EXPECT_TRUE(Button(1072)->isEnabled());
    EXPECT_TRUE(Combo(1106)->isEnabled());
    EXPECT_FALSE(Button(1164)->isEnabled());
}

TEST_F(QuorinSimulationTest, ADefaultRunPlays4001PositionsWithTheErrorStretchOfEachRamp)
{
    StartSimulation();
    const std::size_t sent = emulated.device.Received().size();
    Button(1131)->click();
    EXPECT_TRUE(g_bSimRunning);
    // DT during a run is ignored.
    Button(1131)->click();
    PlayToTheEnd();
    ASSERT_EQ(lines.size(), 4001u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].substr(0, 6), "000.01");
    EXPECT_EQ(lines[2000].substr(0, 6), "019.99") << "the last rising line, i = 1999";
    EXPECT_EQ(lines[2001].substr(0, 6), "019.99") << "the first falling line, i = 1";
    EXPECT_EQ(lines[4000].substr(0, 6), "000.00");
    // Lines with 1000 < i < 1500 on each ramp are error replies.
    for (const std::size_t position : {1002u, 1500u, 3001u, 3499u})
        EXPECT_EQ(lines[position], "E15  ") << position;
    for (const std::size_t position : {1001u, 1501u, 3000u, 3500u})
        EXPECT_NE(lines[position], "E15  ") << position;
    EXPECT_EQ(ErrorLines(), 998u);
    EXPECT_EQ(g_DisplayQR.ErrorCounts().GetCount(0), 998) << "E15 counted by the Display page";
    EXPECT_EQ(g_nSimPosition, 0);
    EXPECT_EQ(emulated.device.Received().size(), sent) << "nothing reaches the port";
}

TEST_F(QuorinSimulationTest, PauseResumesWhereItStoppedAndStopShowsTheRestLine)
{
    StartSimulation();
    Button(1131)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [this] { return lines.size() >= 300; }));
    Button(1164)->click();
    EXPECT_FALSE(g_bSimRunning);
    const std::size_t shown = lines.size();
    EXPECT_EQ(g_nSimPosition, int(shown));
    Pump(30ms);
    EXPECT_EQ(lines.size(), shown) << "a paused run plays nothing";

    // DT resumes with the line after the last one shown: position 300 rises to i = 299.
    Button(1131)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [this] { return lines.size() >= 2500; }));
    EXPECT_EQ(lines[shown].substr(0, 6), "002.99");
    Button(1164)->click();
    const std::size_t paused = lines.size();
    Button(1139)->click();
    EXPECT_EQ(g_nSimPosition, 0);
    ASSERT_EQ(lines.size(), paused + 1) << "the rest line is shown once";
    EXPECT_EQ(lines.back(), "000.000");

    // The next run starts from the beginning and plays all its lines.
    Button(1131)->click();
    PlayToTheEnd();
    EXPECT_EQ(lines.size(), paused + 1 + 4001);
    EXPECT_EQ(lines[paused + 1], "");
}

TEST_F(QuorinSimulationTest, StopAndStopSimulationEndARunningRunWithTheRestLine)
{
    StartSimulation("2", "-1");
    Button(1131)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [this] { return lines.size() >= 5; }));
    Button(1139)->click();
    EXPECT_FALSE(g_bSimRunning);
    EXPECT_EQ(lines.back(), "-01.000") << "SF x min + OF, signed and zero-padded";
    const std::size_t stopped = lines.size();
    Pump(30ms);
    EXPECT_EQ(lines.size(), stopped);

    Button(1131)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [this, stopped] { return lines.size() >= stopped + 5; }));
    Action(32824)->trigger();
    EXPECT_FALSE(g_bSimRunning);
    EXPECT_FALSE(g_bSimulation);
    EXPECT_EQ(lines.back(), "-01.000");
    const std::size_t ended = lines.size();
    Pump(30ms);
    EXPECT_EQ(lines.size(), ended);
    EXPECT_TRUE(Button(1119)->isEnabled());
}

TEST_F(QuorinSimulationTest, AZeroAverageOrScaleRefusesTheRun)
{
    StartSimulation();
    Edit(1112)->setText("0");
    Button(1120)->click();
    EXPECT_EQ(dialogs.messages.back(), kZeroRefusal);
    dialogs.messages.clear();
    Button(1131)->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kZeroRefusal});
    EXPECT_FALSE(g_bSimRunning);
    Pump(30ms);
    EXPECT_TRUE(lines.empty());

    Edit(1112)->setText("1");
    Edit(1123)->setText("0");
    Button(1120)->click();
    Button(1131)->click();
    EXPECT_FALSE(g_bSimRunning);
    EXPECT_EQ(dialogs.messages.back(), kZeroRefusal);
}

TEST_F(QuorinSimulationTest, ClosingTheDialogEndsARunningRun)
{
    StartSimulation();
    Button(1131)->click();
    ASSERT_TRUE(PlayUntil(*dlg, [this] { return lines.size() >= 5; }));
    dlg->reject();
    EXPECT_FALSE(g_bSimRunning);
    EXPECT_FALSE(g_bSimulation);
    const std::size_t shown = lines.size();
    Pump(50ms);
    EXPECT_EQ(lines.size(), shown);
}

TEST_F(QuorinSimulationTest, RunsKeepTheDevicesPace)
{
    StartSimulation("0.03", "0");
    dlg->SetSimulationPace(-1);
    const auto start = std::chrono::steady_clock::now();
    Button(1131)->click();
    PlayToTheEnd();
    EXPECT_EQ(lines.size(), 7u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 7 * 50ms) << "ST 1 x SA 1 x 50 ms a line";
}

} // namespace
