#include "ConfigFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

bool CConfigFile::Read(const std::string& path, std::string& error)
{
    std::ifstream file(path);
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    int number = 0;
    for (std::string text; std::getline(file, text);) {
        ++number;
        const std::string_view line = Trim(text);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        const auto where = [&] { return path + ":" + std::to_string(number) + ": "; };
        const auto equals = line.find('=');
        const std::string_view key = Trim(line.substr(0, equals));
        if (equals == std::string_view::npos || key.empty()) {
            error = where() + "expected \"key = value\"";
            return false;
        }
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const auto [entry, added] =
            m_values.emplace(std::string(key), CValue{std::string(value), number});
        if (!added) {
            error = where() + "\"" + std::string(key) + "\" is set already on line " +
                    std::to_string(entry->second.line);
            return false;
        }
    }
    if (file.bad()) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
