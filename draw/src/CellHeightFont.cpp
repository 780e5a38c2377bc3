#include "CellHeightFont.h"

#include <QFontMetrics>

#include <algorithm>

QFont CellHeightFont(const char* face, long height, int weight, bool italic, bool underline)
{
    QFont font(QString::fromUtf8(face));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(italic);
    font.setUnderline(underline);
    const int cell = static_cast<int>(std::clamp(height, 1L, 1L << 16));
    font.setPixelSize(cell);
    // The pixel size is the em height; lines are higher by the font's leading and descent.
    const int lineHeight = QFontMetrics(font).height();
    if (lineHeight > cell)
        font.setPixelSize(std::max(1, cell * cell / lineHeight));
    return font;
}
