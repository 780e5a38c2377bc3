#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// An input taken apart from the front: single bytes for the choices a target makes, lines and
// pieces for what it feeds. Past the end, bytes are 0 and pieces empty.
class CFuzzInput
{
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size)
    {
    }

    std::uint8_t Byte()
    {
        if (m_rest.empty())
            return 0;
        const auto byte = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return byte;
    }

    // Up to the next line feed, which is dropped; the rest when there is none.
    std::string_view Line()
    {
        const std::size_t end = m_rest.find('\n');
        const std::string_view line = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return line;
    }

    std::string_view Take(std::size_t count)
    {
        const std::string_view piece = m_rest.substr(0, count);
        m_rest.remove_prefix(piece.size());
        return piece;
    }

    std::string_view Rest() const { return m_rest; }
    bool Empty() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

// A property of the code under test that an input broke: reported like a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
