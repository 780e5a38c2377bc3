#include "RunningAcquisition.h"

#include <gtest/gtest.h>

TEST(RunningAcquisition, TheLastContinuousCommandRunsUntilEscapeOrColdStart)
{
    CRunningAcquisition acquisition;
    EXPECT_EQ(acquisition.Command(), "");
    acquisition.Wrote("DT\r");
    EXPECT_EQ(acquisition.Command(), "DT\r");
    // Single commands beside it leave it running; none of them is ever repeated.
    for (const char* single : {"DM\r", "VM\r", "SO\r", "TP\r", "ID\r", "HW\r", "MF2000\r"}) {
        acquisition.Wrote(single);
        EXPECT_EQ(acquisition.Command(), "DT\r") << single;
    }
    acquisition.Wrote("VT\r");
    EXPECT_EQ(acquisition.Command(), "VT\r");
    acquisition.Wrote("\x1b");
    EXPECT_EQ(acquisition.Command(), "");
    acquisition.Wrote("DF\r");
    acquisition.Wrote("DR\r");
    EXPECT_EQ(acquisition.Command(), "");
}

TEST(RunningAcquisition, TypedLinesAndParameterCommandsCountToo)
{
    CRunningAcquisition acquisition;
    // A line typed on the Classic page, in either case, with blanks.
    acquisition.Wrote(" dx \r");
    EXPECT_EQ(acquisition.Command(), "DX\r");
    // Get stops the device first.
    acquisition.Wrote("\x1b\r");
    acquisition.Wrote("PA\r");
    EXPECT_EQ(acquisition.Command(), "");
    acquisition.Wrote("\x1b"
                      "DS\r");
    EXPECT_EQ(acquisition.Command(), "DS\r");
    acquisition.Wrote("DW\r");
    EXPECT_EQ(acquisition.Command(), "DW\r");
    acquisition.Wrote("DTX\r");
    EXPECT_EQ(acquisition.Command(), "DW\r");
}
