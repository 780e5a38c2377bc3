#include "LineRaster.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<long, long>>;

constexpr PixelBox Everywhere{-100000, -100000, 100000, 100000};

Pixels Line(long x1, long y1, long x2, long y2, bool includeEnd, const PixelBox& box = Everywhere)
{
    Pixels pixels;
    RasterizeLine(
        x1, y1, x2, y2, includeEnd, box, [&](long x, long y, long length, bool horizontal) {
            for (long i = 0; i < length; ++i)
                pixels.insert(horizontal ? std::make_pair(x + i, y) : std::make_pair(x, y + i));
        });
    return pixels;
}

Pixels Segments(const std::vector<POINT>& points, bool includeEnd)
{
    Pixels pixels;
    for (std::size_t i = 1; i < points.size(); ++i)
        pixels.merge(Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, includeEnd));
    return pixels;
}

Pixels Merged(const std::vector<POINT>& points, bool includeEnd, int* lines = nullptr)
{
    Pixels pixels;
    ForEachMergedSegment(points, includeEnd, [&](long x1, long y1, long x2, long y2) {
        pixels.merge(Line(x1, y1, x2, y2, includeEnd));
        if (lines)
            ++*lines;
    });
    return pixels;
}

} // namespace

TEST(LineRaster, EndsAreExactAndTheEndPointOptional)
{
    EXPECT_EQ(Line(2, 2, 2, 5, true), (Pixels{{2, 2}, {2, 3}, {2, 4}, {2, 5}}));
    EXPECT_EQ(Line(2, 5, 2, 2, false), (Pixels{{2, 5}, {2, 4}, {2, 3}}));
    EXPECT_EQ(Line(0, 0, 4, 2, true), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    // Halves round away from the start, so a reversed line may differ in its middle.
    EXPECT_EQ(Line(4, 2, 0, 0, false), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_EQ(Line(3, 3, 3, 3, true), (Pixels{{3, 3}}));
    EXPECT_TRUE(Line(3, 3, 3, 3, false).empty());
    // Steep lines step along y.
    EXPECT_EQ(Line(0, 0, 1, 3, true), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
}

TEST(LineRaster, ClippedLinesKeepTheirPixels)
{
    const PixelBox box{0, 0, 99, 49};
    const auto inside = [&](const Pixels& pixels) {
        Pixels kept;
        for (const auto& [x, y] : pixels) {
            if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom)
                kept.insert({x, y});
        }
        return kept;
    };
    for (const auto& [x1, y1, x2, y2] : std::vector<std::tuple<long, long, long, long>>{
             {-1000, -300, 1000, 700}, {1500, 20, -700, 30}, {40, -900, 60, 900}, {-5, 3, 7, -2}}) {
        EXPECT_EQ(Line(x1, y1, x2, y2, true, box), inside(Line(x1, y1, x2, y2, true)))
            << x1 << " " << y1;
    }
    // Ends at the int limits cost no more than the box is wide.
    const Pixels far = Line(10, 10, INT_MAX, INT_MIN, true, box);
    EXPECT_TRUE(far.contains({10, 10}));
    EXPECT_EQ(far, inside(far));
    EXPECT_TRUE(Line(INT_MIN, INT_MIN, INT_MAX, INT_MIN, true, box).empty());
}

TEST(LineRaster, MergedSegmentsSetTheSamePixels)
{
    std::mt19937 random(17);
    std::uniform_int_distribution<long> column(0, 3);
    std::uniform_int_distribution<long> row(0, 9);
    std::uniform_int_distribution<int> length(2, 12);
    for (int round = 0; round < 3000; ++round) {
        std::vector<POINT> points(static_cast<std::size_t>(length(random)));
        long x = 0;
        for (POINT& point : points) {
            // Mostly staying in a column, as long series do.
            if (column(random) == 0)
                x = column(random);
            point = {x, row(random)};
        }
        for (const bool includeEnd : {true, false}) {
            ASSERT_EQ(Merged(points, includeEnd), Segments(points, includeEnd))
                << "round " << round << (includeEnd ? " with ends" : " without ends");
        }
    }
}

TEST(LineRaster, AColumnOfSegmentsBecomesOneLine)
{
    std::vector<POINT> points;
    for (long i = 0; i < 1000; ++i)
        points.push_back({i / 100, (i * 37) % 50});
    int lines = 0;
    EXPECT_EQ(Merged(points, false, &lines), Segments(points, false));
    EXPECT_EQ(lines, 19); // ten columns, nine crossings
}
