#pragma once

#include "CSVGraphContext.h"
#include "GraphColors.h"
#include "GraphTypes.h"
#include "PLOTRA_API.h"

#include <ctime>
#include <functional>
#include <string>

class CCSVAxis;
class CCSVColumn;
class CCSVTable;

// Draws a table as a picture: a header with the title, the date and time and a legend of the
// columns, and below it a grid with axis labels and one polyline per column. All geometry
// follows from the picture size; no text is smaller than 9 pixels. Draw also writes the display fields of the table's axes, so
// after a drawing the table holds the scaling of the last picture.
class PLOTRA_API CCSVTable2Graph
{
public:
    explicit CCSVTable2Graph(CCSVTable* table = nullptr);

    // The table is shared, never copied or deleted.
    void SetTable(CCSVTable* table) { m_pTable = table; }
    // Sizes below 16 pixels count as 16.
    void SetSize(int width, int height);
    // Logarithm bases (0: linear) and grid densities; tick counts below 1 count as 1.
    void SetAxis(double xLogBase, double yLogBase, int xTicks, int yTicks, bool separateYAxes,
                 bool includeZero);
    // A fixed X and value range, in either order; all columns then share the value axis.
    void SetRange(double x1, double x2, double y1, double y2);
    // Draws table, or m_pTable when table is null. False, with nothing drawn, without a target
    // or a table.
    bool Draw(CCSVGraphContext* target, CCSVTable* table = nullptr);

    bool m_bRangeSet = false;
    bool m_bIncludeZero = false;
    bool m_bSeparateYAxes = false;
    double m_dXRangeMin = 0;
    double m_dXRangeMax = 0;
    double m_dYRangeMin = 0;
    double m_dYRangeMax = 0;
    double m_dXLogBase = 0;
    double m_dYLogBase = 0;
    int m_nXTicks = 10;
    int m_nYTicks = 10;
    std::string m_strTitleFont = "Courier";
    std::string m_strAxisFont = "Courier";
    std::string m_strLegendFont = "Courier";
    RGBQUAD m_rgbHeaderBack = RGBQuad(0xFF, 0xFF, 0xFF);
    RGBQUAD m_rgbText = RGBQuad(0, 0, 0);
    RGBQUAD m_rgbPlotBack = RGBQuad(0xEE, 0xEE, 0xEE);
    RGBQUAD m_rgbGrid = RGBQuad(0xBB, 0xBB, 0xEE);
    RGBQUAD m_rgbAxis = RGBQuad(0xEE, 0xBB, 0xBB);
    // Entry i modulo 14 is the colour of column i.
    const RGBQUAD* m_pColors = DefaultColorTable;
    CCSVTable* m_pTable = nullptr; // not owned
    int m_nWidth = 800;
    int m_nHeight = 600;
    RECT m_rcPlot{};
    RECT m_rcFrame{};
    RECT m_rcHeader{};
    // The clock of the header's date and time; the system clock when empty.
    std::function<std::time_t()> m_Clock;

protected:
    void DrawAxis(CCSVGraphContext* target, CCSVTable* table, int labelHeight);
    void DrawYAxis(CCSVGraphContext* target, CCSVAxis* axis, int labelHeight, int tickLeft,
                   int tickRight, const RGBQUAD& colour, const RGBQUAD& paleColour);
    void DrawGraph(CCSVGraphContext* target, CCSVTable* table, CCSVColumn* column,
                   const RGBQUAD* colour);

private:
    void PrepareAxes(CCSVTable& table) const;
    void DrawTimeAxis(CCSVGraphContext* target, CCSVTable& table, int labelHeight) const;
    void DrawXAxis(CCSVGraphContext* target, CCSVTable& table, int labelHeight) const;
    // The grid line of an X tick across the frame, doubled at zero.
    void DrawXGridLine(CCSVGraphContext* target, int x, bool atZero) const;
    // Separate value axes: each column scaled by its own range.
    bool SeparateAxes() const { return m_bSeparateYAxes && !m_bRangeSet; }
    const RGBQUAD& ColumnColor(int index) const;
};
