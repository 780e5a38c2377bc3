#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// telvan-recorder run as a process of its own in a folder, its standard output and error in
// files there; killed when the object goes and it still runs.
class CRecorderProcess
{
public:
    explicit CRecorderProcess(std::filesystem::path folder);
    ~CRecorderProcess();
    CRecorderProcess(const CRecorderProcess&) = delete;
    CRecorderProcess& operator=(const CRecorderProcess&) = delete;

    bool Start(const std::vector<std::string>& arguments);
    void Signal(int signal) const;
    // The exit status; -1 when it did not exit on its own within the guard (it is killed).
    int Wait(std::chrono::seconds guard);
    // Waits until the standard error holds the text count times; false when the guard runs out
    // first or the program ends without it.
    bool WaitForError(const std::string& text, std::chrono::seconds guard, int count = 1) const;

    std::string Output() const;
    std::string Error() const;

private:
    const std::filesystem::path m_folder;
    pid_t m_nPid = -1;
};

// Runs the program to its end: the status, standard output and standard error.
struct CRecorderRun
{
    int status = -1;
    std::string out;
    std::string err;
};
CRecorderRun RunRecorder(const std::filesystem::path& folder,
                         const std::vector<std::string>& arguments);
