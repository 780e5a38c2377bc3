#pragma once

#include <algorithm>

// A coordinate handed to a QPainter, limited so that no rectangle built from two of them
// overflows an int; nothing that far out can be seen in any picture.
inline int PaintCoordinate(long value)
{
    constexpr long limit = 1L << 29;
    return static_cast<int>(std::clamp(value, -limit, limit));
}
