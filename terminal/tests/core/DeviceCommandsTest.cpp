#include "DeviceCommands.h"
#include "QuorinCommands.h"
#include "ReplyTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::string Bytes(const CCommandAction& action)
{
    std::string bytes;
    for (const CWriteStep& step : action.steps)
        bytes += step.bytes;
    return bytes;
}

class DeviceCommands : public testing::Test
{
protected:
    void SetUp() override { ResetReplyState(); }
    void TearDown() override { ResetReplyState(); }
};

TEST_F(DeviceCommands, ZelnarCommandsWriteTheirBytesOnce)
{
    g_bConnected = true;
    const std::vector<std::pair<ZelnarCommand, std::string>> table = {
        {ZelnarCommand::DT, "DT\r"}, {ZelnarCommand::DM, "DM\r"},   {ZelnarCommand::DF, "DF\r"},
        {ZelnarCommand::VT, "VT\r"}, {ZelnarCommand::VM, "VM\r"},   {ZelnarCommand::DR, "DR\r"},
        {ZelnarCommand::SO, "SO\r"}, {ZelnarCommand::TP, "TP\r"},   {ZelnarCommand::ID, "ID\r"},
        {ZelnarCommand::HW, "HW\r"}, {ZelnarCommand::Stop, "\x1b"},
    };
    for (const auto& [command, bytes] : table) {
        const CCommandAction action = ZelnarCommandAction(command);
        ASSERT_EQ(action.kind, CommandKind::Write) << bytes;
        ASSERT_EQ(action.steps.size(), 1u) << bytes;
        EXPECT_EQ(action.steps[0].bytes, bytes);
        EXPECT_EQ(action.steps[0].pauseMs, 0);
    }
    EXPECT_EQ(Bytes(ZelnarCommandAction(ZelnarCommand::DM)), std::string("\x44\x4D\x0D"));
    EXPECT_EQ(Bytes(ZelnarCommandAction(ZelnarCommand::Stop)), std::string(1, '\x1b'));
}

TEST_F(DeviceCommands, ZelnarCommandsWhileNotConnectedOnlyShowTheMessage)
{
    for (const ZelnarCommand command : {ZelnarCommand::DT, ZelnarCommand::DM, ZelnarCommand::TP,
                                        ZelnarCommand::ID, ZelnarCommand::Stop}) {
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
    EXPECT_EQ(Bytes(ZelnarCommandAction(ZelnarCommand::DT)), "DT\r");
    g_bConnected = false;
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::ID).kind, CommandKind::ShowMessage);
    ZelnarParameters.SDx = 1;
    g_bConnected = true;
    EXPECT_EQ(Bytes(ZelnarCommandAction(ZelnarCommand::HW)), "HW\r");
}

TEST_F(DeviceCommands, SimulationTakesDtAndStopWithoutConnectionCheck)
{
    g_bSimulation = true;
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::DT).kind, CommandKind::SimulatedRun);
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::Stop).kind, CommandKind::SimulatedStop);
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::DT).kind, CommandKind::SimulatedRun);
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::Stop).kind, CommandKind::SimulatedStop);
    // Every other command still needs the port.
    EXPECT_EQ(ZelnarCommandAction(ZelnarCommand::DM).kind, CommandKind::ShowMessage);
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::DM).message, "Port COM unconnected");
}

TEST_F(DeviceCommands, QuorinCommandsWriteTheirBytes)
{
    g_bConnected = true;
    const std::vector<std::pair<QuorinCommand, std::string>> table = {
        {QuorinCommand::DT, "DT\r"},      {QuorinCommand::DM, "DM\r"},
        {QuorinCommand::DF, "DF\r"},      {QuorinCommand::DS, "DS\r"},
        {QuorinCommand::DW, "DW\r"},      {QuorinCommand::DX, "DX\r"},
        {QuorinCommand::ID, "ID\r"},      {QuorinCommand::SetOffset, "SO\r"},
        {QuorinCommand::LaserOn, "LO\r"}, {QuorinCommand::LaserOff, "LF\r"},
        {QuorinCommand::ShowAll, "PA\r"}, {QuorinCommand::Temperature, "TP\r"},
        {QuorinCommand::Reset, "PR\r"},   {QuorinCommand::Stop, "\x1b"},
    };
    for (const auto& [command, bytes] : table) {
        const CCommandAction action = QuorinCommandAction(command);
        ASSERT_EQ(action.kind, CommandKind::Write) << bytes;
        ASSERT_EQ(action.steps.size(), 1u) << bytes;
        EXPECT_EQ(action.steps[0].bytes, bytes);
        EXPECT_EQ(action.steps[0].pauseMs, 0);
    }
}

TEST_F(DeviceCommands, QuorinGetSendsEscAloneThenTheListingRequest)
{
    g_bConnected = true;
    const CCommandAction action = QuorinCommandAction(QuorinCommand::Get);
    ASSERT_EQ(action.kind, CommandKind::Write);
    ASSERT_EQ(action.steps.size(), 2u);
    EXPECT_EQ(action.steps[0].bytes, "\x1b");
    EXPECT_EQ(action.steps[0].pauseMs, 100);
    EXPECT_EQ(action.steps[1].bytes, "PA\r");
    EXPECT_EQ(action.steps[1].pauseMs, 1000);
}

TEST_F(DeviceCommands, QuorinNotConnectedTextsDifferByCommand)
{
    for (const QuorinCommand command : {QuorinCommand::DT, QuorinCommand::DM}) {
        const CCommandAction action = QuorinCommandAction(command);
        EXPECT_EQ(action.kind, CommandKind::ShowMessage);
        EXPECT_EQ(action.message, "Port COM unconnected");
    }
    for (const QuorinCommand command :
         {QuorinCommand::DF, QuorinCommand::DS, QuorinCommand::DW, QuorinCommand::DX,
          QuorinCommand::ID, QuorinCommand::SetOffset, QuorinCommand::LaserOn,
          QuorinCommand::LaserOff, QuorinCommand::ShowAll, QuorinCommand::Temperature,
          QuorinCommand::Reset, QuorinCommand::Get, QuorinCommand::Stop}) {
        const CCommandAction action = QuorinCommandAction(command);
        EXPECT_EQ(action.kind, CommandKind::ShowMessage);
        EXPECT_EQ(action.message, "COM Port is not connected!");
        EXPECT_TRUE(action.steps.empty());
    }
}

TEST_F(DeviceCommands, TemperatureMarksTheNextReplyEvenWhenNotConnected)
{
    EXPECT_EQ(QuorinCommandAction(QuorinCommand::Temperature).kind, CommandKind::ShowMessage);
    EXPECT_TRUE(g_bTempRequest);
    g_bTempRequest = false;
    g_bConnected = true;
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
    g_nLogLines = 4;
    g_strReceived = "PA\n";
    SendTypedLine([&](std::string_view bytes) { written.emplace_back(bytes); }, log);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], std::string("\x50\x41\x0D"));
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].received, "PA");
    EXPECT_TRUE(journal[0].echo);
    EXPECT_EQ(g_nLogLines, 5);
}

TEST_F(DeviceCommands, NoTypedLineSendsNothing)
{
    std::vector<CNotification> journal;
    CRecordingPage log("log", journal);
    int writes = 0;
    SendTypedLine([&](std::string_view) { ++writes; }, log);
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(g_bEchoTypedLine);
    EXPECT_EQ(g_nLogLines, 0);
}

} // namespace
