#include "GraphTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

COLORREF ColumnColour(int index)
{
    return RGBQUADToCOLORREF(DefaultColorTable[index]);
}

CCSVTable2Graph GraphOf(CCSVTable& table)
{
    CCSVTable2Graph graph(&table);
    graph.m_Clock = [] { return FixedNow; };
    return graph;
}

RecordingContext Record(CCSVTable2Graph& graph)
{
    RecordingContext target;
    EXPECT_TRUE(graph.Draw(&target));
    return target;
}

std::vector<long> Args(const GraphCall& call)
{
    switch (call.kind) {
    case GraphCall::Prepare:
        return {call.a, call.b};
    case GraphCall::DrawString:
        return {call.a, call.b, call.c};
    default:
        return {call.a, call.b, call.c, call.d};
    }
}

GraphCall FindText(const RecordingContext& target, const std::string& text)
{
    for (const GraphCall& call : target.calls) {
        if (call.kind == GraphCall::DrawString && call.text == text)
            return call;
    }
    ADD_FAILURE() << "no text " << text;
    return GraphCall(GraphCall::Finish);
}

// Milliseconds of 01.02.2024 10:00:00 UTC plus the seconds.
std::int64_t AfterTen(int seconds)
{
    return (FixedNow + seconds) * std::int64_t{1000};
}

} // namespace

TEST(CSVTable2Graph, SizesAndRangesAreTakenInEitherOrder)
{
    CCSVTable2Graph graph;
    graph.SetSize(5, 0);
    EXPECT_EQ(graph.m_nWidth, 16);
    EXPECT_EQ(graph.m_nHeight, 16);
    graph.SetRange(3, 1, 7, 9);
    EXPECT_TRUE(graph.m_bRangeSet);
    EXPECT_EQ(graph.m_dXRangeMin, 1);
    EXPECT_EQ(graph.m_dXRangeMax, 3);
    EXPECT_EQ(graph.m_dYRangeMin, 7);
    EXPECT_EQ(graph.m_dYRangeMax, 9);
}

TEST(CSVTable2Graph, WithoutTargetOrTableNothingIsDrawn)
{
    CCSVTable2Graph graph;
    RecordingContext target;
    EXPECT_FALSE(graph.Draw(&target));
    EXPECT_TRUE(target.calls.empty());
    TestTable data;
    EXPECT_FALSE(graph.Draw(nullptr, &data.table));
}

TEST(CSVTable2Graph, HeaderLegendAndFrameFollowTheHeight)
{
    TestTable data;
    data.AddColumn("Distance (m)");
    data.AddColumn("Speed (m/s)");
    data.AddColumn("Level");
    data.AddLine(0, {1, 2, 3});
    data.AddLine(1, {2, 3, 4});
    data.table.m_strTitle = "Run";
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);

    // a = 20, b = 15, m = 12, s = 26; three columns make two legend rows, so the header is
    // 2 * 15 + 7 + 26 = 63 high.
    const std::vector<GraphCall>& calls = target.calls;
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0].kind, GraphCall::Prepare);
    EXPECT_EQ(Args(calls[0]), (std::vector<long>{800, 600}));
    EXPECT_EQ(calls[1].kind, GraphCall::FillRect);
    EXPECT_EQ(Args(calls[1]), (std::vector<long>{0, 63, 799, 599}));
    EXPECT_EQ(RGBQUADToCOLORREF(calls[1].rgb), 0xEEEEEEu);
    EXPECT_EQ(calls[2].kind, GraphCall::FillRect);
    EXPECT_EQ(Args(calls[2]), (std::vector<long>{0, 0, 799, 63}));
    EXPECT_EQ(RGBQUADToCOLORREF(calls[2].rgb), 0xFFFFFFu);
    EXPECT_EQ(calls[3].text, "Run");
    EXPECT_EQ(Args(calls[3]), (std::vector<long>{12, 20, 20}));
    EXPECT_EQ(calls[3].font, "Courier");
    EXPECT_EQ(calls[4].text, "01.02.2024 / 10:00:00");
    EXPECT_EQ(Args(calls[4]), (std::vector<long>{412, 20, 20}));
    EXPECT_EQ(calls[5].kind, GraphCall::DrawLine);
    EXPECT_EQ(Args(calls[5]), (std::vector<long>{0, 799, 26, 26}));
    const RECT& frame = graph.m_rcFrame;
    EXPECT_EQ((std::vector<long>{frame.left, frame.top, frame.right, frame.bottom}),
              (std::vector<long>{12, 75, 787, 587}));

    // Legend rows at s + b and s + 2b, left and right; each in its column's colour.
    EXPECT_EQ(Args(FindText(target, "Distance (m)")), (std::vector<long>{12, 41, 15}));
    EXPECT_EQ(Args(FindText(target, "Speed (m/s)")), (std::vector<long>{412, 41, 15}));
    EXPECT_EQ(Args(FindText(target, "Level")), (std::vector<long>{12, 56, 15}));
    EXPECT_EQ(RGBQUADToCOLORREF(FindText(target, "Level").rgb), ColumnColour(2));

    // The header closes half a row below the last legend row and is halved.
    const std::size_t n = calls.size();
    EXPECT_EQ(calls[n - 1].kind, GraphCall::Finish);
    EXPECT_EQ(Args(calls[n - 3]), (std::vector<long>{0, 799, 63, 63}));
    EXPECT_EQ(Args(calls[n - 2]), (std::vector<long>{400, 400, 0, 63}));
}

// A graph control on a page of normal size is some 230 pixels high, where a fiftieth of the
// height would give labels of 4 pixels.
TEST(CSVTable2Graph, NoTextIsSmallerThanNinePixelsAndTheLayoutMakesRoomForIt)
{
    TestTable data;
    data.AddColumn("Distance (m)");
    for (int i = 0; i < 20; ++i)
        data.AddLine(i, {i * 0.1});
    for (const int height : {16, 100, 231, 449}) {
        SCOPED_TRACE(height);
        CCSVTable2Graph graph = GraphOf(data.table);
        graph.SetSize(613, height);
        const RecordingContext target = Record(graph);
        std::size_t texts = 0;
        for (const GraphCall& call : target.calls) {
            if (call.kind != GraphCall::DrawString)
                continue;
            ++texts;
            EXPECT_GE(Args(call)[2], 9) << call.text;
        }
        EXPECT_GT(texts, 3u);
        EXPECT_EQ(graph.m_rcFrame.bottom, height - 10) << "a margin of 9 below";
        if (height < 270) {
            // Title 9, one legend row 9: the separator at 12, the header 9 + 4 + 12 high, and
            // the frame a margin of 9 inside the rest.
            EXPECT_EQ(graph.m_rcHeader.bottom, 25);
            EXPECT_EQ(graph.m_rcFrame.top, 34);
            EXPECT_EQ(graph.m_rcFrame.left, 9);
        }
    }
    // From 450 pixels on the picture's proportions alone: a = 15, b = 11, m = 9, s = 20.
    CCSVTable2Graph graph = GraphOf(data.table);
    graph.SetSize(800, 450);
    const RecordingContext target = Record(graph);
    EXPECT_EQ(Args(FindText(target, "Distance (m)")), (std::vector<long>{9, 31, 11}));
    EXPECT_EQ(graph.m_rcHeader.bottom, 36);
    EXPECT_EQ(graph.m_rcFrame.top, 45);
    EXPECT_EQ(graph.m_rcFrame.bottom, 440);
}

TEST(CSVTable2Graph, FrameOfTwoColumnsAtHeight600)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("B");
    data.AddLine(0, {1, 2});
    CCSVTable2Graph graph = GraphOf(data.table);
    Record(graph);
    EXPECT_EQ(graph.m_rcPlot.top, 48);
    EXPECT_EQ(graph.m_rcFrame.top, 60);
    EXPECT_EQ(graph.m_rcFrame.bottom, 587);
}

TEST(CSVTable2Graph, EmptyTableDrawsTheHeaderAlone)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("B");
    data.AddColumn("C");
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);
    std::vector<GraphCall::Kind> kinds;
    for (const GraphCall& call : target.calls)
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<GraphCall::Kind>{
                         GraphCall::Prepare, GraphCall::FillRect, GraphCall::FillRect,
                         GraphCall::DrawString, GraphCall::DrawString, GraphCall::DrawLine,
                         GraphCall::DrawLine, GraphCall::DrawLine, GraphCall::Finish}));
    // Without legend rows the closing line is half a row below the separator: 26 + 7.
    EXPECT_EQ(Args(target.calls[6]), (std::vector<long>{0, 799, 33, 33}));
    EXPECT_EQ(Args(target.calls[7]), (std::vector<long>{400, 400, 0, 33}));
}

TEST(CSVTable2Graph, NiceStepsGiveTheLabelsAndTheirDecimals)
{
    struct Case
    {
        double low;
        double high;
        std::vector<std::string> labels;
    };
    // Displayed range = data range * 1.26: 12.6 gives steps of 1, 252 of 50.
    const std::vector<Case> cases{
        {0, 10, {"-1", "11"}},
        {0, 200, {"0", "50", "100", "150", "200"}},
    };
    for (const Case& c : cases) {
        TestTable data;
        data.AddColumn("A");
        data.AddLine(0, {c.low});
        data.AddLine(1, {c.high});
        CCSVTable2Graph graph = GraphOf(data.table);
        const RecordingContext target = Record(graph);
        const std::vector<std::string> labels = target.TextsIn(graph.m_rgbAxis);
        ASSERT_FALSE(labels.empty());
        if (c.labels.size() == 2) {
            EXPECT_EQ(labels.front(), c.labels.front());
            EXPECT_EQ(labels.back(), c.labels.back());
        } else {
            EXPECT_EQ(labels, c.labels);
        }
    }
    // Steps of 0.01 from -0.02, added up, every label with two decimals and none "-0.00".
    TestTable data;
    data.AddColumn("A");
    data.AddLine(0, {0});
    data.AddLine(1, {0.2});
    CCSVTable2Graph graph = GraphOf(data.table);
    const std::vector<std::string> labels = Record(graph).TextsIn(graph.m_rgbAxis);
    ASSERT_GE(labels.size(), 24u);
    EXPECT_EQ(labels[0], "-0.02");
    EXPECT_EQ(labels[1], "-0.01");
    EXPECT_EQ(labels[2], "0.00");
    EXPECT_EQ(labels[10], "0.08");
    for (const std::string& label : labels)
        EXPECT_EQ(label.size() - label.find('.'), 3u) << label;
}

TEST(CSVTable2Graph, NumericXAxisHasGridLinesAndOneLineLabels)
{
    TestTable data;
    data.AddColumn("A");
    for (int x = 0; x <= 10; ++x)
        data.AddLine(x, {1.0 * x});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);

    // X 0..10 is shown from -1.3 to 11.3: ticks -1..11 of step 1, labels at the frame bottom.
    const std::vector<std::string> labels = target.TextsIn(graph.m_rgbGrid);
    ASSERT_EQ(labels.size(), 13u);
    EXPECT_EQ(labels.front(), "-1");
    EXPECT_EQ(labels.back(), "11");
    const GraphCall zero = FindText(target, "0");
    EXPECT_EQ(zero.b, graph.m_rcFrame.bottom);
    EXPECT_EQ(zero.c, 12);

    // Grid lines run from the frame's top to its bottom; the one at 0 is doubled.
    const std::vector<GraphCall> grid = target.LinesIn(RGBQUADToCOLORREF(graph.m_rgbGrid));
    ASSERT_EQ(grid.size(), 14u);
    const long zeroX = static_cast<long>(1.3 / 12.6 * 775 + 12);
    EXPECT_EQ(zero.a, zeroX);
    bool doubled = false;
    for (std::size_t i = 0; i + 1 < grid.size(); ++i) {
        EXPECT_EQ(grid[i].a, grid[i].b);
        EXPECT_EQ(grid[i].c, 60);
        EXPECT_EQ(grid[i].d, 587);
        doubled |= grid[i].a == zeroX && grid[i + 1].a == zeroX - 1;
    }
    EXPECT_TRUE(doubled);
    EXPECT_DOUBLE_EQ(data.table.m_XAxis.m_Low, -1.3);
    EXPECT_DOUBLE_EQ(data.table.m_XAxis.m_High, 11.3);
}

TEST(CSVTable2Graph, SharedValueAxisIsLabelledInTheAxisColour)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("B");
    data.AddLine(0, {0, 5});
    data.AddLine(1, {10, 7});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);

    // Labels at the frame's left in the axis colour, just above their grid line; the zero
    // line is doubled: grid and tick mark again one pixel higher.
    const std::vector<std::string> labels = target.TextsIn(graph.m_rgbAxis);
    EXPECT_EQ(labels.front(), "-1");
    EXPECT_EQ(labels.back(), "11");
    const GraphCall zero = FindText(target, "0");
    EXPECT_EQ(zero.a, 12);
    EXPECT_EQ(RGBQUADToCOLORREF(zero.rgb), RGBQUADToCOLORREF(graph.m_rgbAxis));
    // Light grid = pale + (axis - pale) / 6, strong tick = pale + (axis - pale) / 3.
    const COLORREF light = RGBQUADToCOLORREF(RGBQuad(0xEE, 0xE6, 0xE6));
    const COLORREF strong = RGBQUADToCOLORREF(RGBQuad(0xEE, 0xDD, 0xDD));
    const std::vector<GraphCall> grid = target.LinesIn(light);
    const std::vector<GraphCall> ticks = target.LinesIn(strong);
    ASSERT_EQ(grid.size(), 14u);
    ASSERT_EQ(ticks.size(), 14u);
    for (const GraphCall& line : grid)
        EXPECT_EQ(std::make_pair(line.a, line.b), std::make_pair(12L, 787L));
    const long zeroY = static_cast<long>(587 - 1.3 / 12.6 * 527);
    EXPECT_EQ(zero.b, zeroY);
    int atZero = 0;
    for (const GraphCall& tick : ticks) {
        EXPECT_EQ(std::make_pair(tick.a, tick.b), std::make_pair(12L, 787L));
        atZero += tick.c == zeroY || tick.c == zeroY - 1;
    }
    EXPECT_EQ(atZero, 2);
}

TEST(CSVTable2Graph, SeparateValueAxesSplitTheFrameIntoStrips)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("B");
    data.AddColumn("C");
    data.AddLine(0, {0, 100, -5});
    data.AddLine(1, {1, 300, 5});
    CCSVTable2Graph graph = GraphOf(data.table);
    graph.SetAxis(0, 0, 10, 7, true, false);
    const RecordingContext target = Record(graph);

    // Frame 12..787: strips of 775 / 3 = 258 pixels, tick marks 25 long.
    for (int i = 0; i < 3; ++i) {
        const long left = 12 + 258 * i;
        const RGBQUAD colour = DefaultColorTable[i];
        const std::vector<std::string> labels = target.TextsIn(colour);
        ASSERT_GT(labels.size(), 2u) << i; // the legend text and the axis labels
        for (const GraphCall& call : target.Of(GraphCall::DrawString)) {
            if (RGBQUADToCOLORREF(call.rgb) == RGBQUADToCOLORREF(colour) && call.c == 12) {
                EXPECT_EQ(call.a, left) << i;
            }
        }
        const RGBQUAD pale = graph.m_rgbPlotBack;
        const auto blend = [&](int c, int p) { return static_cast<std::uint8_t>(p + (c - p) / 3); };
        const COLORREF strong = RGBQUADToCOLORREF(RGBQuad(blend(colour.rgbRed, pale.rgbRed),
                                                          blend(colour.rgbGreen, pale.rgbGreen),
                                                          blend(colour.rgbBlue, pale.rgbBlue)));
        const std::vector<GraphCall> ticks = target.LinesIn(strong);
        ASSERT_FALSE(ticks.empty()) << i;
        for (const GraphCall& tick : ticks)
            EXPECT_EQ(std::make_pair(tick.a, tick.b), std::make_pair(left, left + 25)) << i;
    }
    EXPECT_TRUE(target.TextsIn(graph.m_rgbAxis).empty());
    // Each column keeps its own scale: B's labels are in the hundreds.
    const std::vector<std::string> b = target.TextsIn(DefaultColorTable[1]);
    EXPECT_EQ(b.front(), "100");
    EXPECT_EQ(b.back(), "B");
}

TEST(CSVTable2Graph, ConstantColumnOnItsOwnAxisRunsThroughTheMiddle)
{
    TestTable data;
    data.AddColumn("A");
    for (int x = 0; x < 5; ++x)
        data.AddLine(x, {5});
    CCSVTable2Graph graph = GraphOf(data.table);
    graph.SetAxis(0, 0, 10, 7, true, false);
    const RecordingContext target = Record(graph);
    const std::vector<GraphCall> curve = target.LinesIn(ColumnColour(0));
    ASSERT_EQ(curve.size(), 4u);
    // Frame 60..587 (one column): the middle is 587 - 527 / 2.
    for (const GraphCall& segment : curve) {
        EXPECT_EQ(segment.c, 323);
        EXPECT_EQ(segment.d, 323);
    }
    EXPECT_EQ(curve.front().a, 91);
    EXPECT_DOUBLE_EQ(data.table[0]->m_Low, 5 - 1.3 / 7);
}

TEST(CSVTable2Graph, ColumnsAreDrawnInOrderOneLinePerSegment)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("B");
    data.AddLine(0, {1, 4});
    data.AddLine(1, {2, 3});
    data.AddLine(2, {3, 2});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);
    std::vector<int> order;
    for (const GraphCall& call : target.calls) {
        if (call.kind == GraphCall::DrawLine && call.colour == ColumnColour(0))
            order.push_back(0);
        if (call.kind == GraphCall::DrawLine && call.colour == ColumnColour(1))
            order.push_back(1);
    }
    EXPECT_EQ(order, (std::vector<int>{0, 0, 1, 1}));
    const std::vector<GraphCall> a = target.LinesIn(ColumnColour(0));
    EXPECT_EQ(a[0].b, a[1].a);
    EXPECT_EQ(a[0].d, a[1].c);
    EXPECT_LT(a[1].d, a[0].c); // rising values go up the picture
}

TEST(CSVTable2Graph, NonFiniteValuesAreBridged)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("Single");
    data.AddLine(0, {NaN, NaN});
    data.AddLine(1, {1, NaN});
    data.AddLine(2, {NaN, 7});
    data.AddLine(3, {Infinity, NaN});
    data.AddLine(4, {3, NaN});
    data.AddLine(5, {-Infinity, NaN});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);
    const std::vector<GraphCall> a = target.LinesIn(ColumnColour(0));
    ASSERT_EQ(a.size(), 1u);
    const double xLow = data.table.m_XAxis.m_Low;
    const double xRange = data.table.m_XAxis.m_Range;
    EXPECT_EQ(a[0].a, static_cast<long>((1 - xLow) / xRange * 775 + 12));
    EXPECT_EQ(a[0].b, static_cast<long>((4 - xLow) / xRange * 775 + 12));
    // A column with a single finite value draws nothing.
    EXPECT_TRUE(target.LinesIn(ColumnColour(1)).empty());
}

TEST(CSVTable2Graph, TimeAxisLabelsStandInTwoLines)
{
    TestTable data(CSVFormatTime);
    data.AddColumn("A");
    for (int i = 0; i < 10; ++i)
        data.AddTimeLine(AfterTen(10 * i), {1.0 * i});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);

    // 90 s at 10 ticks: steps of 10 s, labelled with date and time, no margin on the axis.
    std::vector<GraphCall> labels;
    for (const GraphCall& call : target.Of(GraphCall::DrawString)) {
        if (RGBQUADToCOLORREF(call.rgb) == RGBQUADToCOLORREF(graph.m_rgbGrid))
            labels.push_back(call);
    }
    ASSERT_EQ(labels.size(), 20u);
    EXPECT_EQ(labels[0].text, "01.02.2024");
    EXPECT_EQ(Args(labels[0]), (std::vector<long>{12, 587 - 12, 12}));
    EXPECT_EQ(labels[1].text, "10:00:00");
    EXPECT_EQ(Args(labels[1]), (std::vector<long>{12, 587, 12}));
    EXPECT_EQ(labels[19].text, "10:01:30");
    EXPECT_EQ(labels[19].a, 787);
    EXPECT_EQ(data.table.m_TimeScale.m_Low, AfterTen(0));
    const std::vector<GraphCall> curve = target.LinesIn(ColumnColour(0));
    ASSERT_EQ(curve.size(), 9u);
    EXPECT_EQ(curve.front().a, 12);
    EXPECT_EQ(curve.back().b, 787);
}

TEST(CSVTable2Graph, RelativeTimeAxisCountsFromZero)
{
    TestTable data(CSVFormatRelativeTime);
    data.AddColumn("A");
    for (int i = 0; i <= 3; ++i)
        data.AddTimeLine(30000 * i, {1.0 * i});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);
    const std::vector<std::string> labels = target.TextsIn(graph.m_rgbGrid);
    ASSERT_EQ(labels.size(), 20u);
    EXPECT_EQ(labels[0], "");
    EXPECT_EQ(labels[1], "0s");
    EXPECT_EQ(labels[3], "10s");
    EXPECT_EQ(labels[19], "90s");
    // The tick at time 0 gets a second grid line beside it.
    const std::vector<GraphCall> grid = target.LinesIn(RGBQUADToCOLORREF(graph.m_rgbGrid));
    ASSERT_EQ(grid.size(), 11u);
    EXPECT_EQ(grid[0].a, 12);
    EXPECT_EQ(grid[1].a, 11);
}

TEST(CSVTable2Graph, IncludeZeroWidensTheValueAxis)
{
    TestTable data;
    data.AddColumn("A");
    data.AddLine(0, {5});
    data.AddLine(1, {10});
    CCSVTable2Graph graph = GraphOf(data.table);
    graph.SetAxis(0, 0, 10, 10, false, true);
    const RecordingContext target = Record(graph);
    EXPECT_DOUBLE_EQ(data.table.m_ValueAxis.m_Low, -1.3);
    EXPECT_EQ(target.TextsIn(graph.m_rgbAxis).front(), "-1");
    // The data extremes stay the table's.
    EXPECT_EQ(data.table.m_ValueAxis.m_Min, 5);
}

TEST(CSVTable2Graph, FixedRangeShowsFromTheFirstDrawingAndSharesTheAxis)
{
    TestTable data;
    data.AddColumn("A");
    data.AddColumn("B");
    data.AddLine(2, {3, 30});
    data.AddLine(4, {7, 70});
    CCSVTable2Graph graph = GraphOf(data.table);
    graph.SetAxis(0, 0, 10, 10, true, false);
    graph.SetRange(10, 0, 0, 100);
    const RecordingContext target = Record(graph);
    EXPECT_DOUBLE_EQ(data.table.m_XAxis.m_Low, -1.3);
    EXPECT_DOUBLE_EQ(data.table.m_XAxis.m_High, 11.3);
    EXPECT_DOUBLE_EQ(data.table.m_ValueAxis.m_Low, -13);
    EXPECT_DOUBLE_EQ(data.table.m_ValueAxis.m_High, 113);
    EXPECT_EQ(data.table.m_ValueAxis.m_Min, 3);
    EXPECT_EQ(data.table.m_ValueAxis.m_Max, 70);
    EXPECT_EQ(data.table[0]->m_Max, 7);
    // One shared axis in the axis colour, although separate axes were asked for.
    EXPECT_EQ(target.TextsIn(graph.m_rgbAxis).front(), "-10");
    EXPECT_EQ(target.TextsIn(DefaultColorTable[0]), std::vector<std::string>{"A"});
}

TEST(CSVTable2Graph, ColoursBeyondTheTableRepeat)
{
    TestTable data;
    for (int i = 0; i < 16; ++i)
        data.AddColumn("C" + std::to_string(i));
    data.AddLine(0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    data.AddLine(1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    CCSVTable2Graph graph = GraphOf(data.table);
    const RecordingContext target = Record(graph);
    EXPECT_EQ(RGBQUADToCOLORREF(FindText(target, "C14").rgb), ColumnColour(0));
    EXPECT_EQ(RGBQUADToCOLORREF(FindText(target, "C15").rgb), ColumnColour(1));
    EXPECT_EQ(target.LinesIn(ColumnColour(1)).size(), 2u);
}

TEST(CSVTable2Graph, DegenerateSettingsAndValuesStayInsideTheIntRange)
{
    // Tick counts below 1 count as 1.
    {
        TestTable data;
        data.AddColumn("A");
        data.AddLine(0, {0});
        data.AddLine(1, {1});
        CCSVTable2Graph graph = GraphOf(data.table);
        graph.SetAxis(0, 0, 0, -3, false, false);
        const RecordingContext target = Record(graph);
        EXPECT_DOUBLE_EQ(data.table.m_XAxis.m_Low, -1.3);
        EXPECT_EQ(target.TextsIn(graph.m_rgbGrid), std::vector<std::string>{"0"});
    }
    // A logarithm base of 1 has no usable range: every point maps to the frame's middle.
    {
        TestTable data;
        data.AddColumn("A");
        data.AddLine(1, {2});
        data.AddLine(2, {3});
        CCSVTable2Graph graph = GraphOf(data.table);
        graph.SetAxis(1, 1, 10, 10, false, false);
        const std::vector<GraphCall> curve = Record(graph).LinesIn(ColumnColour(0));
        ASSERT_EQ(curve.size(), 1u);
        EXPECT_EQ(Args(curve[0]), (std::vector<long>{399, 399, 323, 323}));
    }
    // Values far outside a fixed range are clamped; a range no nice step reaches gets no
    // ticks, and the curve is still drawn.
    {
        TestTable data;
        data.AddColumn("A");
        data.AddLine(0, {-1e300});
        data.AddLine(1, {1e300});
        data.AddLine(1e300, {0});
        CCSVTable2Graph graph = GraphOf(data.table);
        RecordingContext unbounded = Record(graph);
        EXPECT_TRUE(unbounded.TextsIn(graph.m_rgbAxis).empty());
        EXPECT_TRUE(unbounded.TextsIn(graph.m_rgbGrid).empty());
        EXPECT_EQ(unbounded.LinesIn(ColumnColour(0)).size(), 2u);

        graph.SetRange(0, 1, 0, 1);
        const std::vector<GraphCall> curve = Record(graph).LinesIn(ColumnColour(0));
        ASSERT_EQ(curve.size(), 2u);
        EXPECT_EQ(curve[0].c, INT_MAX);
        EXPECT_EQ(curve[0].d, INT_MIN);
        EXPECT_EQ(curve[1].b, INT_MAX);
    }
    // Time stamps centuries apart: the time axis gets no ticks rather than hundreds of
    // thousands; the curve is drawn.
    {
        TestTable data(CSVFormatTime);
        data.AddColumn("A");
        data.AddTimeLine(1, {1});
        data.AddTimeLine(std::int64_t{1} << 55, {2});
        CCSVTable2Graph graph = GraphOf(data.table);
        const RecordingContext target = Record(graph);
        EXPECT_TRUE(target.TextsIn(graph.m_rgbGrid).empty());
        EXPECT_EQ(target.LinesIn(ColumnColour(0)).size(), 1u);
    }
}

TEST(CSVTable2Graph, ColorScaleStepsBetweenColours)
{
    EXPECT_EQ(ColorScale(0x000000, 0xFFFFFF, 0, 3, 255, 0), 0u);
    EXPECT_EQ(ColorScale(0x000000, 0xFF8040, 4, 1, 255, 0), 0x3F2010u);
    EXPECT_EQ(ColorScale(0x102030, 0x000000, 2, 1, 255, 0), 0x081018u);
    // Below 255 the result is blended toward the background by alpha / 255.
    EXPECT_EQ(ColorScale(0x000000, 0xFFFFFF, 1, 1, 0, 0x204060), 0x204060u);
    EXPECT_EQ(ColorScale(0x000000, 0xFFFFFF, 1, 1, 51, 0x000000), 0x333333u);
    // Only the low eight bits of each channel are kept, also for large indexes.
    EXPECT_EQ(ColorScale(0x000000, 0x0000FF, 1, 2, 255, 0), 0x0000FEu);
    EXPECT_EQ(ColorScale(0x000000, 0x0000FF, 1, INT_MAX, 255, 0), 0x000001u);
    EXPECT_EQ(RGBQUADToCOLORREF(DefaultColorTable[0]), 0xFF1111u);
    EXPECT_EQ(RGBQUADToCOLORREF(DefaultColorTable[13]), 0x888888u);
}
