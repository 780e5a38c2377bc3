#pragma once

#include "StdioFile.h"

// A text file that also reads and writes UTF-16 little-endian files with a byte-order mark,
// converting their text to and from UTF-8.
class CSV_API CStdioFileEx : public CStdioFile
{
public:
    // Open flag: write UTF-16 text with a byte-order mark.
    static constexpr unsigned modeWriteUnicode = 0x20000;
    // Lines of a UTF-16 file longer than this many characters come in pieces.
    static constexpr int MaxUnicodeLine = 4095;

    CStdioFileEx() = default;
    CStdioFileEx(const char* fileName, unsigned openFlags) { Open(fileName, openFlags); }

    bool Open(const char* fileName, unsigned openFlags) override;
    bool ReadString(std::string& line) override;
    bool WriteString(const char* text) override;

    static bool IsFileUnicode(const char* fileName);
    bool IsFileUnicodeText() const { return m_bIsUnicodeText; }
    std::int64_t GetCharCount() const;

    bool m_bIsUnicodeText = false;
    unsigned m_nFlags = 0;
};
