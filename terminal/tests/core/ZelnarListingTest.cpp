#include "ParameterTestSupport.h"
#include "ZelnarListingParser.h"
#include "ZelnarParameterCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The listing a Zelnar device prints after PA, one parameter a line.
std::vector<std::string> ListingLines()
{
    return {
        "[MF] Meas.freq.: 1500 (1..2000 Hz)",
        "[TD] Trig.dly: 12.50ms sync:1 0",
        "[SA] Average values:   25 samples",
        "[SF] Scale factor...:  1.093600 (multiplier)",
        "[MW] Meas. window: -250.500 4800.250 (begin/end)",
        "[OF] Offset......: -0.125 meter",
        "[SE] Error mode.......:  2 (hold last)",
        "[Q1] Switch output 1: 5.500 4.250 0.500 1 (begin width hyst level)",
        "[Q2] Switch output 2: 12.000 6.000 1.000 0 (begin width hyst level)",
        "[QA] Analog out 4/20mA:0.500 19.750 (begin end)",
        "[BR] Baudrate:115200 RS232",
        "[SD] Display format: dec(1) out(3) dig(1)",
        "[SC] SSI code: gray(1)",
        "[PL] Pilot laser...: 2 (blinking 2Hz)",
        "[AS] Autostart: DT",
    };
}

class ZelnarListing : public ParameterStateTest
{
protected:
    CZelnarParameters& record = ZelnarParameters;
};

void ExpectUpToPilotLaser(const CZelnarParameters& record)
{
    EXPECT_EQ(record.MF, 1500);
    EXPECT_DOUBLE_EQ(record.TDx, 12.5);
    EXPECT_EQ(record.TDy, 1);
    EXPECT_EQ(record.TDz, 0);
    EXPECT_EQ(record.SA, 25);
    EXPECT_DOUBLE_EQ(record.SF, 1.0936);
    EXPECT_DOUBLE_EQ(record.MWx, -250.5);
    EXPECT_DOUBLE_EQ(record.MWy, 4800.25);
    EXPECT_DOUBLE_EQ(record.OF, -0.125);
    EXPECT_EQ(record.SE, 2);
    EXPECT_DOUBLE_EQ(record.Q1w, 5.5);
    EXPECT_DOUBLE_EQ(record.Q1x, 4.25);
    EXPECT_DOUBLE_EQ(record.Q1y, 0.5);
    EXPECT_EQ(record.Q1z, 1);
    EXPECT_DOUBLE_EQ(record.Q2w, 12.0);
    EXPECT_DOUBLE_EQ(record.Q2x, 6.0);
    EXPECT_DOUBLE_EQ(record.Q2y, 1.0);
    EXPECT_EQ(record.Q2z, 0);
    EXPECT_DOUBLE_EQ(record.QAx, 0.5);
    EXPECT_DOUBLE_EQ(record.QAy, 19.75);
    EXPECT_EQ(record.BR, 115200);
    EXPECT_EQ(record.SDx, 1);
    EXPECT_EQ(record.SDy, 3);
    EXPECT_EQ(record.SC, 1);
    EXPECT_EQ(record.PL, 2);
}

} // namespace

TEST_F(ZelnarListing, ReadsEveryParameter)
{
    EXPECT_TRUE(ParseZelnarListing(JoinListing(ListingLines()), record));
    ExpectUpToPilotLaser(record);
    EXPECT_EQ(record.AS, "DT");
}

TEST_F(ZelnarListing, TriggerDelayWithOrWithoutDotLeader)
{
    std::vector<std::string> lines = ListingLines();
    lines[1] = "[TD] Dly:7.25ms sync:0 1";
    ParseZelnarListing(JoinListing(lines), record);
    EXPECT_DOUBLE_EQ(record.TDx, 7.25);
    EXPECT_EQ(record.TDy, 0);
    EXPECT_EQ(record.TDz, 1);
    EXPECT_EQ(record.SA, 25);
}

// With the meter off, at a wrong baud rate, or cut off by a lost connection, the page holds no
// whole listing: nothing of it reaches the record.
TEST_F(ZelnarListing, NoWholeListingChangesNothing)
{
    const std::string listing = JoinListing(ListingLines());
    const std::string withoutAutostart = listing.substr(0, listing.find("[AS]"));
    for (const std::string& text :
         {std::string(), std::string("E02\r\n\x81\x02garbage\r\n"), withoutAutostart}) {
        record.MF = 7;
        record.SF = 3;
        record.AS = "VT";
        EXPECT_FALSE(ParseZelnarListing(text, record));
        EXPECT_EQ(record.MF, 7);
        EXPECT_EQ(record.SF, 3);
        EXPECT_EQ(record.AS, "VT");
        EXPECT_FALSE(ZelnarGetDone(text, record));
    }
    // Cut anywhere before the end of its last value: no listing. Its line end may be missing.
    for (std::size_t cut = 0; cut < listing.size(); ++cut) {
        record.MF = 7;
        const bool whole = cut >= listing.size() - 2;
        ASSERT_EQ(ParseZelnarListing(listing.substr(0, cut), record), whole) << cut;
        ASSERT_EQ(record.MF, whole ? 1500 : 7) << cut;
    }
}

TEST_F(ZelnarListing, GetDoneShowsTheListingAndKeepsTheShownValues)
{
    std::vector<std::string> lines = ListingLines();
    lines[3] = "[SF] Scale factor...:  1.0936004 (multiplier)";
    lines[5] = "[OF] Offset......: -0.1256 meter";
    const CZelnarParameterControls controls = ZelnarGetDone(JoinListing(lines), record).value();
    EXPECT_EQ(controls.MF, "1500");
    EXPECT_EQ(controls.TDx, "12.50");
    EXPECT_EQ(controls.SF, "1.093600");
    EXPECT_EQ(controls.OF, "-0.126");
    EXPECT_EQ(controls.MWy, "4800.250");
    EXPECT_EQ(controls.Q1z, "1");
    EXPECT_EQ(controls.AS, 2);
    EXPECT_EQ(controls.PL, 2);
    EXPECT_EQ(controls.SDx, 1);
    EXPECT_EQ(controls.SDy, 3);
    // The record holds what the controls show, not the listing's extra digits.
    EXPECT_DOUBLE_EQ(record.SF, 1.0936);
    EXPECT_DOUBLE_EQ(record.OF, -0.126);
}

TEST_F(ZelnarListing, UnknownAutostartOrOutOfRangeIndexSelectsNothing)
{
    std::vector<std::string> lines = ListingLines();
    lines[13] = "[PL] Pilot laser...: 7 (unknown)";
    lines[14] = "[AS] Autostart: vt";
    const CZelnarParameterControls controls = ZelnarGetDone(JoinListing(lines), record).value();
    EXPECT_EQ(controls.PL, -1);
    EXPECT_EQ(controls.AS, 5); // compared regardless of case
    lines[14] = "[AS] Autostart: XX";
    EXPECT_EQ(ZelnarGetDone(JoinListing(lines), record)->AS, -1);
}
