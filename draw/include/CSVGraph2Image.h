#pragma once

#include "CSVGraphContext.h"
#include "CxImage.h"
#include "PLOTRA_API.h"

// Draws a graph into a picture, which the caller can then save. The picture keeps its rows
// bottom-up, so the renderer's y is mirrored: rectangles with height - 1 - y, lines with
// height - y; texts are placed from the top and keep their y.
class PLOTRA_API CCSVGraph2Image : public CxImage, public CCSVGraphContext
{
public:
    CCSVGraph2Image() = default;
    CCSVGraph2Image(const CCSVGraph2Image&) = default;
    CCSVGraph2Image& operator=(const CCSVGraph2Image&) = default;
    ~CCSVGraph2Image() override = default;

    // A new black picture of the size.
    void Prepare(int width, int height) override;
    // Fills the connected area of the colour of the rectangle's top-left pixel, limited to the
    // rectangle, edges included.
    void FillRect(RECT* rect, RGBQUAD colour) override;
    void DrawString(long x, long y, const char* text, RGBQUAD colour, const char* fontName,
                    long fontHeight) override;
    void DrawLine(int x1, int x2, int y1, int y2, COLORREF colour) override;
    void DrawPolyline(std::span<const POINT> points, COLORREF colour) override;
};
