#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// A file written beside its target and renamed over it by Commit, so that readers see the old
// file or the whole new one, and a failed save leaves the old one untouched.
class CReplacingFile
{
public:
    explicit CReplacingFile(const std::string& path);
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    bool IsOpen() const { return m_pFile != nullptr; }
    // False once anything could not be written.
    bool Write(std::string_view bytes);
    // Writes everything out and puts the file in place of the target; false when it could not.
    bool Commit();

private:
    std::string m_strPath;
    std::string m_strTemporary;
    std::FILE* m_pFile = nullptr;
    bool m_bWritten = true;
};

// The whole file at once; false when it could not be written.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);
