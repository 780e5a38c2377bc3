#include "GraphTestSupport.h"

#include <cstdlib>

void RecordingContext::Prepare(int width, int height)
{
    calls.emplace_back(GraphCall::Prepare, width, height);
}

void RecordingContext::FillRect(RECT* rect, RGBQUAD colour)
{
    GraphCall call(GraphCall::FillRect, rect->left, rect->top, rect->right, rect->bottom);
    call.rgb = colour;
    calls.push_back(call);
}

void RecordingContext::DrawString(long x, long y, const char* text, RGBQUAD colour,
                                  const char* fontName, long fontHeight)
{
    GraphCall call(GraphCall::DrawString, x, y, fontHeight);
    call.text = text;
    call.font = fontName;
    call.rgb = colour;
    calls.push_back(call);
}

void RecordingContext::DrawLine(int x1, int x2, int y1, int y2, COLORREF colour)
{
    GraphCall call(GraphCall::DrawLine, x1, x2, y1, y2);
    call.colour = colour;
    calls.push_back(call);
}

void RecordingContext::Finish()
{
    calls.emplace_back(GraphCall::Finish);
}

std::vector<GraphCall> RecordingContext::Of(GraphCall::Kind kind) const
{
    std::vector<GraphCall> found;
    for (const GraphCall& call : calls) {
        if (call.kind == kind)
            found.push_back(call);
    }
    return found;
}

std::vector<GraphCall> RecordingContext::LinesIn(COLORREF colour) const
{
    std::vector<GraphCall> found;
    for (const GraphCall& call : calls) {
        if (call.kind == GraphCall::DrawLine && call.colour == colour)
            found.push_back(call);
    }
    return found;
}

std::vector<std::string> RecordingContext::TextsIn(const RGBQUAD& colour) const
{
    std::vector<std::string> found;
    for (const GraphCall& call : calls) {
        if (call.kind == GraphCall::DrawString &&
            RGBQUADToCOLORREF(call.rgb) == RGBQUADToCOLORREF(colour))
            found.push_back(call.text);
    }
    return found;
}

CCSVColumn& TestTable::AddColumn(const std::string& caption)
{
    CSVColumn& format = m_Formats.emplace_back();
    format.m_strCaption = caption;
    format.m_bHasCaption = 1;
    format.m_nIndex = static_cast<int>(m_Formats.size());
    auto* column = new CCSVColumn;
    column->m_pFormat = &format;
    table.Add(column);
    return *column;
}

void TestTable::AddLine(double x, std::initializer_list<double> values)
{
    const bool first = table.m_XValues.empty();
    table.m_XValues.push_back(x);
    table.m_XAxis.AddValue(x, first);
    AddValues(first, values);
}

void TestTable::AddTimeLine(std::int64_t time, std::initializer_list<double> values)
{
    const bool first = table.m_TimeStamps.empty();
    table.m_TimeStamps.push_back(time);
    table.m_TimeScale.AddValue(time, first);
    AddValues(first, values);
}

void TestTable::AddValues(bool first, std::initializer_list<double> values)
{
    if (first)
        table.m_ValueAxis.m_bEmpty = true;
    int i = 0;
    for (const double value : values) {
        CCSVColumn* column = table[i++];
        column->m_Values.push_back(value);
        column->AddValue(value, first);
        table.m_ValueAxis.AddValue(value, false);
    }
}

QImage ToQImage(const CxImage& image)
{
    QImage result(static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight()),
                  QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const RGBQUAD pixel = image.GetPixelColor(x, image.GetHeight() - 1 - y);
            result.setPixel(x, y, qRgb(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue));
        }
    }
    return result;
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plotra-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        m_Path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
}

ZoneScope::ZoneScope(const char* zone)
{
    setenv("TZ", zone, 1);
    tzset();
}

ZoneScope::~ZoneScope()
{
    setenv("TZ", "UTC", 1);
    tzset();
}

long ZoneOffset(std::time_t time)
{
    std::tm tm{};
    localtime_r(&time, &tm);
    return tm.tm_gmtoff;
}

std::int64_t LocalMs(int year, int month, int day, int hour, int minute)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&tm)) * 1000;
}
