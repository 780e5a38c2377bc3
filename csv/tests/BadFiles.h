#pragma once

#include <random>
#include <string>
#include <vector>

// Files a reader must take without a crash: refused with a message, or read as far as they
// make sense. Made from a good file of a few ASCII lines, each kind under its name.
struct CBadFile
{
    std::string name;
    std::string bytes;
};

inline std::string Utf16LittleEndian(const std::string& ascii)
{
    std::string bytes;
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

inline std::vector<CBadFile> BadFiles(const std::string& good)
{
    constexpr std::size_t kHuge = std::size_t{10} << 20;
    std::mt19937 random(1);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string zeroInside = good;
    zeroInside.insert(good.size() / 3, 1, '\0');
    std::string latin1 = good;
    latin1.insert(good.find('\n'), "\xB5\xE4");
    return {
        {"empty", ""},
        {"cut off in a line", good.substr(0, good.size() / 2)},
        {"random bytes", noise},
        {"zero bytes", std::string(1000, '\0')},
        {"a zero byte inside", zeroInside},
        {"one line of 10 MB", std::string(kHuge, '7')},
        {"10 MB without a line end after the text", good + std::string(kHuge, 'x')},
        {"UTF-16 with byte-order mark", "\xFF\xFE" + Utf16LittleEndian(good)},
        {"UTF-16 without byte-order mark", Utf16LittleEndian(good)},
        {"Latin-1 letters in the first line", latin1},
    };
}
