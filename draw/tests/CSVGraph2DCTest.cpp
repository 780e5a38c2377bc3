#include "GraphTestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <string>

namespace {

constexpr QRgb White = 0xFFFFFFFF;

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

// The pixels that are not white, as "x,y" texts.
std::set<std::string> Marked(const QImage& image)
{
    std::set<std::string> marked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != White)
                marked.insert(std::to_string(x) + "," + std::to_string(y));
        }
    }
    return marked;
}

} // namespace

TEST(CSVGraph2DC, RectanglesLeaveOutTheirRightAndBottomEdges)
{
    QImage image = Blank(6, 6);
    {
        QPainter painter(&image);
        CCSVGraph2DC dc(&painter);
        RECT rect{1, 1, 3, 4};
        dc.FillRect(&rect, RGBQuad(0, 0, 0));
        RECT empty{4, 4, 4, 5};
        dc.FillRect(&empty, RGBQuad(0, 0, 0));
    }
    EXPECT_EQ(Marked(image), (std::set<std::string>{"1,1", "2,1", "1,2", "2,2", "1,3", "2,3"}));
}

TEST(CSVGraph2DC, LinesLeaveOutTheirEndPoint)
{
    QImage image = Blank(8, 8);
    {
        QPainter painter(&image);
        CCSVGraph2DC dc(&painter);
        dc.DrawLine(1, 1, 1, 4, 0);
        dc.DrawLine(6, 3, 6, 6, 0);
        dc.DrawLine(5, 5, 7, 7, 0);
    }
    EXPECT_EQ(Marked(image), (std::set<std::string>{"1,1", "1,2", "1,3", "6,6", "5,6", "4,6"}));
}

TEST(CSVGraph2DC, CoordinatesAtTheIntLimitsAreClipped)
{
    QImage image = Blank(20, 10);
    {
        QPainter painter(&image);
        CCSVGraph2DC dc(&painter);
        RECT wide{INT_MIN, INT_MIN, INT_MAX, 5};
        dc.FillRect(&wide, RGBQuad(0, 0, 0));
        dc.DrawLine(INT_MIN, INT_MAX, 7, 7, 0);
        dc.DrawString(INT_MAX, INT_MAX, "far", RGBQuad(0, 0, 0), "Courier", 12);
        dc.DrawString(INT_MIN, INT_MIN, "far", RGBQuad(0, 0, 0), "Courier", 12);
    }
    for (int y = 0; y < 10; ++y) {
        const bool marked = y < 5 || y == 7;
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(image.pixel(x, y) != White, marked) << x << "," << y;
    }
}

TEST(CSVGraph2DC, TextHasItsLowerLeftCornerAtThePoint)
{
    QImage image = Blank(120, 60);
    {
        QPainter painter(&image);
        CCSVGraph2DC dc(&painter);
        dc.DrawString(10, 40, "Hg", RGBQuad(0, 0, 0), "Courier", 20);
        dc.DrawString(10, 40, "", RGBQuad(0, 0, 0), "Courier", 20);
        dc.DrawString(50, 40, "ignored", RGBQuad(0, 0, 0), "Courier", 0);
    }
    const std::set<std::string> marked = Marked(image);
    ASSERT_FALSE(marked.empty());
    for (const std::string& pixel : marked) {
        const int x = std::stoi(pixel);
        const int y = std::stoi(pixel.substr(pixel.find(',') + 1));
        EXPECT_GE(x, 10) << pixel;
        EXPECT_LT(x, 50) << pixel;
        EXPECT_GE(y, 20) << pixel;
        EXPECT_LT(y, 40) << pixel;
    }
}

TEST(CSVGraph2DC, FontIsMadeOnlyWhenFaceOrHeightChange)
{
    QImage image = Blank(100, 40);
    QPainter painter(&image);
    CCSVGraph2DC dc(&painter);
    dc.DrawString(0, 20, "a", RGBQuad(0, 0, 0), "Courier", 12);
    EXPECT_EQ(dc.m_nFontHeight, 12);
    EXPECT_EQ(dc.m_strFontName, "Courier");
    // Marks the cached font: it is still in use while face and height stay.
    dc.m_font.setItalic(true);
    dc.DrawString(0, 20, "b", RGBQuad(0, 0, 0), "Courier", 12);
    EXPECT_TRUE(dc.m_font.italic());
    dc.DrawString(0, 20, "c", RGBQuad(0, 0, 0), "Courier", 13);
    EXPECT_FALSE(dc.m_font.italic());

    dc.m_font.setItalic(true);
    dc.DrawString(0, 20, "d", RGBQuad(0, 0, 0), "courier", 13);
    EXPECT_FALSE(dc.m_font.italic());
    EXPECT_EQ(dc.m_strFontName, "courier");

    dc.m_font.setItalic(true);
    dc.Prepare(100, 40);
    EXPECT_EQ(dc.m_nFontHeight, 0);
    dc.DrawString(0, 20, "e", RGBQuad(0, 0, 0), "courier", 13);
    EXPECT_FALSE(dc.m_font.italic());
}

TEST(CSVGraph2DC, WithoutAPainterNothingIsDrawn)
{
    TestTable data;
    data.AddColumn("A");
    data.AddLine(0, {1});
    data.AddLine(1, {2});
    CCSVTable2Graph graph(&data.table);
    CCSVGraph2DC dc(nullptr);
    EXPECT_TRUE(graph.Draw(&dc));
    EXPECT_EQ(dc.m_nFontHeight, 0);
}

TEST(CSVGraph2DC, LongSeriesDrawTheSamePixelsAsSegmentBySegment)
{
    TestTable data;
    data.AddColumn("Distance");
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, 0.5);
    for (int i = 0; i < 100000; ++i)
        data.AddLine(std::sin(i * 0.001) * 50 + i * 0.01,
                     {5 + std::sin(i * 0.0005) + noise(random)});
    CCSVTable2Graph graph(&data.table);
    graph.m_Clock = [] { return FixedNow; };
    graph.SetSize(640, 400);
    QImage fast = Blank(640, 400);
    QImage plain = Blank(640, 400);
    {
        QPainter painter(&fast);
        CCSVGraph2DC dc(&painter);
        ASSERT_TRUE(graph.Draw(&dc));
    }
    {
        QPainter painter(&plain);
        PlainDC dc(&painter);
        ASSERT_TRUE(graph.Draw(&dc));
    }
    EXPECT_EQ(fast, plain);
}

TEST(CSVGraph2DC, SeriesInXOrderDrawTheSamePixelsAsPointByPoint)
{
    // Many points to a pixel column: noise, spikes, gaps, repeated X, flat stretches, values
    // beyond the range set. A last line without X takes the drawing point by point.
    const double gap = std::nan("");
    const auto fill = [gap](TestTable& series, bool pointByPoint) {
        series.AddColumn("Distance");
        series.AddColumn("Speed");
        std::mt19937 random(5);
        std::normal_distribution<double> noise(0, 0.4);
        for (int i = 0; i < 60000; ++i) {
            const double x = (i / 3) * 0.5;
            const double distance =
                i % 997 == 0 ? 40.0 : 5 + std::sin(i * 0.0004) + noise(random);
            const double speed =
                (i / 4000) % 3 == 1 ? gap : i % 9000 < 300 ? 2.0 : noise(random);
            series.AddLine(x, {distance, speed});
        }
        if (pointByPoint)
            series.AddLine(gap, {1, 1});
    };
    TestTable inOrder;
    TestTable pointByPoint;
    fill(inOrder, false);
    fill(pointByPoint, true);
    for (const bool rangeSet : {false, true}) {
        const auto draw = [rangeSet](TestTable& series, bool dc) {
            CCSVTable2Graph graph(&series.table);
            graph.m_Clock = [] { return FixedNow; };
            graph.SetSize(500, 300);
            if (rangeSet)
                graph.SetRange(1000, 9000, 3, 7);
            if (!dc) {
                CCSVGraph2Image image;
                graph.Draw(&image);
                return ToQImage(image);
            }
            QImage picture = Blank(500, 300);
            QPainter painter(&picture);
            CCSVGraph2DC target(&painter);
            graph.Draw(&target);
            return picture;
        };
        for (const bool dc : {false, true})
            EXPECT_EQ(draw(inOrder, dc), draw(pointByPoint, dc)) << rangeSet << dc;
    }
}
