#include "PngWriter.h"

#include <QIODevice>
#include <QImage>

#include <csetjmp>
#include <png.h>

namespace {

void WriteBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) !=
        static_cast<qint64>(length))
        png_error(png, "write failed");
}

void Flush(png_structp) {}

// The caller tells the failure; libpng's default would print to standard error first.
[[noreturn]] void Fail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports through longjmp: this function keeps no C++ object alive across it.
bool WriteRows(png_structp png, png_infop info, const QImage& image, QIODevice& device)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &device, WriteBytes, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    // A pixel of Format_RGB32 is the word 0xffRRGGBB: drop its padding byte, in memory order.
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, info);
    return true;
}

} // namespace

bool WritePng(const QImage& image, QIODevice& device)
{
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    const bool written = info && WriteRows(png, info, rgb, device);
    png_destroy_write_struct(&png, &info);
    return written;
}
