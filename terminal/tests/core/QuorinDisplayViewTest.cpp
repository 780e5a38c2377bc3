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

    void Take(std::string_view line, bool temperature = false)
    {
        view.Take(display.Decode(line, "d", temperature, QuorinParameters, false));
    }

    CQuorinDisplay display;
    CQuorinDisplayView view;
};

TEST_F(QuorinDisplayView, ManyLinesShowTheLastValuesAndEveryCountOnlyWhereTheyChanged)
{
    // It starts as the page's controls start.
    EXPECT_TRUE(Show(view).IsEmpty());

    for (const char* line : {"007.000", "E16", "E53", "E16", "012.345", "E02", "E16", "015.000"})
        Take(line);
    CShown shown = Show(view);
    EXPECT_EQ(shown.distance, "015.000");
    EXPECT_EQ(shown.unit, "m");
    ASSERT_TRUE(shown.current);
    EXPECT_NEAR(*shown.current, 16.0, 1e-9);
    // On inside the window at 7 m, off outside at 15 m: the lamp shows off already.
    EXPECT_EQ(shown.q1On, std::nullopt);
    EXPECT_EQ(shown.red, std::nullopt);
    EXPECT_EQ(shown.counts, (std::map<std::string, std::string>{{"E16", "3"}, {"E53", "1"}}));

    Take("015.000");
    EXPECT_TRUE(Show(view).IsEmpty());

    // SE 1 puts the error's fixed 3 mA over the reading's current.
    Take("012.345");
    Take("E15");
    shown = Show(view);
    EXPECT_EQ(shown.current, 3.0);
    EXPECT_EQ(shown.distance, "E15");
    EXPECT_FALSE(shown.unit);

    // A temperature answer changes only the temperature; the error text stays.
    Take("23.5", true);
    shown = Show(view);
    EXPECT_EQ(shown.temperature, "23.5");
    EXPECT_FALSE(shown.distance);
    EXPECT_EQ(view.Distance().Get(), "E15");
}

} // namespace
