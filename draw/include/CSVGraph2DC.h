#pragma once

#include "CSVGraphContext.h"
#include "PLOTRA_API.h"

#include <QFont>

#include <string>

class QPainter;

// Draws a graph with a painter, as on a window's device context: rectangles leave out their
// right and bottom edges, lines their end point, and texts use one cached font that is made
// anew only when the face or the height changes. Without a painter nothing is drawn.
class PLOTRA_API CCSVGraph2DC : public CCSVGraphContext
{
public:
    explicit CCSVGraph2DC(QPainter* dc) : m_pDC(dc) {}

    // Forgets the cached font, so that every drawing makes its first font anew.
    void Prepare(int width, int height) override;
    void FillRect(RECT* rect, RGBQUAD colour) override;
    void DrawString(long x, long y, const char* text, RGBQUAD colour, const char* fontName,
                    long fontHeight) override;
    void DrawLine(int x1, int x2, int y1, int y2, COLORREF colour) override;
    void DrawPolyline(std::span<const POINT> points, COLORREF colour) override;

    int m_nFontHeight = 0; // 0: no font cached
    std::string m_strFontName;
    QFont m_font;
    QPainter* m_pDC; // not owned
};
