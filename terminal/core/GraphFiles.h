#pragma once

#include "ParameterRecords.h"

#include <cstdint>
#include <string>
#include <vector>

// What the graph pages' Save writes: the picture of the graphs as a 24-bit BMP file, and
// beside it the parameter set under which it was recorded, in the lines of the family's
// parameter file. Files are written to a temporary file beside the target and renamed over
// it, so a failed save leaves an existing file as it was.

inline constexpr const char* GraphSaveFailedText = "Can not save file!";

// Pixels as 0x00RRGGBB, rows from the top down.
struct CGraphPicture
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> m_Pixels;

    CGraphPicture() = default;
    CGraphPicture(int width, int height, std::uint32_t fill = 0xFFFFFF);
    // White outside the picture, as the screen around a control.
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t rgb);
};

// The Zelnar page stacks its graphs: speed on top, distance below, as wide as the distance
// graph.
CGraphPicture StackGraphPictures(const CGraphPicture& top, const CGraphPicture& bottom);

// The BMP file's bytes: headers, a colour table of white and black, rows bottom-up, each
// padded to a multiple of four bytes.
std::string EncodeGraphBitmap(const CGraphPicture& picture);

// The lines of the parameter set ("AS: %d\n" ... ), from the stored parameter values.
std::string GraphParameterTextZL(const CZelnarParameters& parameters);
std::string GraphParameterTextQR(const CQuorinParameters& parameters);

// The name the text dialog proposes: the picture's path without its last four characters
// (its ".bmp"); empty without a picture.
std::string GraphParameterFileProposal(const std::string& picturePath);

// Each returns the message to show, empty when the file was written.
std::string SaveGraphPicture(const std::string& path, const CGraphPicture& picture);
std::string SaveGraphParametersZL(const std::string& path, const CZelnarParameters& parameters);
std::string SaveGraphParametersQR(const std::string& path, const CQuorinParameters& parameters);
