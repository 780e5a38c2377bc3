#include "CSVGraph2DC.h"

#include "CellHeightFont.h"
#include "LineRaster.h"
#include "PaintCoordinate.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The largest font height worth a font; taller texts would not fit any picture.
constexpr long MaxFontHeight = 1L << 16;

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// The painter's device in the painter's coordinates, a pixel wider on every side: lines are
// computed only there, however far their ends lie outside.
PixelBox VisibleBox(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    bool invertible = false;
    const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
    if (!device || !invertible)
        return {0, 0, -1, -1};
    const QRectF area = toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
    const auto limit = [](double value) {
        return static_cast<long>(
            PaintCoordinate(static_cast<long>(std::clamp(value, -1e12, 1e12))));
    };
    return {limit(std::floor(area.left())) - 1, limit(std::floor(area.top())) - 1,
            limit(std::ceil(area.right())) + 1, limit(std::ceil(area.bottom())) + 1};
}

// Each run of pixels is a filled rectangle, so that the painter sets exactly the pixels
// computed here.
void StrokeLine(QPainter& painter, long x1, long y1, long x2, long y2, const PixelBox& box,
                COLORREF colour)
{
    const QColor pen = ToQColor(colour);
    RasterizeLine(x1, y1, x2, y2, false, box, [&](long x, long y, long length, bool horizontal) {
        const int width = horizontal ? static_cast<int>(length) : 1;
        const int height = horizontal ? 1 : static_cast<int>(length);
        painter.fillRect(static_cast<int>(x), static_cast<int>(y), width, height, pen);
    });
}

} // namespace

void CCSVGraph2DC::Prepare(int, int)
{
    m_nFontHeight = 0;
}

void CCSVGraph2DC::FillRect(RECT* rect, RGBQUAD colour)
{
    if (!m_pDC || !rect || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    const int left = PaintCoordinate(rect->left);
    const int top = PaintCoordinate(rect->top);
    m_pDC->fillRect(
        QRect(left, top, PaintCoordinate(rect->right) - left, PaintCoordinate(rect->bottom) - top),
        QColor(colour.rgbRed, colour.rgbGreen, colour.rgbBlue));
}

void CCSVGraph2DC::DrawString(long x, long y, const char* text, RGBQUAD colour,
                              const char* fontName, long fontHeight)
{
    if (!m_pDC || !text || !*text || fontHeight <= 0)
        return;
    const int height = static_cast<int>(std::min(fontHeight, MaxFontHeight));
    const char* face = fontName ? fontName : "";
    if (height != m_nFontHeight || m_strFontName != face) {
        m_font = CellHeightFont(face, height);
        m_nFontHeight = height;
        m_strFontName = face;
    }
    m_pDC->setFont(m_font);
    m_pDC->setPen(QColor(colour.rgbRed, colour.rgbGreen, colour.rgbBlue));
    m_pDC->setBackgroundMode(Qt::TransparentMode);
    const QString line = QString::fromUtf8(text);
    const QFontMetrics metrics(m_font, m_pDC->device());
    const int textHeight = metrics.height();
    m_pDC->drawText(QRect(PaintCoordinate(x), PaintCoordinate(y - textHeight),
                          metrics.horizontalAdvance(line), textHeight),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
}

void CCSVGraph2DC::DrawLine(int x1, int x2, int y1, int y2, COLORREF colour)
{
    if (m_pDC)
        StrokeLine(*m_pDC, x1, y1, x2, y2, VisibleBox(*m_pDC), colour);
}

void CCSVGraph2DC::DrawPolyline(std::span<const POINT> points, COLORREF colour)
{
    if (!m_pDC)
        return;
    const PixelBox box = VisibleBox(*m_pDC);
    ForEachMergedSegment(points, false, [&](long x1, long y1, long x2, long y2) {
        StrokeLine(*m_pDC, x1, y1, x2, y2, box, colour);
    });
}
