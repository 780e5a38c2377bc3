// Reads a CSV file of three columns (X and two values) with the CSV library, draws it with the
// drawing library and saves the picture; fails unless the picture shows both curves.

#include "CSVGraph.h"
#include "CSVTabs.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <string>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "telvan-consumer: %s\n", message.c_str());
    return 1;
}

int PixelsOf(const QImage& picture, RGBQUAD colour)
{
    const QRgb wanted = qRgb(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixel(x, y) == wanted;
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: telvan-consumer TABLE.csv PICTURE.png");
    const std::string csv = argv[1];
    const std::string png = argv[2];
    const QGuiApplication application(argc, argv);

    CCSVTable table(CSVFormatXY);
    CCSVStream stream;
    if (!stream.OpenStream(csv + ",0,0,1L,2L[Distance],3L[Speed]", ",", ".", &table))
        return Fail("cannot open " + csv);
    stream.ProcessStream();
    if (table.GetSize() != 2 || table.m_XValues.size() < 2)
        return Fail("read " + std::to_string(table.GetSize()) + " columns of " +
                    std::to_string(table.m_XValues.size()) + " lines");

    CCSVTable2Graph graph(&table);
    graph.SetSize(320, 240);
    CCSVGraph2Image image;
    if (!graph.Draw(&image) || !image.Save(png.c_str(), CXIMAGE_FORMAT_PNG))
        return Fail("cannot draw " + png);

    const QImage picture(QString::fromStdString(png));
    if (picture.size() != QSize(320, 240))
        return Fail("the picture does not read back at 320x240");
    for (int column = 0; column < 2; ++column) {
        if (PixelsOf(picture, DefaultColorTable[column]) < 100)
            return Fail("the curve of column " + std::to_string(column + 1) + " is missing");
    }
    return 0;
}
