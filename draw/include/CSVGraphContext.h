#pragma once

#include "GraphTypes.h"
#include "PLOTRA_API.h"

#include <span>

// Where a graph is drawn: a window, a painter or a picture. The renderer calls Prepare once,
// then the drawing operations, then Finish.
class PLOTRA_API CCSVGraphContext
{
public:
    CCSVGraphContext() = default;
    CCSVGraphContext(const CCSVGraphContext&) = default;
    CCSVGraphContext& operator=(const CCSVGraphContext&) = default;

    virtual void Prepare(int width, int height);
    virtual void FillRect(RECT* rect, RGBQUAD colour) = 0;
    // One line of text with its lower-left corner at (x, y); fontHeight is the cell height.
    virtual void DrawString(long x, long y, const char* text, RGBQUAD colour, const char* fontName,
                            long fontHeight) = 0;
    // A one-pixel line from (x1, y1) to (x2, y2): both x first, then both y.
    virtual void DrawLine(int x1, int x2, int y1, int y2, COLORREF colour) = 0;
    virtual void Finish();
    // The segments between consecutive points, one DrawLine each. Targets that draw long
    // series faster override it with a way that sets the same pixels.
    virtual void DrawPolyline(std::span<const POINT> points, COLORREF colour);

    virtual ~CCSVGraphContext() = default;
};
