#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cutting device replies by position. A position beyond the end of a reply matches no
// character and cuts nothing, so a short or odd reply gives shorter or empty fields.

inline bool IsAt(std::string_view text, std::size_t position, char c)
{
    return position < text.size() && text[position] == c;
}

inline std::string_view Left(std::string_view text, std::size_t count)
{
    return text.substr(0, count);
}

inline std::string_view Mid(std::string_view text, std::size_t position,
                            std::size_t count = std::string_view::npos)
{
    return position < text.size() ? text.substr(position, count) : std::string_view{};
}

inline std::string_view Right(std::string_view text, std::size_t count)
{
    return count < text.size() ? text.substr(text.size() - count) : text;
}

// Keeps the string's buffer, so a field of a reply costs no allocation once it has grown.
inline void SetText(std::string& target, std::string_view text)
{
    target.assign(text.data(), text.size());
}
