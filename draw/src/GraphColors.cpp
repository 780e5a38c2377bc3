#include "GraphColors.h"

const RGBQUAD DefaultColorTable[DefaultColorCount] = {
    RGBQuad(0x11, 0x11, 0xFF), RGBQuad(0xFF, 0x11, 0x11), RGBQuad(0x11, 0xFF, 0x11),
    RGBQuad(0x11, 0xFF, 0xFF), RGBQuad(0xFF, 0x11, 0xFF), RGBQuad(0xFF, 0xFF, 0x11),
    RGBQuad(0x11, 0x11, 0x11), RGBQuad(0x11, 0x11, 0x88), RGBQuad(0x88, 0x11, 0x11),
    RGBQuad(0x11, 0x88, 0x11), RGBQuad(0x11, 0x88, 0x88), RGBQuad(0x88, 0x11, 0x88),
    RGBQuad(0x88, 0x88, 0x11), RGBQuad(0x88, 0x88, 0x88),
};

namespace {

// In 64 bits, so that no index overflows the product.
COLORREF ScaleChannel(COLORREF from, COLORREF to, int steps, int index, int shift)
{
    const long long a = from >> shift & 0xFF;
    const long long b = to >> shift & 0xFF;
    const long long value = a + (b - a) * index / steps;
    return static_cast<COLORREF>(value & 0xFF) << shift;
}

} // namespace

COLORREF ColorScale(COLORREF from, COLORREF to, int steps, int index, unsigned char alpha,
                    COLORREF background)
{
    if (steps == 0)
        return 0;
    const COLORREF result = ScaleChannel(from, to, steps, index, 0) |
                            ScaleChannel(from, to, steps, index, 8) |
                            ScaleChannel(from, to, steps, index, 16);
    if (alpha < 255)
        return ColorScale(background, result, 255, alpha, 255, 0);
    return result;
}
