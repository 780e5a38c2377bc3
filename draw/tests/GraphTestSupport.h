#pragma once

#include "CSVGraph.h"
#include "CSVTabs.h"

#include <QImage>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

// One call on a drawing target. Prepare: a = width, b = height; FillRect: a..d = left, top,
// right, bottom; DrawString: a = x, b = y, c = font height; DrawLine: a = x1, b = x2, c = y1,
// d = y2.
struct GraphCall
{
    enum Kind
    {
        Prepare,
        FillRect,
        DrawString,
        DrawLine,
        Finish,
    };
    explicit GraphCall(Kind kind, long a = 0, long b = 0, long c = 0, long d = 0)
        : kind(kind), a(a), b(b), c(c), d(d)
    {
    }

    Kind kind;
    long a = 0;
    long b = 0;
    long c = 0;
    long d = 0;
    std::string text;
    std::string font;
    RGBQUAD rgb{};
    COLORREF colour = 0;
};

// A target that records what the renderer asks of it.
class RecordingContext : public CCSVGraphContext
{
public:
    void Prepare(int width, int height) override;
    void FillRect(RECT* rect, RGBQUAD colour) override;
    void DrawString(long x, long y, const char* text, RGBQUAD colour, const char* fontName,
                    long fontHeight) override;
    void DrawLine(int x1, int x2, int y1, int y2, COLORREF colour) override;
    void Finish() override;

    std::vector<GraphCall> Of(GraphCall::Kind kind) const;
    // The lines drawn in the colour.
    std::vector<GraphCall> LinesIn(COLORREF colour) const;
    // The texts drawn in the colour, in order.
    std::vector<std::string> TextsIn(const RGBQUAD& colour) const;

    std::vector<GraphCall> calls;
};

// A table filled the way the terminal fills its graphs: X values or time stamps, and columns
// with their running ranges and the common value range.
class TestTable
{
public:
    explicit TestTable(CSVFormatType type = CSVFormatXY) : table(type) {}

    CCSVColumn& AddColumn(const std::string& caption);
    void AddLine(double x, std::initializer_list<double> values);
    void AddTimeLine(std::int64_t time, std::initializer_list<double> values);

    CCSVTable table;

private:
    void AddValues(bool first, std::initializer_list<double> values);

    std::deque<CSVColumn> m_Formats;
};

// Pictures drawn by the fast polyline path and by one line call per segment.
class PlainImage : public CCSVGraph2Image
{
public:
    void DrawPolyline(std::span<const POINT> points, COLORREF colour) override
    {
        CCSVGraphContext::DrawPolyline(points, colour);
    }
};

class PlainDC : public CCSVGraph2DC
{
public:
    using CCSVGraph2DC::CCSVGraph2DC;
    void DrawPolyline(std::span<const POINT> points, COLORREF colour) override
    {
        CCSVGraphContext::DrawPolyline(points, colour);
    }
};

// The rows of a picture from the top, as a QImage has them.
QImage ToQImage(const CxImage& image);

// A temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return (m_Path / name).string(); }

private:
    std::filesystem::path m_Path;
};

// Makes the local time zone the named one while it lives, then UTC again, as the tests run.
class ZoneScope
{
public:
    explicit ZoneScope(const char* zone);
    ~ZoneScope();
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;
};

// The local zone's offset from UTC at a time, in seconds, as the C runtime gives it.
long ZoneOffset(std::time_t time);

// A local calendar time as the C runtime makes it, in milliseconds.
std::int64_t LocalMs(int year, int month, int day, int hour, int minute);

// A fixed clock for the header: 01.02.2024 10:00:00 UTC.
inline constexpr std::time_t FixedNow = 1706781600;
