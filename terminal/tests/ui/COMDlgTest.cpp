#include "COMDlg.h"

#include "../core/ParameterTestSupport.h"
#include "AboutDlg.h"
#include "ClassicQR.h"
#include "ClassicZL.h"
#include "ControlId.h"
#include "ParameterRecords.h"
#include "QuorinDlg.h"
#include "TerminalApp.h"
#include "TerminalState.h"
#include "UiTestSupport.h"
#include "ZelnarDlg.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <termios.h>

namespace {

QComboBox* Box(const QWidget* dialog, int id)
{
    return FindControl<QComboBox>(dialog, id);
}

TEST(COMDlgTest, FirstStartShowsTheDefaultsWithTheFixedLineSettingsDisabled)
{
    COMDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "COM Port Configuration");
    EXPECT_EQ(Box(&dialog, 1010)->currentText(), "Zelnar");
    EXPECT_EQ(Box(&dialog, 1000)->currentText(), "COM1");
    EXPECT_EQ(Box(&dialog, 1000)->itemText(9), "COM10");
    EXPECT_EQ(Box(&dialog, 1001)->currentText(), "115200");
    EXPECT_EQ(Box(&dialog, 1001)->count(), 12);
    EXPECT_EQ(Box(&dialog, 1002)->currentText(), "8");
    EXPECT_EQ(Box(&dialog, 1003)->currentText(), "None");
    EXPECT_EQ(Box(&dialog, 1004)->currentText(), "1");
    EXPECT_TRUE(Box(&dialog, 1000)->isEnabled());
    for (const int id : {1002, 1003, 1004})
        EXPECT_FALSE(Box(&dialog, id)->isEnabled()) << id;
    ASSERT_NE(FindControl<QPushButton>(&dialog, CAboutDlg::kAboutCommand), nullptr);
}

TEST(COMDlgTest, DeviceChoiceSetsItsBaudRateAndOkStoresTheSettings)
{
    COMDlg dialog;
    Box(&dialog, 1001)->setCurrentIndex(7);
    Box(&dialog, 1010)->setCurrentIndex(1);
    EXPECT_EQ(Box(&dialog, 1001)->currentText(), "9600");
    Box(&dialog, 1001)->setCurrentIndex(8);
    Box(&dialog, 1010)->setCurrentIndex(0);
    EXPECT_EQ(Box(&dialog, 1001)->currentText(), "115200");

    Box(&dialog, 1000)->setEditText("/dev/pts/77");
    g_nLogLines = 12;
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(PortSettings.device, "Zelnar");
    EXPECT_EQ(PortSettings.comPort, "/dev/pts/77");
    EXPECT_EQ(PortSettings.baudRate, "115200");
    EXPECT_EQ(PortSettings.dataBits, "8");
    EXPECT_EQ(PortSettings.parityIndex, 0);
    EXPECT_EQ(PortSettings.stopBitsIndex, 0);
    EXPECT_EQ(g_nLogLines, 0);
}

TEST(COMDlgTest, ReconfigurationShowsTheRunningFamilyWithItsOwnBaudRate)
{
    COMDlg dialog;
    CPortSettings running;
    running.device = "Quorin";
    running.comPort = "/dev/ttyUSB3";
    running.baudRate = "38400";
    running.dataBits = "8";
    dialog.SetValues(running);
    EXPECT_EQ(Box(&dialog, 1010)->currentText(), "Quorin");
    EXPECT_EQ(Box(&dialog, 1001)->currentText(), "38400") << "not the family's proposal";
    dialog.accept();
    EXPECT_EQ(PortSettings.device, "Quorin");
    EXPECT_EQ(PortSettings.baudRate, "38400");
}

TEST(COMDlgTest, AboutEntryShowsTheAboutBox)
{
    CAnsweredDialogs dialogs;
    QString shown;
    CUserDialogs::SetModalHandler([&](QDialog& about) {
        shown = about.windowTitle();
        return int(QDialog::Accepted);
    });
    COMDlg dialog;
    FindControl<QPushButton>(&dialog, CAboutDlg::kAboutCommand)->click();
    EXPECT_EQ(shown, "About Telvan Terminal");
}

TEST(TerminalAppTest, CancelOnTheFirstDialogOpensNothing)
{
    CAnsweredDialogs dialogs;
    int modal = 0;
    CUserDialogs::SetModalHandler([&](QDialog&) {
        ++modal;
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(CTerminalApp().Run(), 0);
    EXPECT_EQ(modal, 1);
}

// The operator confirms the device's port, then in the main dialog a new baud rate: the main
// dialog lets go of the port and its successor opens it with the new setting.
TEST(TerminalAppTest, ComConfigurationReplacesTheMainDialogWithTheNewSettings)
{
    CEmulatedZelnar emulated;
    CAnsweredDialogs dialogs;
    std::vector<speed_t> speeds;
    std::vector<std::string> shownInReconfiguration;
    int mainDialogs = 0;
    CUserDialogs::SetModalHandler([&](QDialog& dialog) {
        if (auto* main = qobject_cast<ZelnarDlg*>(&dialog)) {
            ++mainDialogs;
            EXPECT_TRUE(g_bConnected);
            const termios line = emulated.device.LineSettings();
            speeds.push_back(cfgetospeed(&line));
            if (mainDialogs == 1)
                FindControl<QAction>(main, 32771)->trigger();
            else
                main->reject();
            return dialog.result();
        }
        auto* configuration = qobject_cast<COMDlg*>(&dialog);
        EXPECT_NE(configuration, nullptr);
        if (mainDialogs == 0) {
            Box(configuration, 1000)
                ->setEditText(QString::fromStdString(emulated.device.DevicePath()));
        } else {
            for (const int id : {1010, 1000, 1001, 1002, 1003, 1004})
                shownInReconfiguration.push_back(
                    Box(configuration, id)->currentText().toStdString());
            Box(configuration, 1001)->setCurrentText("9600");
        }
        configuration->accept();
        return int(QDialog::Accepted);
    });
    dialogs.onMessage = [](const std::string&) { Pump(100ms); };

    EXPECT_EQ(CTerminalApp().Run(), 0);
    EXPECT_EQ(mainDialogs, 2);
    EXPECT_EQ(shownInReconfiguration,
              (std::vector<std::string>{"Zelnar", emulated.device.DevicePath(), "115200", "8",
                                        "None", "1"}));
    EXPECT_EQ(speeds, (std::vector<speed_t>{B115200, B9600}));
    EXPECT_EQ(PortSettings.baudRate, "9600");
    EXPECT_FALSE(g_bConnected);
}

// The fields both families share, and one field of each family's own.
struct CSharedSnapshot
{
    int SA, SE, TDy, BR;
    double SF, OF;
    int MF;    // Zelnar only
    double RB; // Quorin only

    static CSharedSnapshot Now()
    {
        return {SharedParameters.SA, SharedParameters.SE, SharedParameters.TDy,
                SharedParameters.BR, SharedParameters.SF, SharedParameters.OF,
                ZelnarParameters.MF, QuorinParameters.RB};
    }
    bool operator==(const CSharedSnapshot&) const = default;
};

// The main dialog of the type on the screen, if any.
template <class Dialog> Dialog* ShownDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// A Zelnar and a Quorin device each on a line: the operator starts with the Zelnar, switches to
// the Quorin through COM Configuration and back. Each main dialog, before its own Get has read
// anything, sees the shared fields as the other family last stored them, and its own fields as
// it left them.
TEST(TerminalAppTest, SwitchingFamiliesKeepsTheSharedParameterFields)
{
    ResetParameterState();
    CEmulatedZelnar zelnar;
    CEmulatedQuorin quorin;
    for (const char* command : {"SA7", "SF2", "OF0.5", "SE2", "TD12.5 1 0", "MF1234"})
        zelnar.device.Execute(command);
    for (const char* command : {"SA5", "SF3", "OF1", "SE1", "TD10 0", "RB1.5"})
        quorin.device.Execute(command);
    // New lines, without the replies to the commands above waiting on them.
    for (CDeviceEmulator* device : {&zelnar.device, &quorin.device}) {
        device->HangUp();
        std::string error;
        ASSERT_TRUE(device->Start(error)) << error;
    }

    CAnsweredDialogs dialogs;
    std::vector<CSharedSnapshot> beforeGet; // as each main dialog's Get starts reading
    std::vector<CSharedSnapshot> afterGet;  // as each main dialog runs
    std::vector<std::string> families;
    speed_t quorinSpeed = 0;
    dialogs.onMessage = [&](const std::string& text) {
        if (text.rfind("Get parameter settings", 0) != 0)
            return;
        beforeGet.push_back(CSharedSnapshot::Now());
        if (auto* main = ShownDialog<QuorinDlg>()) {
            EXPECT_TRUE(
                PumpUntil([main] { return ListingShown(main->Classic(), kQuorinListingEnd); }));
        } else if (auto* main = ShownDialog<ZelnarDlg>()) {
            EXPECT_TRUE(PumpUntil([main] { return ListingShown(main->Classic()); }));
        }
    };
    const auto configure = [](COMDlg& configuration, int device, const std::string& port,
                              const char* baudRate) {
        Box(&configuration, 1010)->setCurrentIndex(device);
        Box(&configuration, 1000)->setEditText(QString::fromStdString(port));
        Box(&configuration, 1001)->setCurrentText(baudRate);
        configuration.accept();
    };
    CUserDialogs::SetModalHandler([&](QDialog& dialog) {
        if (auto* main = qobject_cast<CMainDlg*>(&dialog)) {
            families.push_back(qobject_cast<QuorinDlg*>(main) ? "Quorin" : "Zelnar");
            afterGet.push_back(CSharedSnapshot::Now());
            EXPECT_TRUE(g_bConnected) << families.back();
            if (families.back() == "Quorin") {
                const termios line = quorin.device.LineSettings();
                quorinSpeed = cfgetospeed(&line);
            }
            if (families.size() < 3)
                FindControl<QAction>(main, 32771)->trigger();
            else
                main->reject();
            return dialog.result();
        }
        auto* configuration = qobject_cast<COMDlg*>(&dialog);
        if (families.size() == 1)
            configure(*configuration, 1, quorin.device.DevicePath(), "9600");
        else
            configure(*configuration, 0, zelnar.device.DevicePath(), "115200");
        return int(QDialog::Accepted);
    });

    EXPECT_EQ(CTerminalApp().Run(), 0);
    EXPECT_EQ(families, (std::vector<std::string>{"Zelnar", "Quorin", "Zelnar"}));
    const CSharedSnapshot zelnarRead{7, 2, 1, 115200, 2.0, 0.5, 1234, 0.0};
    const CSharedSnapshot quorinRead{5, 1, 0, 9600, 3.0, 1.0, 1234, 1.5};
    ASSERT_EQ(beforeGet.size(), 3u);
    ASSERT_EQ(afterGet.size(), 3u);
    EXPECT_EQ(afterGet[0], zelnarRead);
    EXPECT_EQ(beforeGet[1], zelnarRead) << "the Quorin dialog before its own Get";
    EXPECT_EQ(afterGet[1], quorinRead);
    EXPECT_EQ(beforeGet[2], quorinRead) << "the Zelnar dialog before its own Get";
    EXPECT_EQ(afterGet[2], (CSharedSnapshot{7, 2, 1, 115200, 2.0, 0.5, 1234, 1.5}));
    EXPECT_EQ(quorinSpeed, speed_t{B9600});
    EXPECT_EQ(PortSettings.device, "Zelnar");
    EXPECT_FALSE(g_bConnected);
}

} // namespace
