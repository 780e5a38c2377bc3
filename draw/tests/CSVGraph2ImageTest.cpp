#include "GraphTestSupport.h"
#include "PngWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

namespace {

constexpr RGBQUAD Red = RGBQuad(0xFF, 0, 0);
constexpr RGBQUAD Blue = RGBQuad(0, 0, 0xFF);

bool Same(const RGBQUAD& a, const RGBQUAD& b)
{
    return RGBQUADToCOLORREF(a) == RGBQUADToCOLORREF(b);
}

// The picture's pixel in the renderer's rows, counted from the top.
RGBQUAD Shown(const CxImage& image, long x, long y)
{
    return image.GetPixelColor(x, image.GetHeight() - 1 - y);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A long noisy series with gaps, and a second column that jumps about.
void FillSeries(TestTable& data, int points)
{
    data.AddColumn("Distance");
    data.AddColumn("Noise");
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 0.3);
    for (int i = 0; i < points; ++i) {
        const double wave = 10 + 3 * std::sin(i * 0.0002);
        const double value = i % 997 == 0 ? std::nan("") : wave + noise(random);
        data.AddLine(i, {value, i % 5 == 0 ? noise(random) * 100 : noise(random)});
    }
}

} // namespace

TEST(CSVGraph2Image, RectanglesAndLinesAreMirrored)
{
    CCSVGraph2Image image;
    image.Prepare(10, 8);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_TRUE(Same(Shown(image, 0, 0), RGBQuad(0, 0, 0)));

    // Rectangles keep their rows, edges included; lines land one row higher (height - y).
    RECT rect{1, 1, 4, 3};
    image.FillRect(&rect, Blue);
    for (long y = 0; y < 8; ++y) {
        for (long x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 3;
            EXPECT_EQ(Same(Shown(image, x, y), Blue), inside) << x << "," << y;
        }
    }
    image.DrawLine(6, 9, 5, 5, RGBQUADToCOLORREF(Red));
    for (long x = 6; x <= 9; ++x)
        EXPECT_TRUE(Same(Shown(image, x, 4), Red)) << x;
    EXPECT_TRUE(Same(Shown(image, 6, 5), RGBQuad(0, 0, 0)));
}

TEST(CSVGraph2Image, RectangleFromTheFirstRowCoversItButALineThereFallsOutside)
{
    CCSVGraph2Image image;
    image.Prepare(6, 4);
    RECT top{0, 0, 5, 0};
    image.FillRect(&top, Blue);
    for (long x = 0; x < 6; ++x) {
        EXPECT_TRUE(Same(Shown(image, x, 0), Blue));
        EXPECT_TRUE(Same(Shown(image, x, 1), RGBQuad(0, 0, 0)));
    }
    image.DrawLine(0, 5, 0, 0, RGBQUADToCOLORREF(Red));
    for (long y = 0; y < 4; ++y) {
        for (long x = 0; x < 6; ++x)
            EXPECT_FALSE(Same(Shown(image, x, y), Red));
    }
}

TEST(CSVGraph2Image, FillCoversTheConnectedAreaInsideTheRectangle)
{
    // A wall in column 3 from the row wallTop down, then a fill of columns 0..5, rows 0..4.
    const auto walledFill = [](int wallTop) {
        CCSVGraph2Image image;
        image.Prepare(8, 6);
        image.DrawLine(3, 3, wallTop + 1, 7, RGBQUADToCOLORREF(Red));
        RECT rect{0, 0, 5, 4};
        image.FillRect(&rect, Blue);
        return image;
    };
    // A wall across the rectangle stops the fill that starts at its top-left corner.
    const CCSVGraph2Image closed = walledFill(0);
    EXPECT_TRUE(Same(Shown(closed, 0, 0), Blue));
    EXPECT_TRUE(Same(Shown(closed, 2, 4), Blue));
    EXPECT_TRUE(Same(Shown(closed, 3, 2), Red));
    EXPECT_TRUE(Same(Shown(closed, 4, 2), RGBQuad(0, 0, 0)));

    // A gap in the wall lets it through; nothing outside the rectangle is filled.
    CCSVGraph2Image open = walledFill(1);
    EXPECT_TRUE(Same(Shown(open, 3, 0), Blue));
    EXPECT_TRUE(Same(Shown(open, 4, 3), Blue));
    EXPECT_TRUE(Same(Shown(open, 6, 0), RGBQuad(0, 0, 0)));
    EXPECT_TRUE(Same(Shown(open, 2, 5), RGBQuad(0, 0, 0)));

    // A rectangle outside the picture fills nothing.
    RECT outside{20, 20, 30, 30};
    open.FillRect(&outside, Red);
    EXPECT_TRUE(Same(Shown(open, 7, 5), RGBQuad(0, 0, 0)));
}

TEST(CSVGraph2Image, CopiesKeepThePixels)
{
    CCSVGraph2Image image;
    image.Prepare(4, 4);
    RECT rect{0, 0, 3, 3};
    image.FillRect(&rect, Blue);
    const CCSVGraph2Image copy(image);
    image.Prepare(4, 4);
    EXPECT_TRUE(Same(Shown(copy, 2, 2), Blue));
    EXPECT_TRUE(Same(Shown(image, 2, 2), RGBQuad(0, 0, 0)));
}

namespace {

// A graph of 500 points, 320 x 200.
void DrawSeries(CCSVGraph2Image& image)
{
    TestTable data;
    FillSeries(data, 500);
    CCSVTable2Graph graph(&data.table);
    graph.SetSize(320, 200);
    ASSERT_TRUE(graph.Draw(&image));
}

} // namespace

TEST(CSVGraph2Image, SavedPicturesReadBackPixelForPixel)
{
    CCSVGraph2Image image;
    DrawSeries(image);
    const QImage expected = ToQImage(image);

    TempFolder folder;
    for (const char* name : {"graph.png", "graph.bmp", "graph.ppm"}) {
        const std::string path = folder.Path(name);
        const int format = FilenameEnding2CxImageFormat(std::strrchr(name, '.'));
        ASSERT_TRUE(image.Save(path.c_str(), static_cast<std::uint32_t>(format))) << name;
        QImage read(QString::fromStdString(path));
        ASSERT_FALSE(read.isNull()) << name;
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), expected) << name;
    }
    // An opaque PNG: 8-bit RGB, no alpha channel.
    const std::string png = ReadBytes(folder.Path("graph.png"));
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    // A 24-bit bitmap: "BM", then 24 bits per pixel at offset 28.
    const std::string bmp = ReadBytes(folder.Path("graph.bmp"));
    ASSERT_GT(bmp.size(), 30u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);

#ifndef __SANITIZE_ADDRESS__
    // Left to the other builds: Qt's JPEG plugin brings libjpeg's thread-local data, which
    // LeakSanitizer (GCC 12, glibc 2.36) misreads at the program's end and crashes on.
    const std::string jpeg = folder.Path("graph.jpg");
    ASSERT_TRUE(image.Save(jpeg.c_str(), CXIMAGE_FORMAT_JPG));
    EXPECT_EQ(QImageReader(QString::fromStdString(jpeg)).size(), QSize(320, 200));
#endif
}

namespace {

// A device that takes some bytes, then fails, as a full disk does.
class FillingDevice : public QBuffer
{
public:
    explicit FillingDevice(qint64 room) : m_Room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        if (size() + length > m_Room)
            return -1;
        return QBuffer::writeData(data, length);
    }

private:
    qint64 m_Room;
};

} // namespace

TEST(CSVGraph2Image, PngWriteFailureIsReported)
{
    CCSVGraph2Image image;
    DrawSeries(image);
    const QImage picture = ToQImage(image);
    FillingDevice whole(1 << 20);
    ASSERT_TRUE(WritePng(picture, whole));
    for (const qint64 room : {qint64{0}, qint64{40}, whole.size() - 1}) {
        FillingDevice device(room);
        EXPECT_FALSE(WritePng(picture, device)) << room;
    }
}

TEST(CSVGraph2Image, FormatsQtCannotWriteAreRefused)
{
    CCSVGraph2Image image;
    image.Prepare(4, 4);
    TempFolder folder;
    const std::string path = folder.Path("graph.pcx");
    EXPECT_FALSE(CxImage::CanSave(CXIMAGE_FORMAT_PCX));
    EXPECT_FALSE(image.Save(path.c_str(), CXIMAGE_FORMAT_PCX));
    EXPECT_FALSE(image.Save(path.c_str(), CXIMAGE_FORMAT_UNKNOWN));
    EXPECT_FALSE(std::filesystem::exists(path));
    // Nothing is written over a file that cannot be replaced, nor without a picture.
    EXPECT_FALSE(image.Save(folder.Path("missing/graph.png").c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_FALSE(CCSVGraph2Image().Save(folder.Path("empty.png").c_str(), CXIMAGE_FORMAT_PNG));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("empty.png")));
}

TEST(CSVGraph2Image, FileEndingsPickTheFormat)
{
    EXPECT_EQ(FilenameEnding2CxImageFormat("..JPEG"), CXIMAGE_FORMAT_JPG);
    EXPECT_EQ(FilenameEnding2CxImageFormat("Tif"), CXIMAGE_FORMAT_TIF);
    EXPECT_EQ(FilenameEnding2CxImageFormat("jng"), CXIMAGE_FORMAT_MNG);
    EXPECT_EQ(FilenameEnding2CxImageFormat(".bmp"), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(FilenameEnding2CxImageFormat("PGM"), CXIMAGE_FORMAT_PNM);
    EXPECT_EQ(FilenameEnding2CxImageFormat("j2c"), CXIMAGE_FORMAT_JPC);
    EXPECT_EQ(FilenameEnding2CxImageFormat("emf"), CXIMAGE_FORMAT_WMF);
    EXPECT_EQ(FilenameEnding2CxImageFormat("xyz"), 0);
    EXPECT_EQ(FilenameEnding2CxImageFormat(""), 0);
    EXPECT_EQ(FilenameEnding2CxImageFormat("..."), 0);
    EXPECT_EQ(FilenameEnding2CxImageFormat("png.bmp"), 0);
    EXPECT_EQ(FilenameEnding2CxImageFormat(nullptr), 0);
}

TEST(CSVGraph2Image, LongSeriesDrawTheSamePixelsAsSegmentBySegment)
{
    TestTable data;
    FillSeries(data, 200000);
    for (const bool separate : {true, false}) {
        CCSVTable2Graph graph(&data.table);
        graph.SetAxis(0, 0, 10, 7, separate, false);
        graph.m_Clock = [] { return FixedNow; };
        CCSVGraph2Image fast;
        PlainImage plain;
        ASSERT_TRUE(graph.Draw(&fast));
        ASSERT_TRUE(graph.Draw(&plain));
        EXPECT_EQ(ToQImage(fast), ToQImage(plain));
    }
}
