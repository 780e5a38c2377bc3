#include "CSVTable2Graph.h"

#include "CSVTable.h"
#include "GraphScale.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

namespace {

constexpr int MinimumSize = 16;

// No text is drawn smaller than an operator can read: 9 pixels, about 7 points on a screen of
// 96 dots an inch. The heights that follow from the picture reach it from 450 pixels on, where
// the layout is the picture's proportions alone; below, the header and the margins grow with
// the text they hold.
constexpr long MinimumTextHeight = 9;

long TextHeight(long pictureHeight, long divisor)
{
    return std::max(pictureHeight / divisor, MinimumTextHeight);
}

// Geometry is kept in long so that no picture size or column count overflows it; the drawing
// operations that take int get it clamped.
int ClampToInt(long value)
{
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

bool IsTimeBased(const CCSVTable& table)
{
    return table.m_FormatType == CSVFormatTime || table.m_FormatType == CSVFormatRelativeTime;
}

// pale + (colour - pale) / divisor per channel, truncated toward zero.
RGBQUAD Blend(const RGBQUAD& colour, const RGBQUAD& pale, int divisor)
{
    const auto channel = [divisor](int strong, int weak) {
        return static_cast<std::uint8_t>(weak + (strong - weak) / divisor);
    };
    return RGBQuad(channel(colour.rgbRed, pale.rgbRed), channel(colour.rgbGreen, pale.rgbGreen),
                   channel(colour.rgbBlue, pale.rgbBlue));
}

std::string HeaderTime(std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char text[64] = "";
    std::strftime(text, sizeof text, "%d.%m.%Y / %H:%M:%S", &local);
    return text;
}

// The pixels of fractions of the frame: X from its left, Y from its bottom.
class FramePixels
{
public:
    explicit FramePixels(const RECT& frame)
        : m_Left(frame.left), m_Width(frame.right - frame.left), m_Bottom(frame.bottom),
          m_Height(frame.bottom - frame.top)
    {
    }
    int X(double fraction) const { return ToPixel(fraction, m_Left, m_Width); }
    int Y(double fraction) const { return ToPixel(fraction, m_Bottom, -m_Height); }

private:
    double m_Left;
    double m_Width;
    double m_Bottom;
    double m_Height;
};

// Whether the X coordinates never fall, all of them finite.
template <class X> bool Ascending(const std::vector<X>& xs, std::size_t count)
{
    if (count == 0)
        return true;
    for (std::size_t i = 1; i < count; ++i) {
        if (!(xs[i - 1] <= xs[i]))
            return false;
    }
    return std::isfinite(static_cast<double>(xs.front())) &&
           std::isfinite(static_cast<double>(xs[count - 1]));
}

// Adds the points of the indices below count that have a finite value, a pixel column at a
// time: of the points in one column only the first, the lowest, the highest and the last, in
// their order. A polyline through them sets the pixels of the polyline through all, with either
// rule for end points: inside the column its segments cover the same rows, from the lowest to
// the highest, and it enters and leaves the column through the same points. A series of a
// million points across a picture is drawn as a few thousand. xPixel(i) must not change
// direction with the index, nor yPixel(value) with the value.
template <class XPixel, class YPixel, class Add>
void AddByColumns(const std::vector<double>& values, std::size_t count, XPixel xPixel,
                  YPixel yPixel, Add add)
{
    std::size_t begin = 0;
    while (begin < count) {
        const int x = xPixel(begin);
        // The column's end: steps that double while they stay in it, then halving.
        std::size_t inside = begin;
        std::size_t outside = count;
        for (std::size_t step = 1; inside + step < count; step *= 2) {
            if (xPixel(inside + step) != x) {
                outside = inside + step;
                break;
            }
            inside += step;
        }
        while (outside - inside > 1) {
            const std::size_t middle = inside + (outside - inside) / 2;
            (xPixel(middle) == x ? inside : outside) = middle;
        }
        std::size_t first = outside;
        std::size_t lowest = outside;
        std::size_t highest = outside;
        std::size_t last = outside;
        for (std::size_t i = begin; i < outside; ++i) {
            const double value = values[i];
            if (!std::isfinite(value))
                continue;
            if (first == outside) {
                first = lowest = highest = i;
            } else if (value < values[lowest]) {
                lowest = i;
            } else if (value > values[highest]) {
                highest = i;
            }
            last = i;
        }
        if (first != outside) {
            std::array<std::size_t, 4> picks{first, lowest, highest, last};
            std::sort(picks.begin(), picks.end());
            const auto end = std::unique(picks.begin(), picks.end());
            for (auto pick = picks.begin(); pick != end; ++pick)
                add(x, yPixel(values[*pick]));
        }
        begin = outside;
    }
}

const char* Caption(const CCSVColumn& column)
{
    return column.m_pFormat ? column.m_pFormat->m_strCaption.c_str() : "";
}

} // namespace

CCSVTable2Graph::CCSVTable2Graph(CCSVTable* table) : m_pTable(table) {}

void CCSVTable2Graph::SetSize(int width, int height)
{
    m_nWidth = std::max(width, MinimumSize);
    m_nHeight = std::max(height, MinimumSize);
}

void CCSVTable2Graph::SetAxis(double xLogBase, double yLogBase, int xTicks, int yTicks,
                              bool separateYAxes, bool includeZero)
{
    m_dXLogBase = xLogBase;
    m_dYLogBase = yLogBase;
    m_nXTicks = xTicks;
    m_nYTicks = yTicks;
    m_bSeparateYAxes = separateYAxes;
    m_bIncludeZero = includeZero;
}

void CCSVTable2Graph::SetRange(double x1, double x2, double y1, double y2)
{
    m_dXRangeMin = std::min(x1, x2);
    m_dXRangeMax = std::max(x1, x2);
    m_dYRangeMin = std::min(y1, y2);
    m_dYRangeMax = std::max(y1, y2);
    m_bRangeSet = true;
}

bool CCSVTable2Graph::Draw(CCSVGraphContext* target, CCSVTable* table)
{
    if (!table)
        table = m_pTable;
    if (!target || !table)
        return false;

    const long width = m_nWidth;
    const long height = m_nHeight;
    const long columns = table->GetSize();
    const long titleHeight = TextHeight(height, 30);
    const long rowHeight = TextHeight(height, 40);
    const long margin = TextHeight(height, 50);
    const long separator = (4 * titleHeight) / 3;
    const long headerHeight = ((columns + 1) / 2) * rowHeight + rowHeight / 2 + separator;
    const COLORREF textColour = RGBQUADToCOLORREF(m_rgbText);

    target->Prepare(m_nWidth, m_nHeight);
    m_rcPlot = {0, headerHeight, width - 1, height - 1};
    target->FillRect(&m_rcPlot, m_rgbPlotBack);
    m_rcHeader = {0, 0, width - 1, headerHeight};
    target->FillRect(&m_rcHeader, m_rgbHeaderBack);
    target->DrawString(margin, titleHeight, table->m_strTitle.c_str(), m_rgbText,
                       m_strTitleFont.c_str(), titleHeight);
    const std::string now = HeaderTime(m_Clock ? m_Clock() : std::time(nullptr));
    target->DrawString(width / 2 + margin, titleHeight, now.c_str(), m_rgbText,
                       m_strTitleFont.c_str(), titleHeight);
    target->DrawLine(0, ClampToInt(width - 1), ClampToInt(separator), ClampToInt(separator),
                     textColour);
    m_rcFrame = {margin, headerHeight + margin, width - 1 - margin, height - 1 - margin};

    long legendY = separator;
    if (!table->m_XValues.empty() || !table->m_TimeStamps.empty()) {
        PrepareAxes(*table);
        DrawAxis(target, table, ClampToInt(margin));
        for (int i = 0; i < columns; ++i) {
            long x = margin;
            if (i % 2 == 0)
                legendY += rowHeight;
            else
                x = width / 2 + margin;
            CCSVColumn* column = table->GetAt(i);
            const RGBQUAD& colour = ColumnColor(i);
            target->DrawString(x, legendY, Caption(*column), colour, m_strLegendFont.c_str(),
                               rowHeight);
            DrawGraph(target, table, column, &colour);
        }
    }

    const int closeY = ClampToInt(legendY + rowHeight / 2);
    target->DrawLine(0, ClampToInt(width - 1), closeY, closeY, textColour);
    target->DrawLine(ClampToInt(width / 2), ClampToInt(width / 2), 0, closeY, textColour);
    target->Finish();
    return true;
}

void CCSVTable2Graph::PrepareAxes(CCSVTable& table) const
{
    PrepareTimeScale(table.m_TimeScale, TimeScaleBase(m_dXLogBase));
    PrepareAxis(table.m_XAxis, {m_dXLogBase, std::max(m_nXTicks, 1), false, m_bRangeSet,
                                m_dXRangeMin, m_dXRangeMax});
    const AxisSettings values{m_dYLogBase, std::max(m_nYTicks, 1), m_bIncludeZero,
                              m_bRangeSet, m_dYRangeMin,           m_dYRangeMax};
    for (const auto& column : table)
        PrepareAxis(*column, values);
    PrepareAxis(table.m_ValueAxis, values);
}

void CCSVTable2Graph::DrawAxis(CCSVGraphContext* target, CCSVTable* table, int labelHeight)
{
    if (IsTimeBased(*table))
        DrawTimeAxis(target, *table, labelHeight);
    else
        DrawXAxis(target, *table, labelHeight);

    const long columns = table->GetSize();
    if (columns == 0)
        return;
    const long left = m_rcFrame.left;
    const long right = m_rcFrame.right;
    if (!SeparateAxes()) {
        DrawYAxis(target, &table->m_ValueAxis, labelHeight, ClampToInt(left), ClampToInt(right),
                  m_rgbAxis, m_rgbPlotBack);
        return;
    }
    const long strip = (right - left) / columns;
    const long tick = std::max(strip / 10, 10L);
    for (int i = 0; i < columns; ++i) {
        const long x = left + i * strip;
        DrawYAxis(target, table->GetAt(i), labelHeight, ClampToInt(x), ClampToInt(x + tick),
                  ColumnColor(i), m_rgbPlotBack);
    }
}

void CCSVTable2Graph::DrawTimeAxis(CCSVGraphContext* target, CCSVTable& table,
                                   int labelHeight) const
{
    const CCSVTimeScale& scale = table.m_TimeScale;
    TimeScaleUnit unit = TimeScaleMilliseconds;
    std::int64_t first = 0;
    std::int64_t last = 0;
    const std::int64_t step = scale.GetScaleSteps(std::max(m_nXTicks, 1), unit, &first, &last);
    if (step <= 0 ||
        !((static_cast<double>(last) - static_cast<double>(first)) / static_cast<double>(step) <=
          MaxTicks))
        return;

    const TimeFraction fraction(scale);
    const FramePixels frame(m_rcFrame);
    std::string dateText;
    std::string timeText;
    for (std::int64_t time = first; time <= last;) {
        const int x = frame.X(fraction(AxisTransform(time, scale.m_LogBase)));
        DrawXGridLine(target, x, time == 0);
        scale.FormatStep(time, unit, dateText, timeText);
        target->DrawString(x, m_rcFrame.bottom - labelHeight, dateText.c_str(), m_rgbGrid,
                           m_strAxisFont.c_str(), labelHeight);
        target->DrawString(x, m_rcFrame.bottom, timeText.c_str(), m_rgbGrid, m_strAxisFont.c_str(),
                           labelHeight);
        const std::int64_t next = scale.GetNextStep(time, step);
        if (next <= time)
            break;
        time = next;
    }
}

void CCSVTable2Graph::DrawXAxis(CCSVGraphContext* target, CCSVTable& table, int labelHeight) const
{
    const CCSVAxis& axis = table.m_XAxis;
    const NiceSteps steps = FindNiceSteps(axis, std::max(m_nXTicks, 1));
    const AxisFraction fraction(axis);
    const FramePixels frame(m_rcFrame);
    ForEachTick(steps, [&](double value) {
        const int x = frame.X(fraction(AxisTransform(value, axis.m_LogBase)));
        DrawXGridLine(target, x, value == 0);
        target->DrawString(x, m_rcFrame.bottom, FormatTick(value, steps.decimals).c_str(),
                           m_rgbGrid, m_strAxisFont.c_str(), labelHeight);
    });
}

void CCSVTable2Graph::DrawYAxis(CCSVGraphContext* target, CCSVAxis* axis, int labelHeight,
                                int tickLeft, int tickRight, const RGBQUAD& colour,
                                const RGBQUAD& paleColour)
{
    const COLORREF strong = RGBQUADToCOLORREF(Blend(colour, paleColour, 3));
    const COLORREF light = RGBQUADToCOLORREF(Blend(colour, paleColour, 6));
    const NiceSteps steps = FindNiceSteps(*axis, std::max(m_nYTicks, 1));
    const AxisFraction fraction(*axis);
    const FramePixels frame(m_rcFrame);
    const int left = ClampToInt(m_rcFrame.left);
    const int right = ClampToInt(m_rcFrame.right);
    ForEachTick(steps, [&](double value) {
        const int y = frame.Y(fraction(AxisTransform(value, axis->m_LogBase)));
        target->DrawLine(left, right, y, y, light);
        target->DrawLine(tickLeft, tickRight, y, y, strong);
        if (value == 0) {
            target->DrawLine(left, right, y - 1, y - 1, light);
            target->DrawLine(tickLeft, tickRight, y - 1, y - 1, strong);
        }
        target->DrawString(tickLeft, y, FormatTick(value, steps.decimals).c_str(), colour,
                           m_strAxisFont.c_str(), labelHeight);
    });
}

void CCSVTable2Graph::DrawGraph(CCSVGraphContext* target, CCSVTable* table, CCSVColumn* column,
                                const RGBQUAD* colour)
{
    const CCSVAxis& axis = SeparateAxes() ? *column : table->m_ValueAxis;
    const AxisFraction yFraction(axis);
    const FramePixels frame(m_rcFrame);
    const std::vector<double>& values = column->m_Values;

    // A point needs a finite value and an X coordinate; lines without one leave a gap that the
    // next point bridges. The points go to the target in pieces that share their ends, which
    // draws the same segments without holding a long series twice.
    constexpr std::size_t Piece = 4096;
    const COLORREF lineColour = RGBQUADToCOLORREF(*colour);
    std::vector<POINT> points;
    points.reserve(Piece);
    const auto add = [&](int x, int y) {
        points.push_back({x, y});
        if (points.size() == Piece) {
            target->DrawPolyline(points, lineColour);
            points.erase(points.begin(), points.end() - 1);
        }
    };
    const auto yPixel = [&](double value) {
        return frame.Y(yFraction(AxisTransform(value, axis.m_LogBase)));
    };
    // On linear axes the pixels follow the values in one direction, and X in order can be drawn
    // a pixel column at a time.
    const auto draw = [&](const auto& xs, const auto& xFraction, auto base) {
        const std::size_t count = std::min(values.size(), xs.size());
        const auto xPixel = [&](std::size_t i) {
            return frame.X(xFraction(AxisTransform(xs[i], base)));
        };
        if (base == 0 && axis.m_LogBase == 0 && Ascending(xs, count)) {
            AddByColumns(values, count, xPixel, yPixel, add);
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (std::isfinite(values[i]) && std::isfinite(static_cast<double>(xs[i])))
                add(xPixel(i), yPixel(values[i]));
        }
    };
    if (IsTimeBased(*table))
        draw(table->m_TimeStamps, TimeFraction(table->m_TimeScale), table->m_TimeScale.m_LogBase);
    else
        draw(table->m_XValues, AxisFraction(table->m_XAxis), table->m_XAxis.m_LogBase);
    if (points.size() > 1)
        target->DrawPolyline(points, lineColour);
}

void CCSVTable2Graph::DrawXGridLine(CCSVGraphContext* target, int x, bool atZero) const
{
    const int top = ClampToInt(m_rcFrame.top);
    const int bottom = ClampToInt(m_rcFrame.bottom);
    const COLORREF grid = RGBQUADToCOLORREF(m_rgbGrid);
    target->DrawLine(x, x, top, bottom, grid);
    if (atZero)
        target->DrawLine(x - 1, x - 1, top, bottom, grid);
}

const RGBQUAD& CCSVTable2Graph::ColumnColor(int index) const
{
    const RGBQUAD* colours = m_pColors ? m_pColors : DefaultColorTable;
    return colours[index % DefaultColorCount];
}
