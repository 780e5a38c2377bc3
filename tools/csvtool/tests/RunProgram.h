#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun
{
    int status = -1; // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs program in folder with standard input from the file input (empty: /dev/null), in the
// UTC time zone so that its local times are the same on every machine. Its standard output
// and error go through files in folder.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::filesystem::path& folder, const std::filesystem::path& input = {});
