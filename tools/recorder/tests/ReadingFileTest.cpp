#include "ReadingFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class ReadingFile : public testing::Test
{
protected:
    const CTimeZone m_zone{"UTC0"};

    static std::string Read(const fs::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    static void Flush(CReadingFile& file)
    {
        std::string error;
        EXPECT_TRUE(file.Flush(error)) << error;
    }

    static CReading Measurement()
    {
        CReading reading;
        reading.timeMs = 1715954607125;
        reading.distance = 12.345;
        reading.speed = -1.25;
        reading.strength = 1500;
        reading.temperature = 29.9;
        reading.q1 = true;
        reading.q2 = false;
        reading.current = 13.876;
        return reading;
    }

    static CReading Error()
    {
        CReading reading;
        reading.timeMs = 1715954607200;
        reading.error = "E02";
        reading.q1 = false;
        reading.q2 = false;
        reading.current = 21;
        return reading;
    }

    TempDir m_temp;
    const fs::path m_folder = m_temp.Path("");
};

} // namespace

TEST_F(ReadingFile, ZelnarRowsInTheSpreadsheetSeparators)
{
    const fs::path path = m_folder / "readings.csv";
    CReadingFile file(path.string(), true, ";", ',', 0);
    std::string error;
    ASSERT_TRUE(file.Open(error)) << error;
    file.Write(Measurement());
    file.Write(Error());
    Flush(file);
    EXPECT_EQ(Read(path), "Time;Distance;Speed;Strength;Temperature;Error;Q1;Q2;Current\r\n"
                          "2024-05-17T14:03:27.125+00:00;12,345;-1,250;1500;29,9;;1;0;13,876\r\n"
                          "2024-05-17T14:03:27.200+00:00;;;;;E02;0;0;21,000\r\n");
}

TEST_F(ReadingFile, QuorinRowsInChosenSeparators)
{
    const fs::path path = m_folder / "quorin.csv";
    CReadingFile file(path.string(), false, "\t", '.', 0);
    std::string error;
    ASSERT_TRUE(file.Open(error)) << error;
    file.Write(Measurement());
    CReading hexadecimal;
    hexadecimal.timeMs = 1715954607300;
    hexadecimal.distance = -1.596;
    file.Write(hexadecimal);
    Flush(file);
    EXPECT_EQ(Read(path), "Time\tDistance\tError\tQ1\tCurrent\r\n"
                          "2024-05-17T14:03:27.125+00:00\t12.345\t\t1\t13.876\r\n"
                          "2024-05-17T14:03:27.300+00:00\t-1.596\t\t\t\r\n");
}

TEST_F(ReadingFile, ExistingFileIsContinuedWithoutASecondHeader)
{
    const fs::path path = m_folder / "readings.csv";
    for (int run = 0; run < 2; ++run) {
        CReadingFile file(path.string(), true, ";", ',', 0);
        std::string error;
        ASSERT_TRUE(file.Open(error)) << error;
        file.Write(Error());
        Flush(file);
    }
    const std::string row = "2024-05-17T14:03:27.200+00:00;;;;;E02;0;0;21,000\r\n";
    EXPECT_EQ(Read(path),
              "Time;Distance;Speed;Strength;Temperature;Error;Q1;Q2;Current\r\n" + row + row);
}

TEST_F(ReadingFile, FileAtItsSizeIsRenamedAndANewOneBegins)
{
    const fs::path path = m_folder / "readings.csv";
    const std::string header = "Time;Distance;Speed;Strength;Temperature;Error;Q1;Q2;Current\r\n";
    const std::string row = "2024-05-17T14:03:27.200+00:00;;;;;E02;0;0;21,000\r\n";
    // Room for the header and three rows.
    CReadingFile file(path.string(), true, ";", ',', header.size() + 3 * row.size());
    std::string error;
    ASSERT_TRUE(file.Open(error)) << error;
    for (int i = 0; i < 8; ++i)
        file.Write(Error());
    Flush(file);
    std::vector<fs::path> rotated;
    for (const auto& entry : fs::directory_iterator(m_folder))
        if (entry.path() != path)
            rotated.push_back(entry.path());
    ASSERT_EQ(rotated.size(), 2u);
    // readings-YYYYmmdd-HHMMSS.csv; a second file within the same second gets -2.
    const std::regex name(R"(readings-\d{8}-\d{6}(-2)?\.csv)");
    for (const fs::path& file : rotated) {
        EXPECT_TRUE(std::regex_match(file.filename().string(), name)) << file;
        EXPECT_EQ(Read(file), header + row + row + row);
    }
    EXPECT_EQ(Read(path), header + row + row);
}

TEST_F(ReadingFile, FileThatCannotBeMadeIsTold)
{
    std::ofstream(m_folder / "plain") << "a file";
    const std::string path = (m_folder / "plain" / "readings.csv").string();
    CReadingFile file(path, true, ";", ',', 0);
    std::string error;
    EXPECT_FALSE(file.Open(error));
    EXPECT_EQ(error, path + ": Not a directory");
}
