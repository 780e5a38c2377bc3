#include "GaugeGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

// The scale of the Display pages: 3 to 21 mA in 180 steps over 280 degrees.
constexpr GaugeScale CurrentScale{3.0, 21.0, 230, 310, 9, 20};

// A 250 pixel gauge: radius 107, centre (125, 135), ticks from radius 97 inwards to 85.6
// (major) or 91.3 (minor), labels 17 pixels high.
const GaugeFrame Frame250 = GaugeFrameFor(QSize(250, 250));

} // namespace

TEST(GaugeGeometry, FrameFillsTheSmallerSideBelowTheMiddle)
{
    EXPECT_EQ(Frame250.nRadius, 107);
    EXPECT_EQ(Frame250.centre, QPoint(125, 135));
    const GaugeFrame wide = GaugeFrameFor(QSize(300, 200));
    EXPECT_EQ(wide.nRadius, 85);
    EXPECT_EQ(wide.centre, QPoint(150, 108));
    EXPECT_EQ(GaugeFrameFor(QSize(200, 300)).nRadius, 85);
    EXPECT_EQ(GaugeFrameFor(QSize()).nRadius, 0);
}

TEST(GaugeGeometry, NeedlePointsAtTheValueAndStopsAtTheScaleEnds)
{
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, 3.0), 230.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, 12.0), 90.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, 21.0), -50.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, 2.5), 230.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, 30.0), -50.0);
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, infinity), -50.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(CurrentScale, std::nan("")), 230.0);
    // The defaults: 0 to 100 over 270 degrees, the middle straight up.
    EXPECT_DOUBLE_EQ(NeedleAngle(GaugeScale{}, 50.0), 90.0);
}

TEST(GaugeGeometry, ScalesWithoutExtentOrReversedStayDrawable)
{
    GaugeScale scale = CurrentScale;
    scale.dMaximum = scale.dMinimum;
    EXPECT_DOUBLE_EQ(NeedleAngle(scale, 3.0), 230.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(scale, 12.0), 230.0);
    EXPECT_TRUE(GaugeMarks(scale, Frame250).empty());

    const GaugeScale reversed{21.0, 3.0, 230, 310, 9, 20};
    EXPECT_DOUBLE_EQ(NeedleAngle(reversed, 12.0), 90.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(reversed, 3.0), -50.0);
    EXPECT_DOUBLE_EQ(NeedleAngle(reversed, 25.0), 230.0);

    EXPECT_DOUBLE_EQ(GaugeSweep(CurrentScale), 280.0);
    EXPECT_DOUBLE_EQ(GaugeSweep({0, 1, 90, 90, 1, 1}), 360.0);
    EXPECT_DOUBLE_EQ(GaugeSweep({0, 1, 0, 360, 1, 1}), 360.0);
    EXPECT_DOUBLE_EQ(GaugeSweep({0, 1, 300, 60, 1, 1}), 240.0);
    EXPECT_DOUBLE_EQ(GaugeSweep({0, 1, INT_MIN, INT_MAX, 1, 1}), 105.0);

    EXPECT_EQ(GaugeSteps(CurrentScale), 180);
    EXPECT_EQ(GaugeSteps({0, 1, 230, 310, 0, 0}), 1);
    EXPECT_EQ(GaugeSteps({0, 1, 230, 310, 1 << 30, 1 << 30}), 10000);
}

TEST(GaugeGeometry, TicksRunFromTheStartToTheEndAngle)
{
    const std::vector<GaugeTick> ticks = GaugeTicks(CurrentScale, Frame250);
    ASSERT_EQ(ticks.size(), 181u);
    EXPECT_EQ(ticks[0].outer, QPoint(63, 209)); // 230 degrees, major
    EXPECT_EQ(ticks[0].inner, QPoint(70, 201));
    EXPECT_EQ(ticks[10].outer, QPoint(45, 190)); // 4 mA, minor
    EXPECT_EQ(ticks[10].inner, QPoint(50, 187));
    EXPECT_EQ(ticks[90].outer, QPoint(125, 38)); // 12 mA, straight up, minor
    EXPECT_EQ(ticks[90].inner, QPoint(125, 44));
    EXPECT_EQ(ticks[180].outer, QPoint(187, 209)); // -50 degrees, major
    EXPECT_EQ(ticks[180].inner, QPoint(180, 201));
}

TEST(GaugeGeometry, LabelsShowTheMajorValuesBesideTheirTicks)
{
    const std::vector<GaugeLabel> labels = GaugeLabels(CurrentScale, Frame250);
    ASSERT_EQ(labels.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(labels[i].text, QString::number(3 + 2 * i));
    EXPECT_EQ(labels[0].point, QPoint(70, 209));
    EXPECT_EQ(labels[0].anchor, LabelAnchor::BottomLeft);
    EXPECT_EQ(labels[4].point, QPoint(98, 51)); // "11" at 105.6 degrees
    EXPECT_EQ(labels[4].anchor, LabelAnchor::TopLeft);
    EXPECT_EQ(labels[9].point, QPoint(180, 209));
    EXPECT_EQ(labels[9].anchor, LabelAnchor::BottomRight);
}

TEST(GaugeGeometry, LabelAnchorsFollowTheAngleAroundTheDial)
{
    // Major ticks every 20 degrees from 200 down to -20.
    const GaugeScale scale{0.0, 11.0, 200, 340, 11, 2};
    const std::vector<GaugeTick> ticks = GaugeTicks(scale, Frame250);
    const std::vector<GaugeLabel> labels = GaugeLabels(scale, Frame250);
    ASSERT_EQ(labels.size(), 12u);
    struct Expected
    {
        LabelAnchor anchor;
        QPoint offset; // from the tick's inner end, with labels 17 pixels high
    };
    const Expected expected[] = {
        {LabelAnchor::BottomLeft, {0, 8}},    {LabelAnchor::BaselineLeft, {0, 5}},
        {LabelAnchor::BaselineLeft, {0, 8}},  {LabelAnchor::BaselineLeft, {0, 8}},
        {LabelAnchor::TopLeft, {-4, -2}},     {LabelAnchor::TopCentre, {0, 0}},
        {LabelAnchor::BottomRight, {5, 17}},  {LabelAnchor::BottomRight, {5, 17}},
        {LabelAnchor::BaselineRight, {0, 8}}, {LabelAnchor::BaselineRight, {0, 8}},
        {LabelAnchor::BaselineRight, {0, 5}}, {LabelAnchor::BottomRight, {0, 8}},
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(200 - 20 * i);
        EXPECT_EQ(labels[i].anchor, expected[i].anchor);
        EXPECT_EQ(labels[i].point - ticks[2 * i].inner, expected[i].offset);
    }

    // A full turn more is the same dial.
    const std::vector<GaugeLabel> turned = GaugeLabels({0.0, 11.0, 560, 700, 11, 2}, Frame250);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(turned[i].anchor, labels[i].anchor);
        EXPECT_EQ(turned[i].point, labels[i].point);
    }
}

TEST(GaugeGeometry, MarksSitOnTheTicksOfFourAndTwentyMilliamperes)
{
    const std::vector<GaugeMark> marks = GaugeMarks(CurrentScale, Frame250);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].nTick, 10);
    EXPECT_EQ(marks[0].text, "4");
    EXPECT_EQ(marks[0].centre, QPoint(63, 177));
    EXPECT_EQ(marks[1].nTick, 170);
    EXPECT_EQ(marks[1].text, "20");
    EXPECT_EQ(marks[1].centre, QPoint(187, 177));

    // 0 to 100 in 50 steps: 20 is a labelled major tick and keeps its one label.
    const std::vector<GaugeMark> volts = GaugeMarks(GaugeScale{}, Frame250);
    ASSERT_EQ(volts.size(), 2u);
    EXPECT_EQ(volts[0].nTick, 2);
    EXPECT_EQ(volts[0].text, "4");
    EXPECT_EQ(volts[1].nTick, 10);
    EXPECT_TRUE(volts[1].text.isEmpty());

    EXPECT_TRUE(GaugeMarks({5.0, 15.0, 230, 310, 10, 2}, Frame250).empty());
}

TEST(GaugeGeometry, NeedleIsAQuadrilateralFromTailToTip)
{
    const std::array<QPoint, 4> up = NeedlePolygon(Frame250, 90.0);
    EXPECT_EQ(up[0], QPoint(119, 135));
    EXPECT_EQ(up[1], QPoint(125, 33));
    EXPECT_EQ(up[2], QPoint(131, 135));
    EXPECT_EQ(up[3], QPoint(125, 153));
    EXPECT_EQ(NeedlePolygon(Frame250, 230.0)[1], QPoint(60, 213));
}

TEST(GaugeGeometry, TextsSitInTheFreeSectorAndShowTheTrueValue)
{
    EXPECT_EQ(GaugeTextRect(Frame250), QRect(QPoint(72, 156), QPoint(178, 188)));
    EXPECT_EQ(GaugeNumberText(12.0, 2), "12.00");
    EXPECT_EQ(GaugeNumberText(2.5, 2), "2.50");
    EXPECT_EQ(GaugeNumberText(3.4, -3), "3");
    EXPECT_EQ(GaugeNumberText(1.0, 1000), "1.000000000000000");
}
