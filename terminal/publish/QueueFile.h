#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// One file of the message queue: messages numbered from First(), each stored as its length, a
// checksum and its bytes, so that a file cut short by a crash or a power cut is read up to its
// last whole message and nothing after a damaged one is taken for a message.
class CQueueFile
{
public:
    CQueueFile(std::filesystem::path path, std::uint64_t first);
    ~CQueueFile();
    CQueueFile(const CQueueFile&) = delete;
    CQueueFile& operator=(const CQueueFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::uint64_t First() const { return m_nFirst; }
    std::uint64_t End() const { return m_nFirst + m_nCount; } // one past the last message
    std::uint64_t Bytes() const { return m_nBytes + m_strPending.size(); }
    // A write failed and the file could not be cut back: it takes no more messages.
    bool Sealed() const { return m_bSealed; }

    bool Create(std::string& error);
    // Opens a file an earlier run left, counts its whole messages and cuts off what follows.
    bool Recover(std::string& error);
    // Appends to the file's buffer; Flush writes what the buffer holds. A failed Flush gives up
    // what was appended since the last one.
    void Append(std::string_view message);
    bool Flush(std::string& error);
    // The message numbered n, First() <= n < End(), written already. Reading in order reads
    // the file in large pieces.
    bool Read(std::uint64_t n, std::string& message);
    // Closes the file and deletes it.
    void Remove();

private:
    static constexpr std::size_t kHeaderSize = 8;

    bool Open(int flags, std::string& error);
    // Makes the buffer hold count bytes from the file's offset; false at the end of the file.
    bool Load(std::uint64_t offset, std::size_t count);
    // The message at m_nReadOffset: its bytes in the buffer; false when none is whole there.
    bool Whole(std::string_view& message);

    std::filesystem::path m_path;
    std::uint64_t m_nFirst;
    std::uint64_t m_nCount = 0;
    std::uint64_t m_nWritten = 0; // messages in the file itself
    std::uint64_t m_nBytes = 0; // written to the file
    int m_nDescriptor = -1;
    std::string m_strPending; // appended, not yet written
    bool m_bSealed = false;

    std::uint64_t m_nReadNumber = 0; // the message at m_nReadOffset
    std::uint64_t m_nReadOffset = 0;
    std::string m_buffer; // the file's bytes from m_nBufferOffset
    std::uint64_t m_nBufferOffset = 0;
};
