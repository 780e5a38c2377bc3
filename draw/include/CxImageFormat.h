#pragma once

#include "PLOTRA_API.h"

// Picture file formats by the codes of the image library the graph interface was made for.
enum ENUM_CXIMAGE_FORMATS
{
    CXIMAGE_FORMAT_UNKNOWN = 0,
    CXIMAGE_FORMAT_BMP = 1,
    CXIMAGE_FORMAT_GIF = 2,
    CXIMAGE_FORMAT_JPG = 3,
    CXIMAGE_FORMAT_PNG = 4,
    CXIMAGE_FORMAT_ICO = 5,
    CXIMAGE_FORMAT_TIF = 6,
    CXIMAGE_FORMAT_TGA = 7,
    CXIMAGE_FORMAT_PCX = 8,
    CXIMAGE_FORMAT_WBMP = 9,
    CXIMAGE_FORMAT_WMF = 10,
    CXIMAGE_FORMAT_JP2 = 11,
    CXIMAGE_FORMAT_JPC = 12,
    CXIMAGE_FORMAT_PGX = 13,
    CXIMAGE_FORMAT_PNM = 14,
    CXIMAGE_FORMAT_RAS = 15,
    CXIMAGE_FORMAT_MNG = 17,
};

// The format code of a file ending such as "png", ".JPG" or "..jpeg" (leading dots removed,
// compared without regard to case); 0 for an ending not known.
PLOTRA_API int FilenameEnding2CxImageFormat(const char* ending);
