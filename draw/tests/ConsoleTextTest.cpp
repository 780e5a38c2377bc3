// A console program that draws graphs into pictures without any Qt application of its own.

#include "CSVGraph.h"
#include "CSVTabs.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> g_Warnings;

void KeepWarning(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_Warnings.push_back(message.toStdString());
}

// The pixels in the picture's rows top to bottom, columns left to right, that are not white.
int MarkedPixels(const CxImage& image, long left, long top, long right, long bottom)
{
    int count = 0;
    for (long y = top; y <= bottom; ++y) {
        for (long x = left; x <= right; ++x) {
            const RGBQUAD pixel = image.GetPixelColor(x, image.GetHeight() - 1 - y);
            count += RGBQUADToCOLORREF(pixel) != 0xFFFFFF;
        }
    }
    return count;
}

} // namespace

TEST(ConsoleText, TextsWithoutAnApplicationOfTheProgramsOwn)
{
    // No display, and a platform that does not exist: the picture needs neither.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "none-such", 1);
    qInstallMessageHandler(KeepWarning);

    // Another thread cannot make the application: the text fails, and says so once.
    bool drawn = true;
    std::thread([&drawn] {
        CxImage image;
        image.Create(100, 40, 24, CXIMAGE_FORMAT_UNKNOWN);
        drawn = image.DrawString(2, 30, "Title", RGBQuad(0, 0, 0), "Courier", 20) ||
                image.DrawString(2, 30, "Title", RGBQuad(0, 0, 0), "Courier", 20);
    }).join();
    EXPECT_FALSE(drawn);
    ASSERT_EQ(g_Warnings.size(), 1u);
    EXPECT_NE(g_Warnings[0].find("texts need a QGuiApplication"), std::string::npos);
    EXPECT_EQ(qGuiApp, nullptr);
    g_Warnings.clear();

    CSVColumn format;
    format.m_strCaption = "Distance";
    CCSVTable table(CSVFormatXY);
    auto* column = new CCSVColumn;
    column->m_pFormat = &format;
    table.Add(column);
    table.m_strTitle = "Console";
    for (int i = 0; i < 3; ++i) {
        table.m_XValues.push_back(i);
        table.m_XAxis.AddValue(i, i == 0);
        column->m_Values.push_back(i * i);
        column->AddValue(i * i, i == 0);
    }
    table.m_ValueAxis.Merge(*column, true);
    CCSVTable2Graph graph(&table);
    graph.SetSize(800, 600);
    CCSVGraph2Image image;
    ASSERT_TRUE(graph.Draw(&image));

    // Title above the separator at y 26 and legend below it: without texts the header's left
    // half is white but for that line.
    EXPECT_GT(MarkedPixels(image, 0, 0, 399, 25), 20);
    EXPECT_GT(MarkedPixels(image, 0, 27, 399, 40), 20);
    ASSERT_NE(qGuiApp, nullptr);
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    for (const std::string& warning : g_Warnings)
        EXPECT_EQ(warning.find("Plotra"), std::string::npos) << warning;
}
