#include "CxImageFormat.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

struct Ending
{
    std::string_view text;
    int format;
};

constexpr Ending Endings[] = {
    {"bmp", CXIMAGE_FORMAT_BMP},  {"gif", CXIMAGE_FORMAT_GIF},   {"jpg", CXIMAGE_FORMAT_JPG},
    {"jpeg", CXIMAGE_FORMAT_JPG}, {"png", CXIMAGE_FORMAT_PNG},   {"ico", CXIMAGE_FORMAT_ICO},
    {"tiff", CXIMAGE_FORMAT_TIF}, {"tif", CXIMAGE_FORMAT_TIF},   {"tga", CXIMAGE_FORMAT_TGA},
    {"pcx", CXIMAGE_FORMAT_PCX},  {"wbmp", CXIMAGE_FORMAT_WBMP}, {"wmf", CXIMAGE_FORMAT_WMF},
    {"emf", CXIMAGE_FORMAT_WMF},  {"jp2", CXIMAGE_FORMAT_JP2},   {"j2k", CXIMAGE_FORMAT_JP2},
    {"jpc", CXIMAGE_FORMAT_JPC},  {"j2c", CXIMAGE_FORMAT_JPC},   {"pgx", CXIMAGE_FORMAT_PGX},
    {"pnm", CXIMAGE_FORMAT_PNM},  {"pgm", CXIMAGE_FORMAT_PNM},   {"ppm", CXIMAGE_FORMAT_PNM},
    {"ras", CXIMAGE_FORMAT_RAS},  {"mng", CXIMAGE_FORMAT_MNG},   {"jng", CXIMAGE_FORMAT_MNG},
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

int FilenameEnding2CxImageFormat(const char* ending)
{
    if (!ending)
        return CXIMAGE_FORMAT_UNKNOWN;
    std::string_view text(ending);
    text.remove_prefix(std::min(text.find_first_not_of('.'), text.size()));
    for (const Ending& known : Endings) {
        if (SameIgnoringCase(text, known.text))
            return known.format;
    }
    return CXIMAGE_FORMAT_UNKNOWN;
}
