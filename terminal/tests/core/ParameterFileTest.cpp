#include "ParameterFile.h"
#include "BadFiles.h"
#include "ParameterTestSupport.h"
#include "QuorinParameterFile.h"
#include "ZelnarParameterCommands.h"
#include "ZelnarParameterFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const SavedFile = "AS: 2\n"
                              "PL: 1\n"
                              "SE: 2\n"
                              "SC: 0\n"
                              "SDx: 0\n"
                              "SDy: 1\n"
                              "MF: 2000\n"
                              "SA: 20\n"
                              "Q1z:  1\n"
                              "Q2z:  0\n"
                              "TDx: 1.500000\n"
                              "TDy: 1\n"
                              "TDz: 0\n"
                              "BR: 115200\n"
                              "SF: 1.000000\n"
                              "OF: 0.000000\n"
                              "MWx: -5000.000000\n"
                              "MWy: 5000.000000\n"
                              "Q1w: 5.000000\n"
                              "Q1x: 4.000000\n"
                              "Q1y: 0.000000\n"
                              "Q2w: 12.000000\n"
                              "Q2x: 6.000000\n"
                              "Q2y: 1.000000\n"
                              "QAx: 0.000000\n"
                              "QAy: 20.000000\n";

const char* const QuorinSavedFile = "AS: 8\nSE: 0\nSD: 1\nRMx: 5\nRMy: 3\nRMz: 2\nST: 0\nSA: 4\n"
                                    "TDxQR: 100\nTDy: 1\nSF: 1.093600\nOF: -0.500000\nTMx: 1\n"
                                    "TMy: 0\nRB: 0.000000\nRE: 20.000000\nAC: 5.000000\n"
                                    "AW: 4.000000\nAH: -1.000000\nBR: 9600\n";

class ZelnarParameterFile : public ParameterStateTest
{
};

class ParameterFileStore : public ParameterStateTest
{
protected:
    void SetUp() override
    {
        ParameterStateTest::SetUp();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "telvan-params-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        ParameterStateTest::TearDown();
        if (!dir.empty()) {
            std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
            std::filesystem::remove_all(dir);
        }
    }
    static std::string Contents(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path dir;
};

} // namespace

TEST_F(ZelnarParameterFile, SaveInSimulationWritesTheExactLines)
{
    g_bSimulation = true;
    ZelnarParameters.BR = 9600;
    EXPECT_EQ(SaveZelnarParameters(TypedZelnarControls(), ZelnarParameters), SavedFile);
    // Save takes the edits into the record first.
    EXPECT_EQ(ZelnarParameters.MF, 2000);
    EXPECT_EQ(ZelnarParameters.BR, 115200);
}

TEST_F(ZelnarParameterFile, SaveOutsideSimulationKeepsTheRecordsBaudRate)
{
    ZelnarParameters.BR = 38400;
    CZelnarParameterControls controls = TypedZelnarControls();
    controls.AS = -1;
    controls.TDx = "0.1234567";
    const std::string text = SaveZelnarParameters(controls, ZelnarParameters);
    EXPECT_EQ(text.substr(0, 6), "AS: -1");
    EXPECT_NE(text.find("\nTDx: 0.123457\n"), std::string::npos);
    EXPECT_NE(text.find("\nBR: 38400\n"), std::string::npos);
}

TEST_F(ZelnarParameterFile, LoadRestoresTheControlsInTheirFormats)
{
    auto controls = LoadZelnarParameters(SavedFile, ZelnarParameters);
    ASSERT_TRUE(controls);
    CZelnarParameterControls expected = TypedZelnarControls();
    expected.TDx = "1.50";
    expected.SF = "1.000000";
    expected.OF = "0.000";
    expected.MWx = "-5000.000";
    expected.MWy = "5000.000";
    expected.Q1w = "5.000";
    expected.Q1x = "4.000";
    expected.Q1y = "0.000";
    expected.Q2w = "12.000";
    expected.Q2x = "6.000";
    expected.Q2y = "1.000";
    expected.QAx = "0.000";
    expected.QAy = "20.000";
    EXPECT_EQ(*controls, expected);
    EXPECT_EQ(ZelnarParameters.BR, 115200);
    // Only BR goes into the record; the rest waits for the Set that follows a Load.
    EXPECT_EQ(ZelnarParameters.MF, 0);
    g_bConnected = true;
    const CParameterCommand set = ZelnarSet(*controls, ZelnarParameters);
    ASSERT_EQ(set.steps.size(), 15u);
    EXPECT_EQ(set.steps[3].bytes, "SF1.000000\r");
    EXPECT_EQ(set.steps[5].bytes, "TD1.50 1 0\r");
    EXPECT_EQ(set.steps[14].bytes, "ASDT\r");
}

TEST_F(ZelnarParameterFile, LoadInSimulationKeepsTheFormatTheSimulationLocks)
{
    std::string text = SavedFile;
    ReplaceAll(text, "SDx: 0\n", "SDx: 1\n");
    auto controls = LoadZelnarParameters(text, ZelnarParameters);
    ASSERT_TRUE(controls);
    CZelnarParameterControls shown = TypedZelnarControls();
    KeepSimulationLocks(*controls, shown);
    EXPECT_EQ(controls->SDx, 1) << "outside simulation the file's format";
    g_bSimulation = true;
    KeepSimulationLocks(*controls, shown);
    EXPECT_EQ(controls->SDx, 0);
    EXPECT_EQ(controls->SDy, 1) << "the rest is the file's";

    auto quorin = LoadQuorinParameters(QuorinSavedFile);
    ASSERT_TRUE(quorin);
    ASSERT_EQ(quorin->SD, 1);
    CQuorinParameterControls quorinShown = *quorin;
    quorinShown.SD = 0;
    KeepSimulationLocks(*quorin, quorinShown);
    EXPECT_EQ(quorin->SD, 0);
}

TEST_F(ZelnarParameterFile, LoadToleratesOtherSpacing)
{
    std::string text = SavedFile;
    ReplaceAll(text, "Q1z:  1\n", "Q1z:1\r\n");
    ReplaceAll(text, "MF: 2000\n", "MF:\t 2000   \n\n");
    ReplaceAll(text, "\nAS", "\n AS");
    const auto controls = LoadZelnarParameters(text, ZelnarParameters);
    ASSERT_TRUE(controls);
    EXPECT_EQ(controls->Q1z, "1");
    EXPECT_EQ(controls->MF, "2000");
}

TEST_F(ZelnarParameterFile, DamagedFileChangesNothing)
{
    ZelnarParameters.BR = 4800;
    const std::string good = SavedFile;
    std::string missingLine = good;
    ReplaceAll(missingLine, "QAy: 20.000000\n", "");
    std::string wrongKey = good;
    ReplaceAll(wrongKey, "TDy: 1", "TDY: 1");
    std::string notANumber = good;
    ReplaceAll(notANumber, "SF: 1.000000", "SF: one");
    std::string tooLarge = good;
    ReplaceAll(tooLarge, "MF: 2000", "MF: 99999999999");
    std::string outsideCombo = good;
    ReplaceAll(outsideCombo, "PL: 1", "PL: 4");
    // Beyond the range of double: the edit would show "inf", which Set would send as 0.
    std::string beyondDouble = good;
    ReplaceAll(beyondDouble, "SF: 1.000000", "SF: 1e400");
    for (const std::string& text :
         {missingLine, wrongKey, notANumber, tooLarge, outsideCombo, beyondDouble, std::string{}}) {
        EXPECT_FALSE(LoadZelnarParameters(text, ZelnarParameters)) << text;
        EXPECT_EQ(ZelnarParameters.BR, 4800);
    }
}

TEST(ParameterFileScan, MatchesLikeFscanf)
{
    std::size_t position = 0;
    int count = 0;
    EXPECT_TRUE(ScanParameterValue("SA: +20x", position, "SA: %d\n", count));
    EXPECT_EQ(count, 20);
    EXPECT_EQ(position, 7u);
    double real = 0;
    position = 0;
    EXPECT_TRUE(ScanParameterValue("OF:-1.5e2\n", position, "OF: %lf\n", real));
    EXPECT_DOUBLE_EQ(real, -150);
    EXPECT_EQ(position, 10u);
    position = 0;
    EXPECT_FALSE(ScanParameterValue("OF: -\n", position, "OF: %lf\n", real));
    EXPECT_FALSE(ScanParameterValue("SA: - 3", position, "SA: %d\n", count));
    EXPECT_FALSE(ScanParameterValue("SA 3", position, "SA: %d\n", count));
    EXPECT_EQ(position, 0u);
    EXPECT_TRUE(ScanParameterValue("SA: -2147483648", position, "SA: %d\n", count));
    EXPECT_EQ(count, -2147483647 - 1);
}

TEST_F(ParameterFileStore, WritesAndReadsBack)
{
    const std::string path = (dir / "ParametersZL.txt").string();
    ASSERT_TRUE(WriteParameterFile(path, SavedFile));
    EXPECT_EQ(Contents(path), SavedFile);
    EXPECT_EQ(ReadParameterFile(path), std::optional<std::string>(SavedFile));
    EXPECT_TRUE(LoadZelnarParameterFile(path, ZelnarParameters));
    EXPECT_EQ(ZelnarParameters.BR, 115200);
    // Replacing leaves no temporary file behind.
    ASSERT_TRUE(WriteParameterFile(path, "AS: 0\n"));
    EXPECT_EQ(Contents(path), "AS: 0\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ParameterFileStore, FailedSaveKeepsTheExistingFile)
{
    const std::filesystem::path path = dir / "ParametersZL.txt";
    ASSERT_TRUE(WriteParameterFile(path.string(), SavedFile));
    if (geteuid() != 0) {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::owner_exec);
        EXPECT_FALSE(WriteParameterFile(path.string(), "AS: 0\n"));
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        EXPECT_EQ(Contents(path), SavedFile);
    }
    // A folder in the file's place is not replaced.
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(WriteParameterFile((dir / "folder").string(), SavedFile));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
    EXPECT_FALSE(std::filesystem::exists(dir / "folder.tmp"));
}

TEST_F(ParameterFileStore, UnreadableFileGivesNothing)
{
    ZelnarParameters.BR = 4800;
    EXPECT_FALSE(LoadZelnarParameterFile((dir / "missing.txt").string(), ZelnarParameters));
    EXPECT_EQ(ZelnarParameters.BR, 4800);
    EXPECT_FALSE(ReadParameterFile((dir / "missing.txt").string()));
    EXPECT_FALSE(ReadParameterFile(dir.string()));
    EXPECT_FALSE(WriteParameterFile((dir / "no" / "such" / "folder.txt").string(), "x"));
}

// Damage of any kind refuses the whole file, so Load shows "Can not read file!" and changes
// neither the controls nor the record. Only text after the last line needed is not read.
TEST_F(ParameterFileStore, DamagedFilesOfEitherFamilyAreRefusedWhole)
{
    const std::string path = (dir / "Parameters.txt").string();
    const std::string readUpToItsLastLine = "10 MB without a line end after the text";
    TakeZelnarEdits(TypedZelnarControls(), ZelnarParameters);
    ZelnarParameters.BR = 4800;
    g_strQuorinFormat = "h";
    const CZelnarParameterControls zelnar = ShowZelnarParameters(ZelnarParameters);
    const CQuorinParameterControls quorin = ShowQuorinParameters(QuorinParameters);

    for (const CBadFile& bad : BadFiles(SavedFile)) {
        SCOPED_TRACE(bad.name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bad.bytes;
        const bool loaded = LoadZelnarParameterFile(path, ZelnarParameters).has_value();
        EXPECT_EQ(loaded, bad.name == readUpToItsLastLine);
        if (loaded) {
            EXPECT_EQ(ZelnarParameters.BR, 115200);
            ZelnarParameters.BR = 4800;
        }
        EXPECT_EQ(ShowZelnarParameters(ZelnarParameters), zelnar);
        EXPECT_EQ(ZelnarParameters.BR, 4800);
    }
    for (const CBadFile& bad : BadFiles(QuorinSavedFile)) {
        SCOPED_TRACE(bad.name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bad.bytes;
        EXPECT_EQ(LoadQuorinParameterFile(path).has_value(), bad.name == readUpToItsLastLine);
        EXPECT_EQ(ShowQuorinParameters(QuorinParameters), quorin);
        EXPECT_EQ(g_strQuorinFormat, "h");
    }
}
