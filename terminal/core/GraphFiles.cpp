#include "GraphFiles.h"

#include "ReplacingFile.h"
#include "Strings.h"

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::uint32_t BitmapHeadersSize = 14 + 40 + 8; // file and information header, colours

void PutU16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

std::string SaveFile(const std::string& path, std::string_view bytes)
{
    return WriteFileReplacing(path, bytes) ? std::string{} : GraphSaveFailedText;
}

} // namespace

CGraphPicture::CGraphPicture(int width, int height, std::uint32_t fill)
    : nWidth(width > 0 ? width : 0), nHeight(height > 0 ? height : 0),
      m_Pixels(static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight), fill)
{
}

std::uint32_t CGraphPicture::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= nWidth || y >= nHeight)
        return 0xFFFFFF;
    return m_Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(nWidth) +
                    static_cast<std::size_t>(x)];
}

void CGraphPicture::SetPixel(int x, int y, std::uint32_t rgb)
{
    if (x < 0 || y < 0 || x >= nWidth || y >= nHeight)
        return;
    m_Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(nWidth) +
             static_cast<std::size_t>(x)] = rgb & 0xFFFFFF;
}

CGraphPicture StackGraphPictures(const CGraphPicture& top, const CGraphPicture& bottom)
{
    CGraphPicture picture(bottom.nWidth, top.nHeight + bottom.nHeight);
    for (int y = 0; y < top.nHeight; ++y) {
        for (int x = 0; x < picture.nWidth; ++x)
            picture.SetPixel(x, y, top.GetPixel(x, y));
    }
    for (int y = 0; y < bottom.nHeight; ++y) {
        for (int x = 0; x < picture.nWidth; ++x)
            picture.SetPixel(x, top.nHeight + y, bottom.GetPixel(x, y));
    }
    return picture;
}

std::string EncodeGraphBitmap(const CGraphPicture& picture)
{
    const auto width = static_cast<std::uint32_t>(picture.nWidth);
    const auto height = static_cast<std::uint32_t>(picture.nHeight);
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * height;
    std::string out;
    out.reserve(BitmapHeadersSize + dataSize);
    out += "BM";
    PutU32(out, BitmapHeadersSize + dataSize);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, BitmapHeadersSize);
    PutU32(out, 40);
    PutU32(out, width);
    PutU32(out, height);
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0); // no compression
    PutU32(out, dataSize);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 2); // colours used
    PutU32(out, 2); // colours important
    out.append("\xFF\xFF\xFF\x00\x00\x00\x00\x00", 8);
    for (int y = picture.nHeight - 1; y >= 0; --y) {
        for (int x = 0; x < picture.nWidth; ++x) {
            const std::uint32_t rgb = picture.GetPixel(x, y);
            out += static_cast<char>(rgb & 0xFF);
            out += static_cast<char>((rgb >> 8) & 0xFF);
            out += static_cast<char>((rgb >> 16) & 0xFF);
        }
        out.append(stride - width * 3, '\0');
    }
    return out;
}

std::string GraphParameterTextZL(const CZelnarParameters& p)
{
    return FormatString("AS: %d\nPL: %d\nSE: %d\nSC: %d\nSDx: %d\nSDy: %d\nMF: %d\nSA: %d\n"
                        "Q1z:  %d\nQ2z:  %d\nTDx: %lf\nTDy: %d\nTDz: %d\nBR: %d\nSF: %lf\n"
                        "OF: %lf\nMWx: %lf\nMWy: %lf\nQ1w: %lf\nQ1x: %lf\nQ1y: %lf\nQ2w: %lf\n"
                        "Q2x: %lf\nQ2y: %lf\nQAx: %lf\nQAy: %lf\n",
                        p.ASIndex, p.PL, p.SE, p.SC, p.SDx, p.SDy, p.MF, p.SA, p.Q1z, p.Q2z, p.TDx,
                        p.TDy, p.TDz, p.BR, p.SF, p.OF, p.MWx, p.MWy, p.Q1w, p.Q1x, p.Q1y, p.Q2w,
                        p.Q2x, p.Q2y, p.QAx, p.QAy);
}

std::string GraphParameterTextQR(const CQuorinParameters& p)
{
    return FormatString("AS: %d\nSE: %d\nSD: %d\nRMx: %d\nRMy: %d\nRMz: %d\nST: %d\nSA: %d\n"
                        "TDxQR: %d\nTDy: %d\nSF: %lf\nOF: %lf\nTMx: %d\nTMy: %d\nRB: %lf\n"
                        "RE: %lf\nAC: %lf\nAW: %lf\nAH: %lf\nBR: %d\n",
                        p.ASIndex, p.SE, p.SD, p.RMx, p.RMy, p.RMz, p.ST, p.SA, p.TDx, p.TDy, p.SF,
                        p.OF, p.TMx, p.TMy, p.RB, p.RE, p.AC, p.AW, p.AH, p.BR);
}

std::string GraphParameterFileProposal(const std::string& picturePath)
{
    return picturePath.size() > 4 ? picturePath.substr(0, picturePath.size() - 4) : std::string{};
}

std::string SaveGraphPicture(const std::string& path, const CGraphPicture& picture)
{
    return SaveFile(path, EncodeGraphBitmap(picture));
}

std::string SaveGraphParametersZL(const std::string& path, const CZelnarParameters& parameters)
{
    return SaveFile(path, GraphParameterTextZL(parameters));
}

std::string SaveGraphParametersQR(const std::string& path, const CQuorinParameters& parameters)
{
    return SaveFile(path, GraphParameterTextQR(parameters));
}
