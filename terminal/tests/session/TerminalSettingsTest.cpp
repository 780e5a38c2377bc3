#include "TerminalSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

struct TerminalSettings : testing::Test
{
    void SetUp() override { CTerminalSettings::Reset(); }

    static void WriteFile(const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(CTerminalSettings::FilePath()).path());
        QFile file(CTerminalSettings::FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

bool operator==(const CPortSettings& a, const CPortSettings& b)
{
    return a.device == b.device && a.comPort == b.comPort && a.baudRate == b.baudRate &&
           a.dataBits == b.dataBits && a.parityIndex == b.parityIndex &&
           a.stopBitsIndex == b.stopBitsIndex;
}

const CPortSettings kDefaultConnection{"Zelnar", "COM1", "115200", "8", 0, 0};

} // namespace

TEST_F(TerminalSettings, LiveInTheConfigurationFolderOfTheUser)
{
    EXPECT_EQ(CTerminalSettings::FilePath(),
              qEnvironmentVariable("XDG_CONFIG_HOME") + "/telvan/telvan-terminal.ini");
}

TEST_F(TerminalSettings, NothingRememberedGivesTheDefaults)
{
    const CTerminalSettings settings;
    EXPECT_TRUE(settings.LastConnection() == kDefaultConnection);
    EXPECT_TRUE(settings.Geometry("Zelnar").isEmpty());
    EXPECT_TRUE(settings.Folder("log").isEmpty());
    EXPECT_FALSE(settings.GraphSetupZL());
    EXPECT_FALSE(settings.GraphSetupQR());
    EXPECT_FALSE(settings.Simulation());
    EXPECT_FALSE(settings.LogTime());
    EXPECT_TRUE(settings.Reconnect());
    EXPECT_EQ(settings.JournalLimitBytes(), std::int64_t{1} << 30);
}

TEST_F(TerminalSettings, WhatIsSetIsReadBackByTheNextRun)
{
    const CPortSettings quorin{"Quorin", "/dev/ttyUSB1", "921600", "7", 2, 1};
    {
        CTerminalSettings settings;
        settings.SetLastConnection(quorin);
        settings.SetGeometry("Quorin", "geometry bytes");
        settings.SetFolder("log", "/home/operator/logs");
        settings.SetGraphSetupZL({false, "30.000", "-1.000", "2.500", "-2.500", "500"});
        settings.SetGraphSetupQR({true, "7.000", "0.000", "80"});
        settings.SetSimulation({"12.000", "3.000", false});
        settings.SetLogTime(true);
        settings.SetReconnect(false);
    }
    const CTerminalSettings settings;
    EXPECT_TRUE(settings.LastConnection() == quorin);
    EXPECT_EQ(settings.Geometry("Quorin"), "geometry bytes");
    EXPECT_TRUE(settings.Geometry("Zelnar").isEmpty());
    EXPECT_EQ(settings.Folder("log"), "/home/operator/logs");
    EXPECT_TRUE(settings.Folder("logExcel").isEmpty());
    const auto graphZL = settings.GraphSetupZL();
    ASSERT_TRUE(graphZL);
    EXPECT_FALSE(graphZL->bAutoscale);
    EXPECT_EQ(graphZL->strDistanceMax, "30.000");
    EXPECT_EQ(graphZL->strSpeedMin, "-2.500");
    EXPECT_EQ(graphZL->strPointsNumber, "500");
    ASSERT_TRUE(settings.GraphSetupQR());
    EXPECT_EQ(settings.GraphSetupQR()->strPointsNumber, "80");
    ASSERT_TRUE(settings.Simulation());
    EXPECT_EQ(settings.Simulation()->strDistanceMin, "3.000");
    EXPECT_FALSE(settings.Simulation()->bErrors);
    EXPECT_TRUE(settings.LogTime());
    EXPECT_FALSE(settings.Reconnect());

    CTerminalSettings::Reset();
    EXPECT_TRUE(CTerminalSettings().LastConnection() == kDefaultConnection);
    EXPECT_TRUE(CTerminalSettings().Reconnect());
}

TEST_F(TerminalSettings, UnusableValuesReadAsTheirDefaults)
{
    WriteFile("[connection]\nfamily=Quorin\nport=\nbaud=fast\ndataBits=9\nparity=-1\n"
              "reconnect=maybe\n[log]\ntime=yes\n[journal]\nlimitMB=-5\n");
    const CTerminalSettings settings;
    // The family stands; the rest is the family's defaults.
    EXPECT_TRUE(settings.LastConnection() == (CPortSettings{"Quorin", "COM1", "9600", "8", 0, 0}));
    EXPECT_TRUE(settings.Reconnect());
    EXPECT_FALSE(settings.LogTime());
    EXPECT_EQ(settings.JournalLimitBytes(), std::int64_t{1} << 30);
    EXPECT_TRUE(CTerminalSettings::CheckFile().isEmpty()) << "a sound file with odd values";
}

TEST_F(TerminalSettings, ADamagedFileIsPutAsideWithOneLineAndTheDefaultsHold)
{
    WriteFile("[connection\nfamily=Quorin\n\xff\xfe garbage");
    const QString line = CTerminalSettings::CheckFile();
    EXPECT_FALSE(line.contains('\n'));
    EXPECT_TRUE(line.contains(CTerminalSettings::FilePath())) << line.toStdString();
    EXPECT_TRUE(QFileInfo::exists(CTerminalSettings::FilePath() + ".damaged"));
    EXPECT_TRUE(CTerminalSettings().LastConnection() == kDefaultConnection);

    // The next change starts a sound file.
    CTerminalSettings().SetLogTime(true);
    EXPECT_TRUE(CTerminalSettings::CheckFile().isEmpty());
    EXPECT_TRUE(CTerminalSettings().LogTime());
}
