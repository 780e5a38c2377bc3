#include "OscillationSettings.h"
#include "ParameterTestSupport.h"
#include "ParameterTexts.h"
#include "QuorinParameterControls.h"
#include "QuorinSimulationRun.h"
#include "ZelnarSimulationRun.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// Noise draws taken in turn from a list, round and round.
class CNoise
{
public:
    explicit CNoise(std::vector<unsigned> draws) : m_draws(std::move(draws)) {}
    SimulationNoise Generator()
    {
        return [this] { return m_draws[m_next++ % m_draws.size()]; };
    }

private:
    std::vector<unsigned> m_draws;
    std::size_t m_next = 0;
};

class ZelnarSimulation : public ParameterStateTest
{
protected:
    void SetUp() override
    {
        ParameterStateTest::SetUp();
        CZelnarParameterControls controls;
        LoadZelnarDemonstration(controls, ZelnarParameters);
    }
    CNoise noise{{0}};
    CZelnarSimulationRun run{ZelnarParameters, noise.Generator()};
};

class QuorinSimulation : public ParameterStateTest
{
protected:
    void SetUp() override
    {
        ParameterStateTest::SetUp();
        CQuorinParameterControls controls;
        LoadQuorinDemonstration(controls, QuorinParameters);
    }
    CNoise noise{{0}};
    CQuorinSimulationRun run{QuorinParameters, noise.Generator()};
};

} // namespace

TEST(ZelnarSimulatedLine, SignZerosNumberAndSuffix)
{
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(12.345, 0), " 0012.345");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(-3.5, 0), "-0003.500");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(-0.0001, 0), "-0000.000");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(-0.0, 0), " 0000.000");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(1234.5678, 1), " 1234.568 01500");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(-12345.5, 2), "-12345.500 +29.9");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(5, 3), " 0005.000 01500 +29.9");
    EXPECT_EQ(CZelnarSimulationRun::FormatLine(5, 4), " 0005.000");
    EXPECT_EQ(CZelnarSimulationRun::ErrorLine(3), "E02       01500 +29.9");
}

TEST_F(ZelnarSimulation, DefaultRunCountsPaceAndFirstLines)
{
    CNoise highest({5});
    CZelnarSimulationRun noisy(ZelnarParameters, highest.Generator());
    EXPECT_EQ(noisy.Start(), "");
    EXPECT_TRUE(CSimulationRun::Running());
    EXPECT_EQ(noisy.LineCount(), 4002);
    EXPECT_EQ(noisy.LineWaitMs(), 10);
    // The noise stays below 0.012.
    EXPECT_EQ(noisy.Line(0), " 0000.011");
    EXPECT_EQ(noisy.Line(1), " 0000.021");
    EXPECT_EQ(noisy.Line(2001), " 0020.011");
    EXPECT_EQ(noisy.Line(4001), " 0000.011");
}

TEST_F(ZelnarSimulation, ErrorStretchOnBothRamps)
{
    run.Start();
    // Ordinals 1001 to 1499 of each ramp; the falling ramp starts at position 2001.
    for (int ramp : {0, 2001}) {
        EXPECT_EQ(run.Line(ramp + 999), ramp ? " 0010.010" : " 0009.990");
        EXPECT_EQ(run.Line(ramp + 1000), "E02      ");
        EXPECT_EQ(run.Line(ramp + 1498), "E02      ");
        EXPECT_NE(run.Line(ramp + 1499), "E02      ");
    }
    run.Pause();
}

TEST_F(ZelnarSimulation, WindowCheckSuffixesAndNegativeValues)
{
    g_bSimErrors = false;
    ZelnarParameters.MWx = -12;
    ZelnarParameters.MWy = 6;
    ZelnarParameters.SDy = 3;
    ZelnarParameters.SF = -2;
    ZelnarParameters.OF = 3;
    run.Start();
    EXPECT_EQ(run.Line(0), " 0003.000 01500 +29.9");
    EXPECT_EQ(run.Line(200), "-0001.000 01500 +29.9");
    EXPECT_EQ(run.Line(750), "-0012.000 01500 +29.9");
    EXPECT_EQ(run.Line(751), "E02       01500 +29.9");
    run.Pause();
    ZelnarParameters.OF = 7;
    CZelnarSimulationRun above(ZelnarParameters, noise.Generator());
    above.Start();
    EXPECT_EQ(above.Line(0), "E02       01500 +29.9");
    EXPECT_EQ(above.Line(51), " 0005.980 01500 +29.9");
}

TEST_F(ZelnarSimulation, PauseResumeAndStop)
{
    ASSERT_EQ(run.Start(), "");
    for (const char* expected : {" 0000.000", " 0000.010", " 0000.020"}) {
        const CSimulationTick tick = run.Tick();
        EXPECT_TRUE(tick.deliver);
        EXPECT_FALSE(tick.ended);
        EXPECT_EQ(g_strMeasLine, expected);
    }
    // DT during the run changes nothing.
    EXPECT_EQ(run.Start(), "");
    EXPECT_TRUE(run.Pause());
    EXPECT_FALSE(CSimulationRun::Running());
    EXPECT_EQ(g_nSimPosition, 3);
    EXPECT_EQ(run.Tick().ended, true);

    // DT resumes with the line after the last one shown, with a new run as well.
    CZelnarSimulationRun again(ZelnarParameters, noise.Generator());
    again.Start();
    again.Tick();
    EXPECT_EQ(g_strMeasLine, " 0000.030");
    again.Pause();

    // STOP while paused shows the rest line; the next DT starts from the beginning.
    ZelnarParameters.OF = 0.5;
    g_strMeasLine.clear();
    EXPECT_TRUE(again.Stop());
    EXPECT_EQ(g_strMeasLine, " 0000.500");
    EXPECT_EQ(g_nSimPosition, 0);
    EXPECT_FALSE(again.Stop());
    again.Start();
    again.Tick();
    EXPECT_EQ(g_strMeasLine, " 0000.500");

    // STOP during a run ends it with the rest line.
    EXPECT_TRUE(again.Stop());
    EXPECT_FALSE(CSimulationRun::Running());
    EXPECT_EQ(g_nSimPosition, 0);
    EXPECT_FALSE(g_bSimStop);

    // The flags requested directly take effect at the next tick.
    again.Start();
    again.Tick();
    g_bSimPause = true;
    EXPECT_EQ(again.Tick().deliver, false);
    EXPECT_EQ(g_nSimPosition, 1);
    again.Start();
    g_bSimStop = true;
    g_strMeasLine.clear();
    const CSimulationTick stopped = again.Tick();
    EXPECT_TRUE(stopped.deliver && stopped.ended);
    EXPECT_EQ(g_strMeasLine, " 0000.500");
    EXPECT_EQ(g_nSimPosition, 0);
}

TEST_F(ZelnarSimulation, RunEndsAfterItsLastLine)
{
    g_dSimMax = 0.02;
    run.Start();
    ASSERT_EQ(run.LineCount(), 6);
    std::vector<std::string> played;
    CSimulationTick tick;
    while (!tick.ended) {
        tick = run.Tick();
        ASSERT_TRUE(tick.deliver);
        played.push_back(g_strMeasLine);
    }
    EXPECT_EQ(played, (std::vector<std::string>{" 0000.000", " 0000.010", " 0000.020", " 0000.020",
                                                " 0000.010", " 0000.000"}));
    EXPECT_FALSE(CSimulationRun::Running());
    EXPECT_EQ(g_nSimPosition, 0);
}

TEST_F(ZelnarSimulation, ParametersWithoutPaceOrRangeStartNothing)
{
    ZelnarParameters.MF = 0;
    EXPECT_EQ(run.Start(), ParameterTexts::ZelnarSimulatedZero);
    EXPECT_FALSE(CSimulationRun::Running());
    ZelnarParameters.MF = 2000;
    ZelnarParameters.SA = -1;
    EXPECT_EQ(run.Start(), ParameterTexts::ZelnarSimulatedZero);

    ZelnarParameters.SA = 20;
    g_dSimMax = -0.5;
    EXPECT_EQ(run.Start(), "");
    EXPECT_EQ(run.LineCount(), 0);
    EXPECT_FALSE(CSimulationRun::Running());

    // A paused position beyond a shorter new run starts it afresh.
    g_dSimMax = 0.02;
    g_nSimPosition = 100;
    run.Start();
    EXPECT_FALSE(CSimulationRun::Running());
    EXPECT_EQ(g_nSimPosition, 0);
}

TEST_F(ZelnarSimulation, WaitAndLengthStayBounded)
{
    ZelnarParameters.SA = 1;
    ZelnarParameters.MF = 3;
    run.Start();
    EXPECT_EQ(run.LineWaitMs(), 333);
    run.Pause();
    ZelnarParameters.SA = 30000;
    ZelnarParameters.MF = 1;
    g_dSimMax = 1e300;
    g_nSimPosition = 0;
    run.Start();
    EXPECT_EQ(run.LineWaitMs(), 30000000);
    EXPECT_GT(run.LineCount(), 0);
    EXPECT_LE(run.LineCount(), INT_MAX);
    EXPECT_EQ(run.Line(run.LineCount() - 1), "E02      ");
    run.Pause();
}

TEST(QuorinSimulatedLine, ZerosAfterTheSign)
{
    EXPECT_EQ(CQuorinSimulationRun::FormatLine(12.345, false), "012.345");
    EXPECT_EQ(CQuorinSimulationRun::FormatLine(-3.5, true), "-03.500");
    EXPECT_EQ(CQuorinSimulationRun::FormatLine(123.456, false), "123.456");
    EXPECT_EQ(CQuorinSimulationRun::FormatLine(-1234.5, true), "-1234.500");
    // A value just below zero with noise lifting it above keeps its sign.
    EXPECT_EQ(CQuorinSimulationRun::FormatLine(0.004, true), "-00.004");
    EXPECT_EQ(CQuorinSimulationRun::FormatLine(-0.0, false), "000.000");
}

TEST_F(QuorinSimulation, DefaultRunPositionsAndErrorStretch)
{
    EXPECT_EQ(run.Start(), "");
    EXPECT_EQ(run.LineCount(), 4001);
    EXPECT_EQ(run.LineWaitMs(), 50);
    EXPECT_EQ(run.Line(0), "");
    EXPECT_EQ(run.Line(1), "");
    EXPECT_EQ(run.Line(2), "000.010");
    EXPECT_EQ(run.Line(1001), "010.000");
    EXPECT_EQ(run.Line(1002), "E15  ");
    EXPECT_EQ(run.Line(1500), "E15  ");
    EXPECT_EQ(run.Line(1501), "015.000");
    // The first falling line takes the place of the last rising one.
    EXPECT_EQ(run.Line(2000), "019.990");
    EXPECT_EQ(run.Line(2001), "019.990");
    EXPECT_EQ(run.Line(3000), "010.000");
    EXPECT_EQ(run.Line(3001), "E15  ");
    EXPECT_EQ(run.Line(3499), "E15  ");
    EXPECT_EQ(run.Line(3500), "005.000");
    EXPECT_EQ(run.Line(4000), "000.000");
    run.Pause();
}

TEST_F(QuorinSimulation, NoiseScaleNegativeValuesAndPace)
{
    g_bSimErrors = false;
    QuorinParameters.SF = -1;
    QuorinParameters.SA = 9;
    QuorinParameters.ST = 0;
    CNoise highest({9});
    CQuorinSimulationRun noisy(QuorinParameters, highest.Generator());
    noisy.Start();
    EXPECT_EQ(noisy.LineWaitMs(), 225);
    EXPECT_EQ(noisy.Line(2), "-00.007"); // -0.01 + 9 / (3 * 1000)
    EXPECT_EQ(noisy.Line(2000), "-19.987");
    noisy.Pause();
    QuorinParameters.ST = 3;
    g_nSimPosition = 0;
    noisy.Start();
    EXPECT_EQ(noisy.LineWaitMs(), 1350);
    noisy.Pause();
}

TEST_F(QuorinSimulation, PlaybackIntoTheQuorinLineAndRestLine)
{
    QuorinParameters.SF = 2;
    QuorinParameters.OF = -1;
    g_dSimMin = 0.25;
    g_dSimMax = 0.3;
    run.Start();
    ASSERT_EQ(run.LineCount(), 9);
    g_strQuorinLine = "x";
    EXPECT_TRUE(run.Tick().deliver);
    EXPECT_EQ(g_strQuorinLine, "");
    run.Tick();
    run.Tick();
    EXPECT_EQ(g_strQuorinLine, "-00.480");
    EXPECT_TRUE(run.Pause());
    EXPECT_EQ(g_nSimPosition, 3);
    EXPECT_TRUE(run.Stop());
    EXPECT_EQ(g_strQuorinLine, "-00.500");
    EXPECT_EQ(g_nSimPosition, 0);
}

TEST_F(QuorinSimulation, ParametersWithoutAverageOrScaleStartNothing)
{
    QuorinParameters.SA = 0;
    EXPECT_EQ(run.Start(), ParameterTexts::QuorinSimulatedZero);
    QuorinParameters.SA = 1;
    QuorinParameters.SF = 0;
    EXPECT_EQ(run.Start(), ParameterTexts::QuorinSimulatedZero);
    EXPECT_FALSE(CSimulationRun::Running());
}

TEST_F(ParameterStateTest, OscillationSettingsShowTheRunAndTakeOnlyAValidRange)
{
    const COscillationSettings shown = GetOscillationSettings();
    EXPECT_EQ(shown.strDistanceMax, "20.000");
    EXPECT_EQ(shown.strDistanceMin, "0.000");
    EXPECT_TRUE(shown.bErrors);

    EXPECT_EQ(TakeOscillationSettings({"5", "5", false}), OscillationsInvalidText);
    EXPECT_EQ(TakeOscillationSettings({"1e999", "0", false}), OscillationsInvalidText);
    EXPECT_FALSE(g_bSimulation);
    EXPECT_EQ(g_dSimMax, 20.0);
    EXPECT_TRUE(g_bSimErrors);

    EXPECT_EQ(TakeOscillationSettings({"12.5", "-2", false}), "");
    EXPECT_TRUE(g_bSimulation);
    EXPECT_EQ(g_dSimMax, 12.5);
    EXPECT_EQ(g_dSimMin, -2.0);
    EXPECT_FALSE(g_bSimErrors);
}
