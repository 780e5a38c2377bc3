#pragma once

#include "CxImageFormat.h"
#include "GraphTypes.h"
#include "PLOTRA_API.h"

#include <QImage>

#include <cstdint>
#include <vector>

// An in-memory picture of 24-bit colour pixels. Rows count from the bottom (y = 0 is the lowest
// row) for pixels, selections, fills and lines; texts are placed from the top like window text.
class PLOTRA_API CxImage
{
public:
    explicit CxImage(std::uint32_t imageType = CXIMAGE_FORMAT_UNKNOWN);
    // Copies pixels and selection.
    CxImage(const CxImage&) = default;
    CxImage& operator=(const CxImage&) = default;
    virtual ~CxImage() = default;

    // A new black picture; false, with no picture, unless the size is positive, bpp is 24 and
    // the memory is there.
    bool Create(long width, long height, int bpp, std::uint32_t imageType);
    void Destroy();

    bool IsValid() const { return !m_Image.isNull(); }
    long GetWidth() const { return m_Image.width(); }
    long GetHeight() const { return m_Image.height(); }
    int GetBpp() const { return IsValid() ? 24 : 0; }
    std::uint32_t GetType() const { return m_nType; }
    // Black outside the picture.
    RGBQUAD GetPixelColor(long x, long y) const;

    // Adds a rectangle, edges included, to the selection that limits FloodFill.
    bool SelectionAddRect(RECT rect);
    void SelectionClear();
    // Fills the 4-connected area of pixels within tolerance (per channel) of the start pixel's
    // colour, inside the selection when there is one. False when the start is not a pixel of
    // the picture or not selected.
    bool FloodFill(long x, long y, RGBQUAD colour, std::uint8_t tolerance = 0);

    // One line of text with its lower-left corner at (x, y), y counted from the top row; size
    // is the cell height in pixels. Fonts need a QGuiApplication: in a program without any Qt
    // application the first text makes one without a display, kept to the end of the program
    // (a program that makes its own must make it before). False when nothing could be drawn
    // (no picture, no text, or no application for the fonts, said once on standard error).
    bool DrawString(long x, long y, const char* text, RGBQUAD colour, const char* font, long size,
                    long weight = 400, bool italic = false, bool underline = false);
    // A one-pixel line with both end points: both x first, then both y.
    void DrawLine(long startX, long endX, long startY, long endY, COLORREF colour);

    // Writes the picture to the file in the format of the code, by way of a temporary file so
    // that a failure leaves an existing file alone. False when nothing was written, also for a
    // format that the installed Qt cannot write.
    bool Save(const char* fileName, std::uint32_t imageType) const;
    // Whether Save can write pictures of the format.
    static bool CanSave(std::uint32_t imageType);

private:
    bool IsSelected(long x, long y) const;

    QImage m_Image;
    std::vector<RECT> m_Selection;
    std::uint32_t m_nType;
};
