#pragma once

#include "CSV_API.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// A text or binary file over C stdio, read line by line.
class CSV_API CStdioFile
{
public:
    enum OpenFlags : unsigned
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    virtual ~CStdioFile();

    virtual bool Open(const char* fileName, unsigned openFlags);
    // False when buffered output could not be written.
    virtual bool Close();
    bool IsOpen() const { return m_pStream != nullptr; }

    // The next line without its line end (CR LF, CR or LF); false when nothing is left.
    virtual bool ReadString(std::string& line);
    // Writes the text as it is; false when it could not be written.
    virtual bool WriteString(const char* text);

    std::int64_t GetLength() const;
    // Where the next read starts.
    std::int64_t GetPosition() const;
    bool SeekToBegin();
    // Moves to an offset in the file, where the next read starts.
    bool Seek(std::int64_t position);
    // Lets the reads end at an offset of the file as if the file ended there, so that another
    // reader can take the lines from there on; -1 reads to the true end.
    void SetReadEnd(std::int64_t end) { m_nReadLimit = end; }
    bool Flush();

    FILE* m_pStream = nullptr;
    std::string m_strFileName;

protected:
    // Reads one line into line, keeping its "\n"; false at the end of the file. Lines are cut
    // from blocks read ahead, so that reading costs no call per line.
    bool ReadRawLine(std::string& line);
    // The next line without its line end, as ReadString gives it, viewed where it lies in the
    // block read ahead; only a line across two blocks is copied together. The view stays valid
    // until the next line is read (the end of the file leaves it alone).
    bool ReadStringView(std::string_view& line);
    // Forgets the block read ahead, before the stream is read or moved by other means.
    void DropReadAhead() { m_nReadPosition = m_nReadEnd = 0; }

private:
    static constexpr std::size_t ReadBlock = 64 * 1024;

    // Reads the next block ahead; its length, 0 at the end.
    std::size_t ReadAhead();

    std::unique_ptr<char[]> m_pReadBuffer;
    std::size_t m_nReadPosition = 0;
    std::size_t m_nReadEnd = 0;
    std::int64_t m_nReadLimit = -1;
    // A line read across two blocks.
    std::string m_strJoined;
};

// Removes one trailing CR LF pair, or else one CR or LF.
CSV_API void RemoveLineEnd(std::string& line);
