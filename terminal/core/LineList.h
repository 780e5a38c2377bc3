#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// An ever-growing list of text lines, such as the entries of a Log page. The text is kept in
// blocks of 64 KiB that never move, each with the starts of its lines as 16-bit offsets, so a
// line costs its text and two bytes, adding allocates nothing per line and no reallocation
// copies millions of lines; a line is read back as a view that stays valid until Clear.
class CLineList
{
public:
    // Adds one line made of the two pieces, the second appended to the first.
    void Add(std::string_view head, std::string_view tail = {});
    void Clear();
    std::size_t size() const { return m_nLines; }
    bool empty() const { return m_nLines == 0; }
    std::string_view operator[](std::size_t i) const;

private:
    // A line longer than a block gets a block of its own.
    static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

    struct CBlock
    {
        std::unique_ptr<char[]> text;
        std::size_t capacity = 0;
        std::size_t used = 0;
        std::size_t firstLine = 0;         // the list index of its first line
        std::vector<std::uint16_t> starts; // where each of its lines begins in text
    };

    // Room for a line of length in the last block, which is closed when it has none.
    CBlock& BlockFor(std::size_t length);

    std::vector<CBlock> m_blocks;
    std::size_t m_nLines = 0;
};
