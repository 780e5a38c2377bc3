#include "DeviceCommands.h"
#include "QuorinCommands.h"
#include "ReplyTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

template <class Command> using ByteTable = std::vector<std::pair<Command, std::string>>;

// Each command of the table is one write of its bytes without a pause.
template <class Command, class Decide>
void ExpectSingleWrites(const ByteTable<Command>& table, Decide decide)
{
    for (const auto& [command, bytes] : table) {
        const CCommandAction action = decide(command);
        ASSERT_EQ(action.kind, CommandKind::Write) << bytes;
        ASSERT_EQ(action.steps.size(), 1u) << bytes;
        EXPECT_EQ(action.steps[0].bytes, bytes);
        EXPECT_EQ(action.steps[0].pauseMs, 0);
    }
}

class DeviceCommands : public testing::Test
{
protected:
    void SetUp() override { ResetReplyState(); }
    void TearDown() override { ResetReplyState(); }
};

TEST_F(DeviceCommands, ZelnarCommandsWriteTheirBytes)
{
    g_bConnected = true;
    ExpectSingleWrites<ZelnarCommand>({{ZelnarCommand::DT, "DT\r"},
                                       {ZelnarCommand::DM, "\x44\x4D\x0D"},
                                       {ZelnarCommand::DF, "DF\r"},
                                       {ZelnarCommand::VT, "VT\r"},
                                       {ZelnarCommand::VM, "VM\r"},
                                       {ZelnarCommand::DR, "DR\r"},
                                       {ZelnarCommand::SO, "SO\r"},
                                       {ZelnarCommand::TP, "TP\r"},
                                       {ZelnarCommand::ID, "ID\r"},
                                       {ZelnarCommand::HW, "HW\r"},
                                       {ZelnarCommand::Stop, "\x1b"}},
                                      ZelnarCommandAction);
    g_bConnected = false;
    for (const ZelnarCommand command :
         {ZelnarCommand::DT, ZelnarCommand::ID, ZelnarCommand::Stop}) {
        const CCommandAction action = ZelnarCommandAction(command);
        EXPECT_EQ(action.kind, CommandKind::ShowMessage);
        EXPECT_EQ(action.message, "COM Port is not connected!");
        EXPECT_TRUE(action.steps.empty());
    }
}

TEST_F(DeviceCommands, IdentificationAndDiagnosisAreSilentInBinaryFormat)
{
    ZelnarParameters.SDx = 2;
    g_bConnected = true;
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::ID).kind, CommandKind::Nothing);
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::HW).kind, CommandKind::Nothing);
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::DT).kind, CommandKind::Write);
    g_bConnected = false;
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::ID).kind, CommandKind::ShowMessage);
}

TEST_F(DeviceCommands, SimulationTakesDtAndStopWithoutConnectionCheck)
{
    g_bSimulation = true;
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::DT).kind, CommandKind::SimulatedRun);
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::Stop).kind, CommandKind::SimulatedStop);
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::DT).kind, CommandKind::SimulatedRun);
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::Stop).kind, CommandKind::SimulatedStop);
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::DM).kind, CommandKind::ShowMessage);
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::DM).kind, CommandKind::ShowMessage);
}

TEST_F(DeviceCommands, QuorinCommandsWriteTheirBytes)
{
    g_bConnected = true;
    ExpectSingleWrites<QuorinCommand>({{QuorinCommand::DT, "DT\r"},
                                       {QuorinCommand::DM, "DM\r"},
                                       {QuorinCommand::DF, "DF\r"},
                                       {QuorinCommand::DS, "DS\r"},
                                       {QuorinCommand::DW, "DW\r"},
                                       {QuorinCommand::DX, "DX\r"},
                                       {QuorinCommand::ID, "ID\r"},
                                       {QuorinCommand::SetOffset, "SO\r"},
                                       {QuorinCommand::LaserOn, "LO\r"},
                                       {QuorinCommand::LaserOff, "LF\r"},
                                       {QuorinCommand::ShowAll, "PA\r"},
                                       {QuorinCommand::Temperature, "TP\r"},
                                       {QuorinCommand::Reset, "PR\r"},
                                       {QuorinCommand::Stop, "\x1b"}},
                                      QuorinCommandAction);
    // Get: ESC alone, unlike the Zelnar Get, then the listing request.
    const CCommandAction get = QuorinCommandAction(QuorinCommand::Get);
    ASSERT_EQ(get.steps.size(), 2u);
    EXPECT_EQ(get.steps[0].bytes, "\x1b");
    EXPECT_EQ(get.steps[0].pauseMs, 100);
    EXPECT_EQ(get.steps[1].bytes, "PA\r");
    EXPECT_EQ(get.steps[1].pauseMs, 1000);
}

TEST_F(DeviceCommands, QuorinNotConnectedTextsDifferByCommand)
{
    for (int command = 0; command <= static_cast<int>(QuorinCommand::Stop); ++command) {
        const auto quorin = static_cast<QuorinCommand>(command);
        const bool acquisition = quorin == QuorinCommand::DT || quorin == QuorinCommand::DM;
        const CCommandAction action = QuorinCommandAction(quorin);
        EXPECT_EQ(action.kind, CommandKind::ShowMessage);
        EXPECT_EQ(action.message,
                  acquisition ? "Port COM unconnected" : "COM Port is not connected!");
        EXPECT_TRUE(action.steps.empty());
    }
}

TEST_F(DeviceCommands, TemperatureMarksTheNextReplyEvenWhenNotConnected)
{
    QuorinCommandAction(QuorinCommand::DT);
    EXPECT_FALSE(g_bTempRequest);
    QuorinCommandAction(QuorinCommand::Temperature);
    EXPECT_TRUE(g_bTempRequest);
}

TEST_F(DeviceCommands, TypedLineReachesTheDeviceWithCarriageReturnAndIsEchoedToTheLog)
{
    std::vector<CNotification> journal;
    CRecordingPage log("log", journal);
    std::vector<std::string> written;
    const auto write = [&](std::string_view bytes) { written.emplace_back(bytes); };
    SendTypedLine(write, log); // nothing typed
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(journal.empty());

    g_nLogLines = 4;
    g_strReceived = "PA\n";
    SendTypedLine(write, log);
    EXPECT_EQ(written, (std::vector<std::string>{"\x50\x41\x0D"}));
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].received, "PA");
    EXPECT_TRUE(journal[0].echo);
    EXPECT_EQ(g_nLogLines, 5);
}

} // namespace
