#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A short list of lines that is filled and emptied again for every chunk. Emptying keeps the
// strings and their capacity, so refilling allocates nothing once the lines have been seen.
class CLineBatch
{
public:
    void Add(std::string_view line);
    void Clear() { m_nCount = 0; }
    std::size_t size() const { return m_nCount; }
    bool empty() const { return m_nCount == 0; }
    const std::string& operator[](std::size_t i) const { return m_lines[i]; }

private:
    std::vector<std::string> m_lines;
    std::size_t m_nCount = 0;
};

// The complete lines the Log page cut from the last chunk for the Display page, in order. The
// reply assembly hands each one to the Display page, so no line of a chunk is left undecoded.
extern CLineBatch g_arrDisplayLines;
