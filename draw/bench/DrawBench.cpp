// Times CCSVTable2Graph::Draw of a one-column XY table into an 800 x 600 picture, the way the
// live graphs are redrawn, for series of several lengths.
//   plotra-bench [--plain]   --plain also times the segment-by-segment drawing of the longest

#include "CSVGraph.h"
#include "CSVTabs.h"
#include "MedianMilliseconds.h"

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

// A picture that draws every segment with a line call of its own.
class PlainImage : public CCSVGraph2Image
{
public:
    void DrawPolyline(std::span<const POINT> points, COLORREF colour) override
    {
        CCSVGraphContext::DrawPolyline(points, colour);
    }
};

// A slow wave with measurement noise, as a distance meter gives it.
void Fill(CCSVTable& table, CSVColumn& format, int points)
{
    auto* column = new CCSVColumn;
    column->m_pFormat = &format;
    table.Add(column);
    table.m_strTitle = "Distance";
    std::mt19937 random(20240301);
    std::normal_distribution<double> noise(0, 0.05);
    for (int i = 0; i < points; ++i) {
        const double x = i;
        const double value = 12 + 3 * std::sin(6.283185307179586 * 3 * i / points) + noise(random);
        table.m_XValues.push_back(x);
        table.m_XAxis.AddValue(x, i == 0);
        column->m_Values.push_back(value);
        column->AddValue(value, i == 0);
        table.m_ValueAxis.AddValue(value, i == 0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool plain = argc > 1 && std::strcmp(argv[1], "--plain") == 0;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    struct Series
    {
        int points;
        int runs;
    };
    for (const Series series : {Series{150, 201}, Series{10000, 101}, Series{1000000, 21}}) {
        CSVColumn format{"Distance", "Distance (m)", 1, 1};
        CCSVTable table(CSVFormatXY);
        Fill(table, format, series.points);
        CCSVTable2Graph graph(&table);
        graph.SetSize(800, 600);
        CCSVGraph2Image image;
        std::printf("Draw, 800x600, %7d points: median %8.3f ms of %d runs\n", series.points,
                    MedianMilliseconds([&] { graph.Draw(&image); }, series.runs), series.runs);
        if (plain && series.points == 1000000) {
            PlainImage plainImage;
            std::printf("  segment by segment:      median %8.3f ms of 5 runs\n",
                        MedianMilliseconds([&] { graph.Draw(&plainImage); }, 5));
        }
    }
    return 0;
}
