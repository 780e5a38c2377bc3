#include "GraphFiles.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GraphFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        directory =
            std::filesystem::temp_directory_path() /
            ("graph-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
    }
    void TearDown() override
    {
        ResetParameterRecords();
        std::filesystem::remove_all(directory);
    }

    std::filesystem::path directory;
};

TEST_F(GraphFiles, ZelnarParameterLines)
{
    CZelnarParameters& p = ZelnarParameters;
    p.ASIndex = 2;
    p.PL = 1;
    p.SE = 2;
    p.SC = 1;
    p.SDx = 0;
    p.SDy = 3;
    p.MF = 2000;
    p.SA = 20;
    p.Q1z = 1;
    p.Q2z = -1;
    p.TDx = 1.5;
    p.TDy = 1;
    p.TDz = 2;
    p.BR = 115200;
    p.SF = 1;
    p.OF = -0.25;
    p.MWx = -5000;
    p.MWy = 5000;
    p.Q1w = 5;
    p.Q1x = 4;
    p.Q1y = 0.5;
    p.Q2w = 12;
    p.Q2x = 6;
    p.Q2y = 1;
    p.QAx = 0;
    p.QAy = 20;
    EXPECT_EQ(GraphParameterTextZL(p),
              "AS: 2\nPL: 1\nSE: 2\nSC: 1\nSDx: 0\nSDy: 3\nMF: 2000\nSA: 20\nQ1z:  1\nQ2z:  -1\n"
              "TDx: 1.500000\nTDy: 1\nTDz: 2\nBR: 115200\nSF: 1.000000\nOF: -0.250000\n"
              "MWx: -5000.000000\nMWy: 5000.000000\nQ1w: 5.000000\nQ1x: 4.000000\n"
              "Q1y: 0.500000\nQ2w: 12.000000\nQ2x: 6.000000\nQ2y: 1.000000\nQAx: 0.000000\n"
              "QAy: 20.000000\n");
}

TEST_F(GraphFiles, QuorinParameterLines)
{
    CQuorinParameters& p = QuorinParameters;
    p.ASIndex = 3;
    p.SE = 1;
    p.SD = 1;
    p.RMx = 4;
    p.RMy = 5;
    p.RMz = 6;
    p.ST = 7;
    p.SA = 8;
    p.TDx = 250;
    p.TDy = 1;
    p.SF = 1.0936;
    p.OF = 0.125;
    p.TMx = 1;
    p.TMy = 0;
    p.RB = 0;
    p.RE = 20;
    p.AC = 5;
    p.AW = 4;
    p.AH = -1;
    p.BR = 9600;
    EXPECT_EQ(GraphParameterTextQR(p),
              "AS: 3\nSE: 1\nSD: 1\nRMx: 4\nRMy: 5\nRMz: 6\nST: 7\nSA: 8\nTDxQR: 250\nTDy: 1\n"
              "SF: 1.093600\nOF: 0.125000\nTMx: 1\nTMy: 0\nRB: 0.000000\nRE: 20.000000\n"
              "AC: 5.000000\nAW: 4.000000\nAH: -1.000000\nBR: 9600\n");
}

TEST_F(GraphFiles, BitmapBytes)
{
    CGraphPicture picture(2, 2);
    picture.SetPixel(0, 0, 0x112233); // top left
    picture.SetPixel(1, 1, 0xAABBCC); // bottom right
    const std::string bmp = EncodeGraphBitmap(picture);
    const std::string expected =
        std::string("BM") + std::string("\x4E\x00\x00\x00", 4) + std::string(4, '\0') +
        std::string("\x3E\x00\x00\x00", 4) + std::string("\x28\x00\x00\x00", 4) +
        std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8) + std::string("\x01\x00\x18\x00", 4) +
        std::string(4, '\0') + std::string("\x10\x00\x00\x00", 4) + std::string(8, '\0') +
        std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8) +
        std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00", 8) +
        // bottom row first: white, then CC BB AA, two bytes padding
        std::string("\xFF\xFF\xFF\xCC\xBB\xAA\x00\x00", 8) +
        std::string("\x33\x22\x11\xFF\xFF\xFF\x00\x00", 8);
    EXPECT_EQ(bmp, expected);
}

TEST_F(GraphFiles, StackedPictureHasSpeedOnTop)
{
    CGraphPicture speed(3, 1, 0x0000FF);
    CGraphPicture distance(2, 2, 0x00FF00);
    const CGraphPicture stacked = StackGraphPictures(speed, distance);
    ASSERT_EQ(stacked.nWidth, 2);
    ASSERT_EQ(stacked.nHeight, 3);
    EXPECT_EQ(stacked.GetPixel(1, 0), 0x0000FFu);
    EXPECT_EQ(stacked.GetPixel(0, 2), 0x00FF00u);
    const CGraphPicture narrowTop = StackGraphPictures(CGraphPicture(1, 1, 0), distance);
    EXPECT_EQ(narrowTop.GetPixel(1, 0), 0xFFFFFFu);
}

TEST_F(GraphFiles, SavesBesideThePicture)
{
    const std::filesystem::path picture = directory / "run.bmp";
    EXPECT_EQ(SaveGraphPicture(picture, CGraphPicture(3, 2)), "");
    EXPECT_EQ(ReadFile(picture).size(), 62u + 2 * 12);
    EXPECT_EQ(GraphParameterFileProposal(picture), (directory / "run").string());
    EXPECT_EQ(GraphParameterFileProposal(""), "");

    const std::filesystem::path text = directory / "run.txt";
    ZelnarParameters.MF = 2000;
    EXPECT_EQ(SaveGraphParametersZL(text, ZelnarParameters), "");
    EXPECT_EQ(ReadFile(text), GraphParameterTextZL(ZelnarParameters));
    EXPECT_EQ(SaveGraphParametersQR(text, QuorinParameters), "");
    EXPECT_EQ(ReadFile(text), GraphParameterTextQR(QuorinParameters));
    // Only the two files remain: no temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(GraphFiles, FailureLeavesTheTargetAlone)
{
    EXPECT_EQ(SaveGraphParametersZL(directory / "missing" / "p.txt", ZelnarParameters),
              "Can not save file!");
    // A folder in the way is refused and stays a folder.
    const std::filesystem::path folder = directory / "taken.bmp";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(SaveGraphPicture(folder, CGraphPicture(1, 1)), "Can not save file!");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
