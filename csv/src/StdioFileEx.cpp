#include "StdioFileEx.h"

#include <cstring>

namespace {

constexpr unsigned char ByteOrderMark[2] = {0xFF, 0xFE};

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

// UTF-16 code units as UTF-8; a surrogate without its partner becomes "#".
std::string Utf16ToUtf8(const std::u16string& units)
{
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(text, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            text += '#';
        } else {
            AppendUtf8(text, u);
        }
    }
    return text;
}

// The length of the UTF-8 sequence at text[i] and its code point; 0 when it is not valid.
std::size_t DecodeUtf8(const std::string& text, std::size_t i, char32_t& c)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = lead < 0x80         ? 1
                         : (lead >> 5) == 6  ? 2
                         : (lead >> 4) == 14 ? 3
                         : (lead >> 3) == 30 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(k) & 0x3F);
    }
    static constexpr char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// UTF-8 text as UTF-16 little-endian bytes; a byte that is not UTF-8 is taken as Latin-1.
std::string Utf8ToUtf16Bytes(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    const auto put = [&](char16_t u) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    };
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(text, i, c);
        if (length == 0) {
            c = static_cast<unsigned char>(text[i]);
            length = 1;
        }
        if (c >= 0x10000) {
            put(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            put(static_cast<char16_t>(c));
        }
        i += length;
    }
    return bytes;
}

bool StartsWithMark(FILE* stream)
{
    unsigned char first[2] = {};
    return std::fread(first, 1, 2, stream) == 2 && std::memcmp(first, ByteOrderMark, 2) == 0;
}

} // namespace

bool CStdioFileEx::Open(const char* fileName, unsigned openFlags)
{
    m_bIsUnicodeText = false;
    m_nFlags = openFlags;
    if (!CStdioFile::Open(fileName, openFlags))
        return false;
    const bool readsText =
        !(openFlags & typeBinary) && !(openFlags & modeCreate) && (openFlags & 3u) != modeWrite;
    if (readsText) {
        m_bIsUnicodeText = StartsWithMark(m_pStream);
        SeekToBegin();
    }
    return true;
}

bool CStdioFileEx::ReadString(std::string& line)
{
    if (!m_bIsUnicodeText)
        return CStdioFile::ReadString(line);
    line.clear();
    if (!m_pStream)
        return false;
    if (GetPosition() == 0 && std::fseek(m_pStream, 2, SEEK_SET) != 0)
        return false;
    std::u16string units;
    unsigned char pair[2];
    // A line of at most MaxUnicodeLine characters; a surrogate pair is never cut in two.
    while (std::fread(pair, 1, 2, m_pStream) == 2) {
        const auto unit = static_cast<char16_t>(pair[0] | (pair[1] << 8));
        units += unit;
        if (unit == u'\n')
            break;
        if (units.size() >= static_cast<std::size_t>(MaxUnicodeLine) && !IsHighSurrogate(unit))
            break;
    }
    if (units.empty())
        return false;
    line = Utf16ToUtf8(units);
    RemoveLineEnd(line);
    return true;
}

bool CStdioFileEx::WriteString(const char* text)
{
    if (!(m_nFlags & modeWriteUnicode))
        return CStdioFile::WriteString(text);
    if (!m_pStream || !text)
        return false;
    if (GetPosition() == 0 &&
        std::fwrite(ByteOrderMark, 1, sizeof ByteOrderMark, m_pStream) != sizeof ByteOrderMark)
        return false;
    const std::string bytes = Utf8ToUtf16Bytes(text);
    return std::fwrite(bytes.data(), 1, bytes.size(), m_pStream) == bytes.size();
}

bool CStdioFileEx::IsFileUnicode(const char* fileName)
{
    CStdioFile file;
    return file.Open(fileName, modeRead | typeBinary) && StartsWithMark(file.m_pStream);
}

std::int64_t CStdioFileEx::GetCharCount() const
{
    if (!IsOpen())
        return 0;
    const std::int64_t length = GetLength();
    return m_bIsUnicodeText ? (length - 2) / 2 : length;
}
