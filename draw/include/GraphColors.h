#pragma once

#include "GraphTypes.h"
#include "PLOTRA_API.h"

// Colour of column i of a graph: entry i modulo the table's size.
inline constexpr int DefaultColorCount = 14;
PLOTRA_API extern const RGBQUAD DefaultColorTable[DefaultColorCount];

// Step index of steps from one colour to another, each channel from + (to - from) * index /
// steps truncated toward zero; blended toward background when alpha is below 255. 0 when
// steps is 0.
PLOTRA_API COLORREF ColorScale(COLORREF from, COLORREF to, int steps, int index,
                               unsigned char alpha, COLORREF background);
