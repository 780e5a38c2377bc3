#include "LineList.h"

#include <algorithm>

void CLineList::Add(std::string_view head, std::string_view tail)
{
    const std::size_t length = head.size() + tail.size();
    if (length > m_nBlockFree) {
        const std::size_t size = std::max(length, kBlockSize);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
        m_pNext = m_blocks.back().get();
        m_nBlockFree = size;
    }
    char* line = m_pNext;
    std::copy(head.begin(), head.end(), line);
    std::copy(tail.begin(), tail.end(), line + head.size());
    m_pNext += length;
    m_nBlockFree -= length;
    m_lines.emplace_back(line, length);
}

void CLineList::Clear()
{
    m_lines.clear();
    m_blocks.clear();
    m_nBlockFree = 0;
    m_pNext = nullptr;
}
