#include "COMDlg.h"
#include "AboutDlg.h"
#include "ControlId.h"
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

} // namespace
