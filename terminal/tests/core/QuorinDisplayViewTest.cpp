#include "QuorinDisplayView.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

// What one round of showing put on the controls; a control left untouched has no entry.
struct CShown
{
    std::optional<bool> red;
    std::optional<std::string> unit;
    std::optional<std::string> distance;
    std::optional<std::string> temperature;
    std::optional<double> current;
    std::optional<bool> q1On;
    std::map<std::string, std::string> counts; // code → text

    bool IsEmpty() const
    {
        return !red && !unit && !distance && !temperature && !current && !q1On && counts.empty();
    }
};

CShown Show(CQuorinDisplayView& view)
{
    CShown shown;
    view.RedText().ShowChange([&](bool red) { shown.red = red; });
    view.DistanceUnit().ShowChange([&](std::string_view unit) { shown.unit = unit; });
    view.Distance().ShowChange([&](const std::string& text) { shown.distance = text; });
    view.Temperature().ShowChange([&](const std::string& text) { shown.temperature = text; });
    view.Current().ShowChange([&](double current) { shown.current = current; });
    view.Q1On().ShowChange([&](bool on) { shown.q1On = on; });
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        view.Count(i).ShowChange([&](const std::string& text) {
            shown.counts[std::string(QuorinErrorCodes[i].strCode)] = text;
        });
    }
    return shown;
}

class QuorinDisplayView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        QuorinParameters.SF = 1.0;
        QuorinParameters.RE = 20;
        QuorinParameters.AC = 5;
        QuorinParameters.AW = 4;
        QuorinParameters.SE = 1;
    }
    void TearDown() override { ResetParameterRecords(); }

    void Take(std::string_view line, bool temperature = false, bool simulation = false)
    {
        view.Take(display.Decode(line, "d", temperature, QuorinParameters, simulation));
    }

    CQuorinDisplay display;
    CQuorinDisplayView view;
};

TEST_F(QuorinDisplayView, StartsAsThePageStartsWithNothingToShow)
{
    EXPECT_TRUE(Show(view).IsEmpty());
    EXPECT_EQ(view.Current().Get(), 3.0);
    EXPECT_EQ(view.Count(0).Get(), "0");
    EXPECT_FALSE(view.TakeRedraw());
}

TEST_F(QuorinDisplayView, ManyLinesShowTheLastValuesAndEveryCount)
{
    Take("007.000");
    Take("E16");
    Take("E53");
    Take("E16");
    Take("23.5", true);
    Take("012.345");
    Take("E02"); // shown, never counted
    Take("E16");
    Take("015.000");

    const CShown shown = Show(view);
    EXPECT_EQ(shown.distance, "015.000");
    EXPECT_EQ(shown.unit, "m");
    // The distance reading after the temperature answer emptied it again.
    EXPECT_EQ(shown.temperature, std::nullopt);
    ASSERT_TRUE(shown.current);
    EXPECT_NEAR(*shown.current, 16.0, 1e-9);
    // Inside the window at 7 m, outside at 15 m: the output ends off, as the lamp already is.
    EXPECT_EQ(shown.q1On, std::nullopt);
    EXPECT_EQ(shown.red, std::nullopt);
    EXPECT_EQ(shown.counts, (std::map<std::string, std::string>{{"E16", "3"}, {"E53", "1"}}));
}

TEST_F(QuorinDisplayView, OnlyWhatChangedSinceTheLastShowIsShownAgain)
{
    Take("012.345");
    Take("E15");
    // SE 1 puts the error's fixed 3 mA over the reading's current: the gauge shows it already.
    EXPECT_EQ(Show(view).current, std::nullopt);
    EXPECT_EQ(view.Current().Get(), 3.0);

    Take("012.345");
    const CShown again = Show(view);
    EXPECT_EQ(again.distance, "012.345"); // the error text stood there
    ASSERT_TRUE(again.current);
    EXPECT_NEAR(*again.current, 13.876, 1e-9);
    EXPECT_TRUE(again.counts.empty());
    EXPECT_FALSE(again.unit);

    Take("012.345");
    EXPECT_TRUE(Show(view).IsEmpty());

    // A temperature answer changes only the temperature; the distance stays.
    Take("23.5", true);
    const CShown temperature = Show(view);
    EXPECT_EQ(temperature.temperature, "23.5");
    EXPECT_FALSE(temperature.distance);
    EXPECT_EQ(view.Distance().Get(), "012.345");
}

TEST_F(QuorinDisplayView, LampRedTextAndRedrawFollowTheLines)
{
    Take("007.000", false, true);
    CShown shown = Show(view);
    EXPECT_EQ(shown.q1On, true);
    EXPECT_EQ(shown.red, true);
    EXPECT_TRUE(view.TakeRedraw());
    EXPECT_FALSE(view.TakeRedraw());

    // SE 2 switches an inside alarm on: the lamp stays as shown; leaving the simulation
    // turns the text black again.
    QuorinParameters.SE = 2;
    Take("E15");
    shown = Show(view);
    EXPECT_FALSE(shown.q1On);
    EXPECT_EQ(shown.red, false);
    EXPECT_EQ(shown.current, 21.0);
    EXPECT_FALSE(view.TakeRedraw());
}

TEST_F(QuorinDisplayView, ClearedCountsLeaveNothingToShowAndCountAgain)
{
    for (int i = 0; i < 5; ++i)
        Take("E23");
    EXPECT_EQ(view.Count(5).Get(), "5");
    ASSERT_EQ(QuorinErrorCodes[5].strCode, "E23");
    display.ErrorCounts().Clear();
    view.ClearCounts();
    EXPECT_TRUE(Show(view).counts.empty());
    EXPECT_EQ(view.Count(5).Get(), "0");
    Take("E23");
    EXPECT_EQ(Show(view).counts, (std::map<std::string, std::string>{{"E23", "1"}}));
}

} // namespace
