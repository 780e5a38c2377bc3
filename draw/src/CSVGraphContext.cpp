#include "CSVGraphContext.h"

void CCSVGraphContext::Prepare(int, int) {}

void CCSVGraphContext::Finish() {}

void CCSVGraphContext::DrawPolyline(std::span<const POINT> points, COLORREF colour)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        DrawLine(static_cast<int>(points[i - 1].x), static_cast<int>(points[i].x),
                 static_cast<int>(points[i - 1].y), static_cast<int>(points[i].y), colour);
    }
}
