#include "CxImage.h"

#include "CellHeightFont.h"
#include "FontApplication.h"
#include "LineRaster.h"
#include "PaintCoordinate.h"
#include "PngWriter.h"

#include <QFile>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

QRgb ToQRgb(const RGBQUAD& colour)
{
    return qRgb(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

QRgb ToQRgb(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

bool Within(QRgb a, QRgb b, int tolerance)
{
    if (tolerance == 0)
        return a == b;
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The Qt writer of each format code; formats Qt has no name for are not written.
const char* QtFormat(std::uint32_t imageType)
{
    switch (imageType) {
    case CXIMAGE_FORMAT_BMP:
        return "bmp";
    case CXIMAGE_FORMAT_GIF:
        return "gif";
    case CXIMAGE_FORMAT_JPG:
        return "jpeg";
    case CXIMAGE_FORMAT_PNG:
        return "png";
    case CXIMAGE_FORMAT_ICO:
        return "ico";
    case CXIMAGE_FORMAT_TIF:
        return "tiff";
    case CXIMAGE_FORMAT_TGA:
        return "tga";
    case CXIMAGE_FORMAT_PCX:
        return "pcx";
    case CXIMAGE_FORMAT_WBMP:
        return "wbmp";
    case CXIMAGE_FORMAT_WMF:
        return "wmf";
    case CXIMAGE_FORMAT_JP2:
        return "jp2";
    case CXIMAGE_FORMAT_PNM:
        return "ppm";
    case CXIMAGE_FORMAT_RAS:
        return "ras";
    case CXIMAGE_FORMAT_MNG:
        return "mng";
    default:
        return nullptr;
    }
}

} // namespace

CxImage::CxImage(std::uint32_t imageType) : m_nType(imageType) {}

bool CxImage::Create(long width, long height, int bpp, std::uint32_t imageType)
{
    Destroy();
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX || bpp != 24)
        return false;
    m_Image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (m_Image.isNull())
        return false;
    m_Image.fill(qRgb(0, 0, 0));
    m_nType = imageType;
    return true;
}

void CxImage::Destroy()
{
    m_Image = QImage();
    m_Selection.clear();
}

RGBQUAD CxImage::GetPixelColor(long x, long y) const
{
    if (!IsValid() || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return RGBQuad(0, 0, 0);
    const QRgb pixel = m_Image.pixel(static_cast<int>(x), static_cast<int>(GetHeight() - 1 - y));
    return RGBQuad(static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
                   static_cast<std::uint8_t>(qBlue(pixel)));
}

bool CxImage::SelectionAddRect(RECT rect)
{
    if (!IsValid())
        return false;
    // Kept with left <= right and top <= bottom, in rows from the bottom.
    RECT box{std::max(std::min(rect.left, rect.right), 0L),
             std::max(std::min(rect.top, rect.bottom), 0L),
             std::min(std::max(rect.left, rect.right), GetWidth() - 1),
             std::min(std::max(rect.top, rect.bottom), GetHeight() - 1)};
    if (box.left > box.right || box.top > box.bottom)
        return false;
    m_Selection.push_back(box);
    return true;
}

void CxImage::SelectionClear()
{
    m_Selection.clear();
}

bool CxImage::IsSelected(long x, long y) const
{
    return m_Selection.empty() ||
           std::any_of(m_Selection.begin(), m_Selection.end(), [x, y](const RECT& box) {
               return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
           });
}

bool CxImage::FloodFill(long x, long y, RGBQUAD colour, std::uint8_t tolerance)
{
    if (!IsValid() || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight() || !IsSelected(x, y))
        return false;
    // The fill stays inside the selection's bounds, rows counted from the bottom; with one
    // rectangle selected the bounds are the selection.
    RECT bounds{0, 0, GetWidth() - 1, GetHeight() - 1};
    if (!m_Selection.empty()) {
        bounds = m_Selection.front();
        for (const RECT& box : m_Selection) {
            bounds.left = std::min(bounds.left, box.left);
            bounds.top = std::min(bounds.top, box.top);
            bounds.right = std::max(bounds.right, box.right);
            bounds.bottom = std::max(bounds.bottom, box.bottom);
        }
    }
    const bool boundsAreSelection = m_Selection.size() <= 1;
    const long boundsWidth = bounds.right - bounds.left + 1;
    const long height = GetHeight();
    uchar* bits = m_Image.bits();
    const qsizetype stride = m_Image.bytesPerLine();
    const auto row = [&](long py) {
        return reinterpret_cast<QRgb*>(bits + (height - 1 - py) * stride);
    };
    const QRgb start = row(y)[x];
    const QRgb fill = ToQRgb(colour);
    // The usual fill, a rectangle of one colour such as a fresh picture's, reaches every pixel
    // of it: filled row by row, without seeds.
    const auto uniform = [&] {
        for (long py = bounds.top; py <= bounds.bottom; ++py) {
            const QRgb* pixels = row(py);
            if (!std::all_of(pixels + bounds.left, pixels + bounds.right + 1,
                             [&](QRgb pixel) { return Within(pixel, start, tolerance); }))
                return false;
        }
        return true;
    };
    if (boundsAreSelection && uniform()) {
        for (long py = bounds.top; py <= bounds.bottom; ++py)
            std::fill(row(py) + bounds.left, row(py) + bounds.right + 1, fill);
        return true;
    }
    // Filled pixels need marking only when the fill colour still matches the start colour.
    std::vector<bool> done;
    if (Within(fill, start, tolerance))
        done.resize(static_cast<std::size_t>(boundsWidth * (bounds.bottom - bounds.top + 1)));
    const auto index = [&](long px, long py) {
        return static_cast<std::size_t>((py - bounds.top) * boundsWidth + (px - bounds.left));
    };
    const auto open = [&](const QRgb* pixels, long px, long py) {
        return Within(pixels[px], start, tolerance) && (done.empty() || !done[index(px, py)]) &&
               (boundsAreSelection || IsSelected(px, py));
    };

    std::vector<std::pair<long, long>> seeds{{x, y}};
    while (!seeds.empty()) {
        const auto [seedX, seedY] = seeds.back();
        seeds.pop_back();
        QRgb* pixels = row(seedY);
        if (!open(pixels, seedX, seedY))
            continue;
        long left = seedX;
        while (left > bounds.left && open(pixels, left - 1, seedY))
            --left;
        long right = seedX;
        while (right < bounds.right && open(pixels, right + 1, seedY))
            ++right;
        std::fill(pixels + left, pixels + right + 1, fill);
        if (!done.empty()) {
            for (long px = left; px <= right; ++px)
                done[index(px, seedY)] = true;
        }
        // One seed for each stretch of open pixels beside the filled one.
        for (const long next : {seedY - 1, seedY + 1}) {
            if (next < bounds.top || next > bounds.bottom)
                continue;
            const QRgb* nextPixels = row(next);
            bool previous = false;
            for (long px = left; px <= right; ++px) {
                const bool isOpen = open(nextPixels, px, next);
                if (isOpen && !previous)
                    seeds.emplace_back(px, next);
                previous = isOpen;
            }
        }
    }
    return true;
}

bool CxImage::DrawString(long x, long y, const char* text, RGBQUAD colour, const char* font,
                         long size, long weight, bool italic, bool underline)
{
    if (!IsValid() || !text || !*text || size <= 0 || !EnsureFontApplication())
        return false;
    const QString line = QString::fromUtf8(text);
    const QFont cellFont =
        CellHeightFont(font ? font : "", size, static_cast<int>(weight), italic, underline);
    const QFontMetrics metrics(cellFont, &m_Image);
    const int textHeight = metrics.height();
    QPainter painter(&m_Image);
    painter.setFont(cellFont);
    painter.setPen(ToQRgb(colour));
    painter.drawText(QRect(PaintCoordinate(x), PaintCoordinate(y - textHeight),
                           metrics.horizontalAdvance(line), textHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
    return true;
}

void CxImage::DrawLine(long startX, long endX, long startY, long endY, COLORREF colour)
{
    if (!IsValid())
        return;
    const long width = GetWidth();
    const long height = GetHeight();
    uchar* bits = m_Image.bits();
    const qsizetype stride = m_Image.bytesPerLine();
    const QRgb pixel = ToQRgb(colour);
    RasterizeLine(startX, startY, endX, endY, true, PixelBox{0, 0, width - 1, height - 1},
                  [&](long x, long y, long length, bool horizontal) {
                      if (horizontal) {
                          QRgb* row = reinterpret_cast<QRgb*>(bits + (height - 1 - y) * stride);
                          std::fill_n(row + x, length, pixel);
                          return;
                      }
                      for (long row = y; row < y + length; ++row)
                          reinterpret_cast<QRgb*>(bits + (height - 1 - row) * stride)[x] = pixel;
                  });
}

bool CxImage::Save(const char* fileName, std::uint32_t imageType) const
{
    if (!IsValid() || !fileName || !CanSave(imageType))
        return false;
    QSaveFile file(QFile::decodeName(fileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (imageType == CXIMAGE_FORMAT_PNG)
        return WritePng(m_Image, file) && file.commit();
    QImageWriter writer(&file, QtFormat(imageType));
    return writer.write(m_Image) && file.commit();
}

bool CxImage::CanSave(std::uint32_t imageType)
{
    // Asking Qt would load every image plugin it has.
    if (imageType == CXIMAGE_FORMAT_PNG)
        return true;
    const char* format = QtFormat(imageType);
    return format && QImageWriter::supportedImageFormats().contains(QByteArray(format));
}
