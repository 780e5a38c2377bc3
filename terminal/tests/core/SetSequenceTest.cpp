#include "ParameterTestSupport.h"
#include "ParameterTexts.h"
#include "ZelnarParameterCommands.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ZelnarCommands : public ParameterStateTest
{
protected:
    void SetUp() override
    {
        ParameterStateTest::SetUp();
        g_bConnected = true;
    }
    CZelnarParameters& record = ZelnarParameters;
};

class ZelnarControls : public ParameterStateTest
{
};

} // namespace

TEST_F(ZelnarCommands, SetWritesEachCommandAsTypedWithItsPause)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    const CParameterCommand set = ZelnarSet(controls, record);
    const std::vector<CCommandStep> expected = {
        {"\x1b\r", 0},        {"MF2000\r", 0},    {"SA20\r", 50},         {"SF1\r", 0},
        {"OF0\r", 50},        {"TD1.5 1 0\r", 0}, {"MW-5000 5000\r", 50}, {"Q15 4 0 1\r", 0},
        {"Q212 6 1 0\r", 50}, {"QA0 20\r", 0},    {"PL1\r", 50},          {"SE2\r", 0},
        {"SC0\r", 50},        {"SD0 1\r", 0},     {"ASDT\r", 0},
    };
    EXPECT_EQ(set.steps, expected);
    EXPECT_TRUE(set.refusal.empty());
    EXPECT_TRUE(set.warnings.empty());
    EXPECT_TRUE(set.resetAlarms);
    EXPECT_EQ(set.message, ParameterTexts::ParametersSet);
    EXPECT_EQ(set.notDone, std::string(ParameterTexts::NotSet));
    EXPECT_EQ(controls, TypedZelnarControls());
}

TEST_F(ZelnarCommands, TheRecordTakesASetOnlyWhenItWentThrough)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.SDx = 2;
    controls.MF = "2000.9";
    record.SDx = 1;
    g_strBinaryPending = "1010";
    const CParameterCommand set = ZelnarSet(controls, record);
    EXPECT_EQ(set.steps[13].bytes, "SD2 1\r");
    EXPECT_EQ(set.message, ParameterTexts::ParametersSetBinary);
    EXPECT_EQ(record.SDx, 0) << "text while the commands go out";
    EXPECT_EQ(record.MF, 0);
    EXPECT_EQ(g_strBinaryPending, "1010");

    // A Set stopped on the way leaves the record and the display format as they were.
    ZelnarCommandDone(set, false, record);
    EXPECT_EQ(record.SDx, 1);
    EXPECT_EQ(record.MF, 0);

    set.takeControls();
    EXPECT_TRUE(g_strBinaryPending.empty());
    EXPECT_EQ(record.MF, 2000);
    EXPECT_EQ(record.SDy, 1);
    EXPECT_EQ(record.ASIndex, 2);
    EXPECT_EQ(record.AS, "DT");
    EXPECT_DOUBLE_EQ(record.TDx, 1.5);
    EXPECT_DOUBLE_EQ(record.MWx, -5000);
    ZelnarCommandDone(set, true, record);
    EXPECT_EQ(record.SDx, 2);
}

TEST_F(ZelnarCommands, HysteresisAboveWidthWithholdsThatAlarm)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.Q2y = "6.5";
    record.Q2w = 1;
    record.Q2x = 2.0625;
    record.Q2y = 0.5;
    record.Q2z = 1;
    const CParameterCommand set = ZelnarSet(controls, record);
    ASSERT_EQ(set.warnings.size(), 1u);
    EXPECT_EQ(set.warnings[0], ParameterTexts::Q2Hysteresis);
    ASSERT_EQ(set.steps.size(), 14u);
    // Q1 is still written, and the device keeps Q2's pause after it.
    EXPECT_EQ(set.steps[7], (CCommandStep{"Q15 4 0 1\r", 50}));
    EXPECT_EQ(set.steps[8].bytes, "QA0 20\r");
    // The controls, and then the record, keep the last correct Q2, as the device does; Q1 is
    // taken.
    EXPECT_EQ(controls.Q2w, "1.000");
    EXPECT_EQ(controls.Q2x, "2.062");
    EXPECT_EQ(controls.Q2y, "0.500");
    EXPECT_EQ(controls.Q2z, "1");
    EXPECT_EQ(controls.Q1w, "5");
    set.takeControls();
    EXPECT_DOUBLE_EQ(record.Q2y, 0.5);
    EXPECT_DOUBLE_EQ(record.Q2x, 2.0625);
    EXPECT_EQ(record.Q2z, 1);
    EXPECT_DOUBLE_EQ(record.Q1w, 5);

    controls = TypedZelnarControls();
    controls.Q2y = "6.5";
    controls.Q1y = "4.001";
    const CParameterCommand both = ZelnarSet(controls, record);
    EXPECT_EQ(both.warnings, (std::vector<std::string>{ParameterTexts::Q1Hysteresis,
                                                       ParameterTexts::Q2Hysteresis}));
    EXPECT_EQ(both.steps[6], (CCommandStep{"MW-5000 5000\r", 100}));
    EXPECT_EQ(both.steps[7].bytes, "QA0 20\r");
}

TEST_F(ZelnarCommands, EqualHysteresisAndWidthIsSent)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.Q1x = "2.5";
    controls.Q1y = "2.500";
    const CParameterCommand set = ZelnarSet(controls, record);
    EXPECT_TRUE(set.warnings.empty());
    EXPECT_EQ(controls.Q1y, "2.500");
    EXPECT_EQ(set.steps[7].bytes, "Q15 2.5 2.500 1\r");
}

TEST_F(ZelnarCommands, ComboWithoutSelectionSendsNothingForItsKey)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.PL = -1;
    controls.AS = -1;
    controls.SDy = -1;
    record.PL = 3;
    record.AS = "VM";
    const CParameterCommand set = ZelnarSet(controls, record);
    set.takeControls();
    ASSERT_EQ(set.steps.size(), 12u);
    EXPECT_EQ(set.steps[9], (CCommandStep{"QA0 20\r", 50}));
    EXPECT_EQ(set.steps[10].bytes, "SE2\r");
    EXPECT_EQ(set.steps[11], (CCommandStep{"SC0\r", 50}));
    EXPECT_EQ(record.PL, 3);
    EXPECT_EQ(record.AS, "VM");
}

TEST_F(ZelnarCommands, SetWhileNotConnectedWritesNothing)
{
    g_bConnected = false;
    record.SDx = 2;
    CZelnarParameterControls controls = TypedZelnarControls();
    const CParameterCommand set = ZelnarSet(controls, record);
    EXPECT_EQ(set.refusal, ParameterTexts::NotConnected);
    EXPECT_TRUE(set.resetAlarms);
    EXPECT_TRUE(set.steps.empty());
    EXPECT_EQ(record.SDx, 2);
    EXPECT_EQ(record.MF, 0);
}

TEST_F(ZelnarCommands, SimulatedSetOnlyTakesTheControlsAndChecks)
{
    g_bConnected = false;
    g_bSimulation = true;
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.SDx = 1;
    const CParameterCommand set = ZelnarSet(controls, record);
    EXPECT_TRUE(set.refusal.empty());
    EXPECT_TRUE(set.steps.empty());
    EXPECT_EQ(set.message, ParameterTexts::SimulatedSet);
    EXPECT_EQ(record.SDx, 1);
    EXPECT_EQ(record.MF, 2000);
    EXPECT_FALSE(set.takeControls) << "taken at once: nothing goes out that could fail";

    // MF is read as a real truncated toward zero, SF as a real.
    CZelnarParameterControls check = TypedZelnarControls();
    check.MF = "0.4";
    EXPECT_EQ(ZelnarSet(check, record).message, ParameterTexts::ZelnarSimulatedZero);
    check = TypedZelnarControls();
    check.SF = "0.4";
    EXPECT_EQ(ZelnarSet(check, record).message, ParameterTexts::SimulatedSet);
    check.SF = "0";
    EXPECT_EQ(ZelnarSet(check, record).message, ParameterTexts::ZelnarSimulatedZero);
    check = TypedZelnarControls();
    check.SA = "0";
    EXPECT_EQ(ZelnarSet(check, record).message, ParameterTexts::ZelnarSimulatedZero);
}

TEST_F(ZelnarCommands, GetAndResetReadTheListingInTextMode)
{
    record.SDx = 2;
    const CParameterCommand get = ZelnarGet(record);
    EXPECT_EQ(record.SDx, 0);
    EXPECT_EQ(get.displayFormatBefore, 2) << "again when no listing arrives";
    EXPECT_EQ(get.displayFormatAfter, -1) << "the listing's";
    EXPECT_EQ(get.notDone, std::string(ParameterTexts::NotRead));
    const std::vector<CCommandStep> getSteps = {{"\x1b\r", 0, true}, {"PA\r", 0}};
    EXPECT_EQ(get.steps, getSteps);
    EXPECT_EQ(get.message, ParameterTexts::GetWaiting);
    EXPECT_TRUE(get.readsListing);
    EXPECT_TRUE(get.resetAlarms);

    record.SDx = 1;
    const CParameterCommand reset = ZelnarResetParam(record);
    EXPECT_EQ(record.SDx, 0);
    const std::vector<CCommandStep> resetSteps = {{"PR\r", 0}, {"\x1b\r", 0, true}, {"PA\r", 0}};
    EXPECT_EQ(reset.steps, resetSteps);
    EXPECT_TRUE(reset.readsListing);
    EXPECT_EQ(reset.message, ParameterTexts::GetWaiting);
}

TEST_F(ZelnarCommands, GetWhileNotConnectedStillSwitchesToText)
{
    g_bConnected = false;
    record.SDx = 2;
    const CParameterCommand get = ZelnarGet(record);
    EXPECT_EQ(get.refusal, ParameterTexts::NotConnected);
    EXPECT_FALSE(get.resetAlarms);
    EXPECT_EQ(record.SDx, 0);

    record.SDx = 2;
    EXPECT_EQ(ZelnarResetParam(record).refusal, ParameterTexts::NotConnected);
    EXPECT_EQ(record.SDx, 2);
}

TEST_F(ZelnarCommands, ShowAllInBinaryModeReturnsToBinaryAfterTheMessage)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.SDx = 2;
    record.SDx = 2;
    const CParameterCommand show = ZelnarShowAll(controls, record);
    EXPECT_EQ(show.steps, (std::vector<CCommandStep>{{"PA\r", 0}}));
    EXPECT_EQ(show.message, ParameterTexts::ParametersDisplayed);
    EXPECT_EQ(record.SDx, 0);
    ZelnarCommandDone(show, true, record);
    EXPECT_EQ(record.SDx, 2);

    record.SDx = 1;
    const CParameterCommand text = ZelnarShowAll(controls, record);
    EXPECT_TRUE(text.message.empty());
    ZelnarCommandDone(text, true, record);
    EXPECT_EQ(record.SDx, 1);
}

TEST_F(ZelnarControls, ReadingRulesAndShownFormats)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.MF = " -3.7e2Hz";
    controls.SA = "12abc";
    controls.TDy = "";
    controls.SF = "-1.0936";
    controls.OF = "1e-3";
    TakeZelnarEdits(controls, ZelnarParameters);
    EXPECT_EQ(ZelnarParameters.MF, -370);
    EXPECT_EQ(ZelnarParameters.SA, 12);
    EXPECT_EQ(ZelnarParameters.TDy, 0);
    EXPECT_DOUBLE_EQ(ZelnarParameters.OF, 0.001);

    ZelnarParameters.MF = 2000;
    ZelnarParameters.TDx = 0.125;
    ZelnarParameters.Q1w = -2.0005;
    const CZelnarParameterControls shown = ShowZelnarParameters(ZelnarParameters);
    EXPECT_EQ(shown.MF, "2000");
    EXPECT_EQ(shown.TDx, "0.12");
    EXPECT_EQ(shown.SF, "-1.093600");
    EXPECT_EQ(shown.OF, "0.001");
    EXPECT_EQ(shown.Q1w, "-2.001");
    EXPECT_EQ(shown.Q1z, "1");
}

TEST_F(ZelnarControls, DemonstrationSetLeavesTheTriggerAlone)
{
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.AS = 4;
    controls.SDx = 2;
    controls.TDx = "9";
    ZelnarParameters.SDx = 2;
    ZelnarParameters.TDx = 3.25;
    LoadZelnarDemonstration(controls, ZelnarParameters);
    EXPECT_EQ(controls.AS, 0);
    EXPECT_EQ(controls.SDx, 0);
    EXPECT_EQ(controls.MWx, "-5000");
    EXPECT_EQ(controls.Q2w, "12");
    EXPECT_EQ(ZelnarParameters.SDx, 0);
    EXPECT_EQ(ZelnarParameters.MF, 2000);
    EXPECT_EQ(ZelnarParameters.SA, 20);
    EXPECT_DOUBLE_EQ(ZelnarParameters.MWy, 5000);
    EXPECT_DOUBLE_EQ(ZelnarParameters.QAy, 20);
    EXPECT_DOUBLE_EQ(ZelnarParameters.TDx, 3.25);
    EXPECT_EQ(controls.TDx, "9");
}
