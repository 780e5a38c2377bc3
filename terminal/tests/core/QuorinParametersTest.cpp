#include "ParameterTestSupport.h"
#include "ParameterTexts.h"
#include "QuorinListingParser.h"
#include "QuorinParameterCommands.h"
#include "QuorinParameterFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The listing a Quorin device prints after PA.
std::vector<std::string> ListingLines()
{
    return {
        "[SA] Average........: 4 values averaged",
        "[SD] Output format: h (hexadecimal)",
        "[ST] Measuring time..: 3 x 240ms",
        "[SF] Scale factor....: 1.093600 (meter)",
        "[SE] Error mode........: 1 (fixed output)",
        "[AC] Alarm begin....: 5.500 m",
        "[AH] Hysteresis..: -0.250 m",
        "[AW] Alarm width......: 4.750 m wide",
        "[RB] 4mA...: 0.500 m distance",
        "[RE] 20mA.: 20.250 m range",
        "[RM] Outliers: 5 3 2 tolerance",
        "[TD]: 100 1 trigger",
        "[TM]:  1 0 both flanks",
        "[BR] Baudrate...........: 9600 baud",
        "[AS] Autostart.: DT on start",
        "[OF] Offset.......:-0.125",
    };
}

CQuorinParameterControls TypedControls()
{
    CQuorinParameterControls c;
    c.AS = 3; // "DT"
    c.SE = 0;
    c.SD = 1;
    c.RMx = "5";
    c.RMy = "3";
    c.RMz = "2";
    c.ST = "0";
    c.SA = "4";
    c.TDx = "100";
    c.TDy = "1";
    c.SF = "1.0936";
    c.OF = "-0.5";
    c.TMx = "1";
    c.TMy = "0";
    c.RB = "0";
    c.RE = "20";
    c.AC = "5";
    c.AW = "4";
    c.AH = "-1";
    return c;
}

class QuorinParameterSet : public ParameterStateTest
{
protected:
    void SetUp() override
    {
        ParameterStateTest::SetUp();
        g_bConnected = true;
    }
    CQuorinParameters& record = QuorinParameters;
};

} // namespace

TEST_F(QuorinParameterSet, ListingGivesEveryParameter)
{
    EXPECT_TRUE(ParseQuorinListing(JoinListing(ListingLines()), record));
    EXPECT_EQ(record.SA, 4);
    EXPECT_EQ(g_strQuorinFormat, "h");
    EXPECT_EQ(record.SD, 1);
    EXPECT_EQ(record.ST, 3);
    EXPECT_DOUBLE_EQ(record.SF, 1.0936);
    EXPECT_EQ(record.SE, 1);
    EXPECT_DOUBLE_EQ(record.AC, 5.5);
    EXPECT_DOUBLE_EQ(record.AH, -0.25);
    EXPECT_DOUBLE_EQ(record.AW, 4.75);
    EXPECT_DOUBLE_EQ(record.RB, 0.5);
    EXPECT_DOUBLE_EQ(record.RE, 20.25);
    EXPECT_EQ(record.RMx, 5);
    EXPECT_EQ(record.RMy, 3);
    EXPECT_EQ(record.RMz, 2);
    EXPECT_EQ(record.TDx, 100);
    EXPECT_EQ(record.TDy, 1);
    EXPECT_EQ(record.TMx, 1);
    EXPECT_EQ(record.TMy, 0);
    EXPECT_EQ(record.BR, 9600);
    EXPECT_EQ(record.AS, "DT");
    EXPECT_DOUBLE_EQ(record.OF, -0.125);
}

TEST_F(QuorinParameterSet, ListingShapesAtTheEdges)
{
    std::vector<std::string> lines = ListingLines();
    lines[12] = "[TM]:  1.9 1 both flanks"; // trigger mode as a real: truncated
    lines[14] = "[AS] Autostart.: TP (on start)";
    ParseQuorinListing(JoinListing(lines), record);
    EXPECT_EQ(record.TMx, 1);
    EXPECT_EQ(record.TMy, 1);
    EXPECT_EQ(record.AS, "TP");
    // An "a" too close to the autostart command leaves it empty.
    lines[14] = "[AS] Autostart.: DTa";
    ParseQuorinListing(JoinListing(lines), record);
    EXPECT_EQ(record.AS, "");
    EXPECT_DOUBLE_EQ(record.OF, -0.125);
}

// With the meter off, at a wrong baud rate, or cut off by a lost connection, the page holds no
// whole listing: nothing of it reaches the record, and the output format stays.
TEST_F(QuorinParameterSet, NoWholeListingChangesNothing)
{
    const std::string listing = JoinListing(ListingLines());
    g_strQuorinFormat = "d";
    for (const std::string& text : {std::string(), std::string("E15  \r\nok\r\n")}) {
        record.SA = 7;
        EXPECT_FALSE(ParseQuorinListing(text, record));
        EXPECT_FALSE(QuorinGetDone(text, record));
        EXPECT_EQ(record.SA, 7);
        EXPECT_EQ(g_strQuorinFormat, "d");
    }
    // Cut anywhere before the carriage return that ends its last value: no listing.
    for (std::size_t cut = 0; cut < listing.size(); ++cut) {
        record.SA = 7;
        const bool whole = cut >= listing.size() - 1;
        ASSERT_EQ(ParseQuorinListing(listing.substr(0, cut), record), whole) << cut;
        ASSERT_EQ(record.SA, whole ? 4 : 7) << cut;
        ASSERT_EQ(g_strQuorinFormat, whole ? "h" : "d") << cut;
    }
}

TEST_F(QuorinParameterSet, GetDoneShowsTheListing)
{
    const CQuorinParameterControls controls =
        QuorinGetDone(JoinListing(ListingLines()), record).value();
    EXPECT_EQ(controls.SD, 1);
    EXPECT_EQ(controls.AS, 3);
    EXPECT_EQ(controls.SE, 1);
    EXPECT_EQ(controls.TDx, "100");
    EXPECT_EQ(controls.SF, "1.093600");
    EXPECT_EQ(controls.AH, "-0.250");
    EXPECT_EQ(controls.OF, "-0.125");
    g_strQuorinFormat = "x";
    EXPECT_EQ(ShowQuorinParameters(record).SD, -1);
}

TEST_F(QuorinParameterSet, SetWritesFifteenCommandsWithTheirWaits)
{
    g_strQuorinFormat = "d";
    const CParameterCommand set = QuorinSet(TypedControls(), record);
    const std::vector<CCommandStep> expected = {
        {"RM5 3 2\r", 0},  {"ST0\r", 100},   {"SA4\r", 0},   {"TD100 1\r", 100}, {"SF1.0936\r", 0},
        {"OF-0.5\r", 100}, {"TM1 0\r", 100}, {"SDh\r", 100}, {"SE0\r", 0},       {"RB0\r", 100},
        {"RE20\r", 0},     {"AC5\r", 100},   {"AW4\r", 0},   {"AH-1\r", 100},    {"ASDT\r", 0},
    };
    EXPECT_EQ(set.steps, expected);
    EXPECT_EQ(set.message, ParameterTexts::ParametersSet);
    EXPECT_EQ(set.notDone, std::string(ParameterTexts::NotSet));
    EXPECT_TRUE(set.resetAlarms);
    // The record and the output format take the controls once every command went out.
    EXPECT_EQ(record.SA, 0);
    EXPECT_EQ(g_strQuorinFormat, "d");
    set.takeControls();
    EXPECT_EQ(record.SA, 4);
    EXPECT_DOUBLE_EQ(record.AH, -1);
    EXPECT_EQ(record.AS, "DT");
    EXPECT_EQ(record.ASIndex, 3);
    EXPECT_EQ(g_strQuorinFormat, "h");
}

TEST_F(QuorinParameterSet, SetWithoutSelectionsKeepsTheWaits)
{
    CQuorinParameterControls controls = TypedControls();
    controls.SD = -1;
    controls.AS = -1;
    g_strQuorinFormat = "d";
    const CParameterCommand set = QuorinSet(controls, record);
    set.takeControls();
    ASSERT_EQ(set.steps.size(), 13u);
    EXPECT_EQ(set.steps[6], (CCommandStep{"TM1 0\r", 200}));
    EXPECT_EQ(set.steps[7].bytes, "SE0\r");
    EXPECT_EQ(set.steps.back().bytes, "AH-1\r");
    EXPECT_EQ(g_strQuorinFormat, "d");
}

TEST_F(QuorinParameterSet, SetInSimulationOrDisconnected)
{
    g_bConnected = false;
    const CParameterCommand refused = QuorinSet(TypedControls(), record);
    EXPECT_EQ(refused.refusal, ParameterTexts::NotConnected);
    EXPECT_EQ(record.SA, 0);

    g_bSimulation = true;
    const CParameterCommand simulated = QuorinSet(TypedControls(), record);
    EXPECT_TRUE(simulated.steps.empty());
    EXPECT_FALSE(simulated.resetAlarms);
    EXPECT_EQ(simulated.message, ParameterTexts::SimulatedSet);
    CQuorinParameterControls zero = TypedControls();
    zero.SF = "0.0";
    EXPECT_EQ(QuorinSet(zero, record).message, ParameterTexts::QuorinSimulatedZero);
    // The values stay in the record all the same.
    EXPECT_DOUBLE_EQ(record.SF, 0);
}

TEST_F(QuorinParameterSet, GetResetAndShowAll)
{
    const std::vector<CCommandStep> get = {{"\x1b", 100, true}, {"PA\r", 1000}};
    EXPECT_EQ(QuorinGet().steps, get);
    EXPECT_TRUE(QuorinGet().readsListing);
    const std::vector<CCommandStep> reset = {{"PR\r", 0}, {"\x1b", 100, true}, {"PA\r", 1000}};
    EXPECT_EQ(QuorinReset().steps, reset);
    EXPECT_EQ(QuorinReset().message, ParameterTexts::GetWaiting);
    EXPECT_EQ(QuorinShowAll().steps, (std::vector<CCommandStep>{{"PA\r", 0}}));
    g_bConnected = false;
    for (const CParameterCommand& command : {QuorinGet(), QuorinReset(), QuorinShowAll()}) {
        EXPECT_EQ(command.refusal, ParameterTexts::NotConnected);
        EXPECT_TRUE(command.steps.empty());
    }
}

TEST_F(QuorinParameterSet, FileIsWrittenExactlyAndReadBack)
{
    g_bSimulation = true;
    CQuorinParameterControls controls = TypedControls();
    controls.AS = 8;
    const std::string text = SaveQuorinParameters(controls, record);
    EXPECT_EQ(text, "AS: 8\nSE: 0\nSD: 1\nRMx: 5\nRMy: 3\nRMz: 2\nST: 0\nSA: 4\n"
                    "TDxQR: 100\nTDy: 1\nSF: 1.093600\nOF: -0.500000\nTMx: 1\nTMy: 0\n"
                    "RB: 0.000000\nRE: 20.000000\nAC: 5.000000\nAW: 4.000000\n"
                    "AH: -1.000000\nBR: 9600\n");
    EXPECT_EQ(record.BR, 9600);

    const auto loaded = LoadQuorinParameters(text);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->AS, 8);
    EXPECT_EQ(loaded->SD, 1);
    EXPECT_EQ(loaded->TDx, "100");
    EXPECT_EQ(loaded->SF, "1.093600");
    EXPECT_EQ(loaded->OF, "-0.500");
    EXPECT_EQ(loaded->AH, "-1.000");

    std::string damaged = text;
    ReplaceAll(damaged, "TDxQR", "TDx");
    EXPECT_FALSE(LoadQuorinParameters(damaged));
    damaged = text;
    ReplaceAll(damaged, "AS: 8", "AS: 9");
    EXPECT_FALSE(LoadQuorinParameters(damaged));
    damaged = text;
    ReplaceAll(damaged, "AC: 5.000000", "AC: -1e400");
    EXPECT_FALSE(LoadQuorinParameters(damaged));
    EXPECT_FALSE(LoadQuorinParameters(text.substr(0, text.size() - 9)));
}

TEST_F(QuorinParameterSet, SimulationStartSelectsDecimalAndLoadsTheDemonstration)
{
    g_strQuorinFormat = "h";
    CQuorinParameterControls controls = TypedControls();
    SelectQuorinSimulationFormat(controls);
    EXPECT_EQ(g_strQuorinFormat, "d");
    EXPECT_EQ(controls.SD, 0);
    LoadQuorinDemonstration(controls, record);
    EXPECT_EQ(controls.AS, 0);
    EXPECT_EQ(controls.RE, "20");
    EXPECT_EQ(controls.TDx, "100");
    EXPECT_EQ(record.SA, 1);
    EXPECT_EQ(record.ST, 1);
    EXPECT_DOUBLE_EQ(record.RE, 20);
    EXPECT_EQ(record.AS, "DF");
    // The shared fields are the Zelnar dialog's too.
    EXPECT_EQ(ZelnarParameters.SA, 1);
}
