#pragma once

#include "RunProgram.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Runs telvan-csv in a temporary folder of its own.
class CsvToolRun : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "telvan-csv-XXXXXX");
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_Folder = pattern;
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_Folder, ignored);
    }

    void Write(const std::string& name, const std::string& text)
    {
        std::ofstream(m_Folder / name, std::ios::binary) << text;
    }

    ProgramRun Run(const std::vector<std::string>& args, const std::string& input = {})
    {
        if (input.empty())
            return RunProgram(TELVAN_CSV_PROGRAM, args, m_Folder);
        Write("input.txt", input);
        return RunProgram(TELVAN_CSV_PROGRAM, args, m_Folder, "input.txt");
    }

    // A run that must fail on its arguments or files: one line on standard error, nothing
    // on standard output.
    void ExpectError(const std::vector<std::string>& args, const std::string& message)
    {
        SCOPED_TRACE(message);
        const ProgramRun run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "telvan-csv: " + message + "\n");
        EXPECT_EQ(run.out, "");
    }

    std::filesystem::path m_Folder;
};
