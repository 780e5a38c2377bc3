#include "CSVGraph2Image.h"

#include "LineRaster.h"

void CCSVGraph2Image::Prepare(int width, int height)
{
    Create(width, height, 24, CXIMAGE_FORMAT_UNKNOWN);
}

void CCSVGraph2Image::FillRect(RECT* rect, RGBQUAD colour)
{
    if (!rect || !IsValid())
        return;
    const long height = GetHeight();
    const long startY = height - 1 - rect->top;
    // A rectangle wholly outside the picture must not leave the selection empty, which would
    // let the fill run over the whole picture.
    if (!SelectionAddRect(RECT{rect->left, startY, rect->right, height - 1 - rect->bottom}))
        return;
    FloodFill(rect->left, startY, colour, 0);
    SelectionClear();
}

void CCSVGraph2Image::DrawString(long x, long y, const char* text, RGBQUAD colour,
                                 const char* fontName, long fontHeight)
{
    CxImage::DrawString(x, y, text, colour, fontName, fontHeight);
}

void CCSVGraph2Image::DrawLine(int x1, int x2, int y1, int y2, COLORREF colour)
{
    const long height = GetHeight();
    CxImage::DrawLine(x1, x2, height - y1, height - y2, colour);
}

void CCSVGraph2Image::DrawPolyline(std::span<const POINT> points, COLORREF colour)
{
    const long height = GetHeight();
    ForEachMergedSegment(points, true, [&](long x1, long y1, long x2, long y2) {
        CxImage::DrawLine(x1, x2, height - y1, height - y2, colour);
    });
}
