#pragma once

#include <cstdint>

// Colours, rectangles and points as the drawing targets take them, with the field names and
// field order of the Windows types that the graph interface was made for.

// Bytes blue, green, red; the reserved byte is not used.
struct RGBQUAD
{
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};

struct RECT
{
    long left;
    long top;
    long right;
    long bottom;
};

struct POINT
{
    long x;
    long y;
};

// 0x00BBGGRR: red | green << 8 | blue << 16.
using COLORREF = unsigned long;

constexpr RGBQUAD RGBQuad(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return RGBQUAD{blue, green, red, 0};
}

constexpr COLORREF RGBQUADToCOLORREF(const RGBQUAD& colour)
{
    return static_cast<COLORREF>(colour.rgbRed) | static_cast<COLORREF>(colour.rgbGreen) << 8 |
           static_cast<COLORREF>(colour.rgbBlue) << 16;
}

constexpr std::uint8_t GetRValue(COLORREF colour)
{
    return static_cast<std::uint8_t>(colour & 0xFF);
}

constexpr std::uint8_t GetGValue(COLORREF colour)
{
    return static_cast<std::uint8_t>(colour >> 8 & 0xFF);
}

constexpr std::uint8_t GetBValue(COLORREF colour)
{
    return static_cast<std::uint8_t>(colour >> 16 & 0xFF);
}
