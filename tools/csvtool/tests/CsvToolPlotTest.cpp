#include "CsvToolRun.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// A measurement log as the terminal exports it for spreadsheets: header, ";", decimal comma.
constexpr const char* Log = "Date;Time;Distance;Speed\r\n"
                            "01.02.2024;10:00:00;12,500;0,00\r\n"
                            "01.02.2024;10:00:01;12,750;0,25\r\n"
                            "01.02.2024;10:00:02;13,250;0,50\r\n"
                            "01.02.2024;10:00:03;13,000;-0,25\r\n"
                            "01.02.2024;10:00:05;12,000;-0,50\r\n";

int PixelsOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return count;
}

} // namespace

TEST_F(CsvToolRun, PlotWritesPicturesThatReadBack)
{
    Write("log.csv", Log);
    const ProgramRun png =
        Run({"plot", "--time", "log.csv,1,2,3L[Distance],4L[Speed],[]", "-o", "log.png"});
    EXPECT_EQ(png.status, 0);
    EXPECT_EQ(png.err, "");
    EXPECT_EQ(png.out, "");
    const ProgramRun bmp =
        Run({"plot", "log.csv,1,2,3L,4L,[]", "--time", "--size", "400x300", "-o", "log.bmp"});
    EXPECT_EQ(bmp.status, 0);
    EXPECT_EQ(bmp.err, "");

    const QImage picture((m_Folder / "log.png").c_str(), "PNG");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(800, 600));
    // Header white, plot area pale grey, the first column's curve in its colour.
    EXPECT_EQ(picture.pixel(2, 2), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(picture.pixel(2, 598), qRgb(0xEE, 0xEE, 0xEE));
    EXPECT_GT(PixelsOf(picture, qRgb(0x11, 0x11, 0xFF)), 700);
    EXPECT_GT(PixelsOf(picture, qRgb(0xFF, 0x11, 0x11)), 700);

    const QImage bitmap((m_Folder / "log.bmp").c_str(), "BMP");
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.size(), QSize(400, 300));
    EXPECT_EQ(bitmap.pixel(2, 298), qRgb(0xEE, 0xEE, 0xEE));
    EXPECT_GT(PixelsOf(bitmap, qRgb(0x11, 0x11, 0xFF)), 350);
}

TEST_F(CsvToolRun, PlotTakesXFromTheFirstColumnByDefault)
{
    const std::string points = "0.0,1.0\n1.0,4.0\n2.0,9.0\n3.0,16.0\n";
    const ProgramRun run = Run(
        {"plot", "-,0,0,1L,2L[Square]", "--separator", ",", "--decimal", ".", "-o", "square.png"},
        points);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const QImage picture((m_Folder / "square.png").c_str());
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(PixelsOf(picture, qRgb(0x11, 0x11, 0xFF)), 500);

    Write("lines.csv", "5\n7\n6\n");
    EXPECT_EQ(Run({"plot", "--lines", "lines.csv,0,0,1L", "-o", "lines.ppm"}).status, 0);
    EXPECT_FALSE(QImage((m_Folder / "lines.ppm").c_str()).isNull());
}

// A large file is read in two halves at once, standard input in order: the same curves.
TEST_F(CsvToolRun, PlotOfALargeFileAsOfTheSameLinesInOrder)
{
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += std::to_string(i) + ";" + (i % 9 == 0 ? "" : std::to_string(i % 700 - i / 100)) +
                (i % 2 ? "\r\n" : "\n");
    Write("large.csv", text);
    const ProgramRun file = Run({"plot", "large.csv,0,0,1L,2L", "-o", "file.png"});
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(file.err, "");
    const ProgramRun input = Run({"plot", "-,0,0,1L,2L", "-o", "input.png"}, text);
    EXPECT_EQ(input.status, 0);
    const QImage fromFile((m_Folder / "file.png").c_str());
    const QImage fromInput((m_Folder / "input.png").c_str());
    ASSERT_FALSE(fromFile.isNull());
    ASSERT_EQ(fromFile.size(), fromInput.size());
    // Below the header, which tells the time of drawing.
    const int top = fromFile.height() / 4;
    EXPECT_EQ(fromFile.copy(0, top, fromFile.width(), fromFile.height() - top),
              fromInput.copy(0, top, fromInput.width(), fromInput.height() - top));
    EXPECT_GT(PixelsOf(fromFile, qRgb(0x11, 0x11, 0xFF)), 1000);
}

TEST_F(CsvToolRun, PlotErrorsExitWithOneLineAndWriteNothing)
{
    Write("log.csv", Log);
    Write("header.csv", "Date;Time;Distance\r\n");
    ExpectError({"plot", "log.csv,1,2,3L,[]", "-o", "log.xyz"},
                "\"log.xyz\" has no known picture ending; use .png, .bmp or .jpg");
    ExpectError({"plot", "log.csv,1,2,3L,[]", "-o", "log"},
                "\"log\" has no known picture ending; use .png, .bmp or .jpg");
    ExpectError({"plot", "log.csv,1,2,3L,[]", "-o", "log.pcx"},
                "cannot write PCX pictures; use .png, .bmp or .jpg");
    ExpectError({"plot", "missing.csv,1,2,3L", "-o", "log.png"},
                "cannot open \"missing.csv\": No such file or directory");
    ExpectError({"plot", "--time", "header.csv,1,2,3L,[]", "-o", "log.png"},
                "\"header.csv\" has no line with a date and a time (such as 24.12.2010 and "
                "18:30:00)");
    ExpectError({"plot", "--time", "log.csv,1,2,[]", "-o", "log.png"},
                "\"log.csv\" selects no column to plot: add items such as 3L after the date "
                "and time columns, or *; see --help");
    ExpectError({"plot", "--time", "log.csv,1,2,3L,[]", "-o", "folder/log.png"},
                "cannot write \"folder/log.png\"");
    EXPECT_FALSE(std::filesystem::exists(m_Folder / "log.png"));
    EXPECT_FALSE(std::filesystem::exists(m_Folder / "log.pcx"));
}
