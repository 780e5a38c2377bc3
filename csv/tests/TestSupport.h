#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

// A temporary folder for the files of one test, removed with everything in it.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "csvtest-XXXXXX").string();
        m_Path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_Path / name).string(); }

    std::string Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }

private:
    std::filesystem::path m_Path;
};

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Makes standard input read the file while it lives.
class StdinFromFile
{
public:
    explicit StdinFromFile(const std::string& path)
    {
        m_bOk = std::freopen(path.c_str(), "r", stdin);
    }
    ~StdinFromFile() { std::freopen("/dev/null", "r", stdin); }
    StdinFromFile(const StdinFromFile&) = delete;
    StdinFromFile& operator=(const StdinFromFile&) = delete;
    bool Ok() const { return m_bOk; }

private:
    bool m_bOk = false;
};

// A local calendar time as the C runtime makes it, in milliseconds.
inline std::int64_t LocalMs(int year, int month, int day, int hour, int minute, int second,
                            int millisecond = 0)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&tm)) * 1000 + millisecond;
}

// The time zone of the process while it lives.
class CTimeZone
{
public:
    explicit CTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~CTimeZone()
    {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> m_old;
};
