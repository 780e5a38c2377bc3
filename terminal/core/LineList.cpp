#include "LineList.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t kLastStart = std::numeric_limits<std::uint16_t>::max();

} // namespace

CLineList::CBlock& CLineList::BlockFor(std::size_t length)
{
    if (!m_blocks.empty()) {
        CBlock& last = m_blocks.back();
        // A block of one overlong line is full even for an empty line: its end is no 16-bit
        // start.
        if (last.used <= kLastStart && length <= last.capacity - last.used)
            return last;
        last.starts.shrink_to_fit();
    }
    CBlock& block = m_blocks.emplace_back();
    block.capacity = std::max(length, kBlockSize);
    block.text = std::make_unique_for_overwrite<char[]>(block.capacity);
    block.firstLine = m_nLines;
    return block;
}

void CLineList::Add(std::string_view head, std::string_view tail)
{
    CBlock& block = BlockFor(head.size() + tail.size());
    char* line = block.text.get() + block.used;
    std::copy(tail.begin(), tail.end(), std::copy(head.begin(), head.end(), line));
    block.starts.push_back(static_cast<std::uint16_t>(block.used));
    block.used += head.size() + tail.size();
    ++m_nLines;
}

void CLineList::Clear()
{
    m_blocks.clear();
    m_nLines = 0;
}

std::string_view CLineList::operator[](std::size_t i) const
{
    const auto after = std::upper_bound(
        m_blocks.begin(), m_blocks.end(), i,
        [](std::size_t line, const CBlock& block) { return line < block.firstLine; });
    const CBlock& block = *std::prev(after);
    const std::size_t n = i - block.firstLine;
    const std::size_t start = block.starts[n];
    const std::size_t end = n + 1 < block.starts.size() ? block.starts[n + 1] : block.used;
    return {block.text.get() + start, end - start};
}
