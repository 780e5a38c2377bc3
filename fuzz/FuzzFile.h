#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

// A file of this process in the temporary folder, for the readers that take a path: each
// input is written into it, and it is removed when the program ends.
class CFuzzFile
{
public:
    explicit CFuzzFile(std::string_view ending)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "telvan-fuzz-XXXXXX").string();
        pattern += ending;
        const int descriptor = ::mkstemps(pattern.data(), static_cast<int>(ending.size()));
        if (descriptor >= 0) {
            ::close(descriptor);
            m_strPath = pattern;
        }
    }
    ~CFuzzFile()
    {
        if (!m_strPath.empty())
            std::remove(m_strPath.c_str());
    }
    CFuzzFile(const CFuzzFile&) = delete;
    CFuzzFile& operator=(const CFuzzFile&) = delete;

    const std::string& Path() const { return m_strPath; }

    // The file holds exactly the bytes afterwards; false when it could not be written.
    bool Write(std::string_view bytes) const
    {
        std::FILE* file = std::fopen(m_strPath.c_str(), "wb");
        if (!file)
            return false;
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written;
    }

private:
    std::string m_strPath;
};
