#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

// An ever-growing list of text lines, such as the entries of a Log page. The text is kept in
// large blocks that never move, so adding costs no allocation per line and no reallocation
// copies millions of lines; a line is read back as a view that stays valid until Clear.
class CLineList
{
public:
    // Adds one line made of the two pieces, the second appended to the first.
    void Add(std::string_view head, std::string_view tail = {});
    void Clear();
    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    std::string_view operator[](std::size_t i) const { return m_lines[i]; }

private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_nBlockFree = 0; // bytes left in the last block
    char* m_pNext = nullptr;      // where the next line goes in the last block
    std::deque<std::string_view> m_lines;
};
