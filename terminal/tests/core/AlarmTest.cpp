#include "AlarmSwitch.h"
#include "CoreTestSupport.h"
#include "ZelnarDisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ZelnarAlarm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        ZelnarParameters.QAy = 20;
    }
    void TearDown() override { ResetParameterRecords(); }

    void SetQ1(double w, double x, double y, int z)
    {
        ZelnarParameters.Q1w = w;
        ZelnarParameters.Q1x = x;
        ZelnarParameters.Q1y = y;
        ZelnarParameters.Q1z = z;
    }

    // Q1 after each line.
    std::vector<bool> Feed(const std::vector<std::string>& lines)
    {
        std::vector<bool> states;
        for (const std::string& line : lines)
            states.push_back(display.DecodeDecimal(line, ZelnarParameters, false).bQ1On);
        return states;
    }

    CZelnarDisplay display;
};

TEST_F(ZelnarAlarm, OnInsideWithHysteresis)
{
    SetQ1(10, 5, 1, 1);
    EXPECT_EQ(Feed({" 0010.400", " 0010.600", " 0009.600", " 0009.400"}),
              (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(Feed({" 0012.000", " 0015.400", " 0015.600"}),
              (std::vector<bool>{true, true, false}));
}

TEST_F(ZelnarAlarm, OnOutsideWithHysteresis)
{
    SetQ1(10, 5, 1, 0);
    EXPECT_EQ(Feed({" 0012.000", " 0009.400", " 0010.400", " 0010.600", " 0015.600"}),
              (std::vector<bool>{false, true, true, false, true}));
}

TEST_F(ZelnarAlarm, SwitchesOnTheSpeedWhenThereIsOne)
{
    SetQ1(-2, 2, 0, 1);
    ZelnarParameters.Q2w = 0;
    ZelnarParameters.Q2x = 5;
    ZelnarParameters.Q2z = 1;
    const CZelnarDisplayResult& r =
        display.DecodeDecimal("-0001.250 +0012.345 01500 +29.9", ZelnarParameters, false);
    EXPECT_TRUE(r.bQ1On);  // speed -1.25 inside -2 .. 0
    EXPECT_FALSE(r.bQ2On); // distance 12.345 outside 0 .. 5
}

TEST_F(ZelnarAlarm, DisabledAlarmNeverChanges)
{
    SetQ1(0, 0, 0, 0);
    ZelnarParameters.SE = 1;
    EXPECT_EQ(Feed({" 0020.000", "E02      ", " 0000.000"}),
              (std::vector<bool>{false, false, false}));
    SetQ1(0, 0, 0, 2); // a level other than 0 and 1 switches nothing either
    EXPECT_EQ(Feed({" 0020.000"}), (std::vector<bool>{false}));
}

TEST_F(ZelnarAlarm, ErrorModes)
{
    SetQ1(5, 4, 0, 1);
    ZelnarParameters.SE = 1;
    EXPECT_EQ(Feed({" 0007.000", "E02      "}), (std::vector<bool>{true, false}));
    ZelnarParameters.SE = 2;
    EXPECT_EQ(Feed({" 0001.000", "E04      "}), (std::vector<bool>{false, true}));
    // SE 0 goes back to the state after the last valid measurement.
    ZelnarParameters.SE = 0;
    EXPECT_EQ(Feed({" 0007.000", "E02      ", " 0001.000", "E02      "}),
              (std::vector<bool>{true, true, false, false}));
    display.DecodeDecimal(" 0007.000", ZelnarParameters, false);
    display.ResetAlarms();
    EXPECT_FALSE(display.IsQ1On());
    EXPECT_EQ(Feed({"E02      "}), (std::vector<bool>{true}));
    // Hexadecimal and binary data never touch an alarm.
    display.ResetAlarms();
    ZelnarParameters.SDy = 0;
    EXPECT_FALSE(display.DecodeHexadecimal("001234", ZelnarParameters, false).bShowLamps);
    EXPECT_FALSE(display.DecodeBinary(std::string(24, '1'), 0, false).bShowLamps);
    EXPECT_FALSE(display.IsQ1On());
}

TEST(AlarmSwitch, OffAgainAfterSwitchingOnWhenTheHysteresisIsNegative)
{
    // With a negative hysteresis the switching-off band overlaps the window: the output that
    // has just switched on is checked again with the same value.
    const CAlarmWindow window = ZelnarAlarmWindow(10, 5, -2);
    EXPECT_DOUBLE_EQ(window.lowOff, 11);
    EXPECT_DOUBLE_EQ(window.lowOn, 9);
    CAlarmSwitch alarm;
    alarm.Switch(10, window, AlarmMode::OnInside);
    EXPECT_FALSE(alarm.IsOn());
    alarm.Switch(12, window, AlarmMode::OnInside);
    EXPECT_TRUE(alarm.IsOn());
}

TEST(AlarmSwitch, QuorinModeFollowsTheSignOfTheHysteresis)
{
    const CAlarmWindow window = QuorinAlarmWindow(5, 4, -1);
    EXPECT_DOUBLE_EQ(window.lowOff, 4.5);
    EXPECT_DOUBLE_EQ(window.lowOn, 5.5);
    EXPECT_DOUBLE_EQ(window.highOn, 8.5);
    EXPECT_DOUBLE_EQ(window.highOff, 9.5);
    CAlarmSwitch outside;
    outside.Switch(4.4, window, AlarmMode::OnOutside);
    EXPECT_TRUE(outside.IsOn());
    outside.Switch(5.0, window, AlarmMode::OnOutside);
    EXPECT_TRUE(outside.IsOn());
    outside.Switch(5.6, window, AlarmMode::OnOutside);
    EXPECT_FALSE(outside.IsOn());
}

} // namespace
