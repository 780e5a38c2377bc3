#pragma once

#include "GraphTypes.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>

// Pixels of straight lines, computed here rather than by a paint engine so that every target
// sets the same pixels and lines can be merged without changing them.

// A box of pixels, all four edges included.
struct PixelBox
{
    long left;
    long top;
    long right;
    long bottom;
};

// Visits the pixels of the line from (x1, y1) to (x2, y2) that lie in box, as runs along the
// line's longer axis: run(x, y, length, horizontal) covers length pixels from (x, y) towards
// larger x (horizontal) or larger y. Step i along the longer axis moves the other coordinate by
// i * shorter / longer rounded half up, so both ends are exact and a line of any length costs
// no more steps than the box is wide. The end point is left out unless includeEnd.
template <class Run>
void RasterizeLine(long x1, long y1, long x2, long y2, bool includeEnd, const PixelBox& box,
                   Run run)
{
    const bool horizontal = std::labs(x2 - x1) >= std::labs(y2 - y1);
    const long a1 = horizontal ? x1 : y1;
    const long a2 = horizontal ? x2 : y2;
    const long b1 = horizontal ? y1 : x1;
    const long b2 = horizontal ? y2 : x2;
    const long aLow = horizontal ? box.left : box.top;
    const long aHigh = horizontal ? box.right : box.bottom;
    const long bLow = horizontal ? box.top : box.left;
    const long bHigh = horizontal ? box.bottom : box.right;
    const long longer = std::labs(a2 - a1);
    const long shorter = std::labs(b2 - b1);
    const long aStep = a2 < a1 ? -1 : 1;
    const long bStep = b2 < b1 ? -1 : 1;

    const long first = std::max(0L, aStep > 0 ? aLow - a1 : a1 - aHigh);
    const long last =
        std::min(includeEnd ? longer : longer - 1, aStep > 0 ? aHigh - a1 : a1 - aLow);
    if (first > last)
        return;

    // offset = floor((2 i shorter + longer) / (2 longer)), kept with its remainder.
    const long twoLonger = 2 * longer;
    const long twoShorter = 2 * shorter;
    long offset = 0;
    long remainder = longer;
    if (first > 0) {
        __extension__ using Wide = __int128;
        const Wide numerator = static_cast<Wide>(first) * twoShorter + longer;
        offset = static_cast<long>(numerator / twoLonger);
        remainder = static_cast<long>(numerator % twoLonger);
    }

    long runStart = 0;
    long runLength = 0;
    long runB = 0;
    const auto flush = [&] {
        if (runLength == 0)
            return;
        const long start = aStep > 0 ? runStart : runStart - (runLength - 1);
        if (horizontal)
            run(start, runB, runLength, true);
        else
            run(runB, start, runLength, false);
        runLength = 0;
    };
    for (long i = first; i <= last; ++i) {
        const long b = b1 + bStep * offset;
        if (b < bLow || b > bHigh) {
            flush();
        } else if (runLength > 0 && b == runB) {
            ++runLength;
        } else {
            flush();
            runStart = a1 + aStep * i;
            runB = b;
            runLength = 1;
        }
        remainder += twoShorter;
        if (remainder >= twoLonger && longer > 0) {
            remainder -= twoLonger;
            ++offset;
        }
    }
    flush();
}

// Calls line(x1, y1, x2, y2) for lines that, drawn with the same rule for end points, set
// exactly the pixels of the segments between consecutive points: the segments that stay in one
// pixel column become one vertical line, which makes long series cheap. Segments that cross
// columns are passed as they are.
template <class Line>
void ForEachMergedSegment(std::span<const POINT> points, bool includeEnd, Line line)
{
    const std::size_t count = points.size();
    std::size_t i = 0;
    while (i + 1 < count) {
        const long x = points[i].x;
        if (points[i + 1].x != x) {
            line(x, points[i].y, points[i + 1].x, points[i + 1].y);
            ++i;
            continue;
        }
        // The rows each vertical segment covers join into one interval: the path passes every
        // row between its extremes, so only an extreme can be missing (an end left out).
        long low = LONG_MAX;
        long high = LONG_MIN;
        for (; i + 1 < count && points[i + 1].x == x; ++i) {
            const long from = points[i].y;
            const long to = points[i + 1].y;
            if (includeEnd) {
                low = std::min({low, from, to});
                high = std::max({high, from, to});
            } else if (from < to) {
                low = std::min(low, from);
                high = std::max(high, to - 1);
            } else if (from > to) {
                low = std::min(low, to + 1);
                high = std::max(high, from);
            }
        }
        if (low <= high)
            line(x, low, x, includeEnd ? high : high + 1);
    }
}
