// How long the Zelnar Graphic page takes to redraw both its graphs, as the dialog's 100 ms timer
// has them redrawn, with N points each: the real main dialog (offscreen) at its start-up size,
// the graphs filled with a slow wave with noise, the median of several redraws for each N.
//   telvan-graph-bench [N...]

#include "CSVGraph2Static.h"
#include "GraphData.h"
#include "GraphZL.h"
#include "PageTabCtrl.h"
#include "ZelnarDlg.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

double MedianRedrawMilliseconds(GraphZL& page, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        page.SpeedStatic().repaint();
        page.DistanceStatic().repaint();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {150, 10000, 100000, 200000, 500000, 1000000};

    ZelnarDlg dialog;
    dialog.show();
    FindControl<CPageTabCtrl>(&dialog, 1011)->setCurrentWidget(&dialog.Graph());
    QApplication::processEvents();
    std::printf("graphs of %dx%d and %dx%d pixels\n", dialog.Graph().SpeedStatic().width(),
                dialog.Graph().SpeedStatic().height(), dialog.Graph().DistanceStatic().width(),
                dialog.Graph().DistanceStatic().height());
    std::mt19937 random(20240301);
    std::normal_distribution<double> noise(0, 0.05);
    for (const int points : counts) {
        g_nPointsNumber = points;
        CreateGraphTablesZL();
        for (int i = 0; i < points; ++i) {
            const double wave = std::sin(6.283185307179586 * 3 * i / points);
            AddGraphPoint(12 + 3 * wave + noise(random), 0.5 * wave + noise(random));
        }
        std::printf("N = %8d: both graphs redrawn in %8.2f ms (median of 21)\n", points,
                    MedianRedrawMilliseconds(dialog.Graph(), 21));
    }
    return 0;
}
