#pragma once

#include <map>
#include <string>

// A configuration file of "key = value" lines. Blank lines and lines starting with "#" or ";"
// are comments; blanks around keys and values are dropped, and a value in double quotes keeps
// its blanks. Everything else stays as written, so a password or a separator may hold any
// character ("=", ";", ",", "#").
class CConfigFile
{
public:
    // False with the reason (file and line) when the file cannot be read, a line is no
    // "key = value", or a key comes twice.
    bool Read(const std::string& path, std::string& error);

    // The lines of the values, by key.
    struct CValue
    {
        std::string text;
        int line = 0;
    };
    const std::map<std::string, CValue>& Values() const { return m_values; }

private:
    std::map<std::string, CValue> m_values;
};
