#include "GraphZL.h"

#include "../core/ParameterTestSupport.h"
#include "CSVGraph2Static.h"
#include "ControlId.h"
#include "GraphData.h"
#include "GraphSetupZL.h"
#include "GraphTestSupport.h"
#include "TerminalSettings.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

struct GraphZLTest : testing::Test
{
    CAnsweredDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<GraphZL> page;

    void SetUp() override
    {
        ResetParameterState();
        page = std::make_unique<GraphZL>();
        page->resize(400, 500);
        page->show();
    }
    void TearDown() override { ResetParameterState(); }

    QPushButton* Button(int id) const { return FindControl<QPushButton>(page.get(), id); }

    // Runs the setup dialog with the texts given for its edits, then OK and, when OK is
    // refused, Cancel.
    void Setup(std::vector<std::pair<int, QString>> texts, bool autoscale)
    {
        AnswerGraphSetup<GraphSetupZL>(std::move(texts), 1155, autoscale);
        Button(1097)->click();
    }
};

TEST_F(GraphZLTest, GraphsKeepTheLastNPointsOverTheirNumbers)
{
    EXPECT_EQ(page->SpeedStatic().y() < page->DistanceStatic().y(), true);
    for (int i = 0; i < 151; ++i)
        AddGraphPoint(i * 0.1, -i * 0.01);
    ASSERT_EQ(g_pDistanceColumn->m_Values.size(), 150u);
    ASSERT_EQ(g_pSpeedColumn->m_Values.size(), 150u);
    EXPECT_EQ(g_pDistanceTable->m_XValues.front(), 1.0);
    EXPECT_EQ(g_pDistanceTable->m_XValues.back(), 150.0);
    EXPECT_EQ(g_pDistanceTable->m_XAxis.m_Min, 1.0);
    EXPECT_EQ(g_pDistanceTable->m_XAxis.m_Max, 150.0);
    EXPECT_EQ(page->DistanceStatic().GetGraph()->m_pTable, g_pDistanceTable.get());

    Button(1153)->click();
    EXPECT_TRUE(g_pDistanceColumn->m_Values.empty());
    EXPECT_EQ(g_nGraphPoints, 0);
}

TEST_F(GraphZLTest, SetupTakesValidValuesAndRestartsTheGraphs)
{
    AddGraphPoint(1.0, 0.0);
    Setup({{1156, "30"}, {1013, "10"}, {1014, "1"}, {1015, "-1"}, {1157, "3"}}, false);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(g_nPointsNumber, 3);
    EXPECT_FALSE(g_bAutoscale);
    EXPECT_EQ(g_dDistanceMax, 30.0);
    EXPECT_TRUE(g_pDistanceColumn->m_Values.empty());
    for (int i = 0; i < 5; ++i)
        AddGraphPoint(100.0, 0.0);
    EXPECT_EQ(g_pDistanceColumn->m_Values.size(), 3u);
    EXPECT_EQ(g_pDistanceColumn->m_Min, 10.0);
    EXPECT_EQ(g_pDistanceColumn->m_Max, 30.0);

    // The next run's page starts with them.
    page = std::make_unique<GraphZL>();
    EXPECT_EQ(g_nPointsNumber, 3);
    EXPECT_FALSE(g_bAutoscale);
    EXPECT_EQ(g_dSpeedMin, -1.0);
}

TEST_F(GraphZLTest, ARefusedSetupChangesNothing)
{
    AddGraphPoint(1.0, 0.0);
    Setup({{1156, "5"}, {1013, "5"}, {1157, "7"}}, false);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Parameters are invalid, Please correct it"});
    EXPECT_EQ(g_nPointsNumber, 150);
    EXPECT_TRUE(g_bAutoscale);
    EXPECT_EQ(g_pDistanceColumn->m_Values.size(), 1u);
    EXPECT_FALSE(CTerminalSettings().GraphSetupZL());
}

TEST_F(GraphZLTest, SetupShowsTheSettingsAndDisablesTheRangesWhileAutoscaling)
{
    CUserDialogs::SetModalHandler([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Zelnar Graph Setup");
        EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1156)->text(), "20.000");
        EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1015)->text(), "-2.000");
        EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1157)->text(), "150");
        EXPECT_FALSE(FindControl<QLineEdit>(&dialog, 1013)->isEnabled());
        FindControl<QCheckBox>(&dialog, 1155)->setChecked(false);
        EXPECT_TRUE(FindControl<QLineEdit>(&dialog, 1013)->isEnabled());
        dialog.reject();
        return dialog.result();
    });
    Button(1097)->click();
    EXPECT_TRUE(g_bAutoscale);
}

TEST_F(GraphZLTest, SaveWritesThePictureOfBothGraphsAndTheParameters)
{
    // The headers' time stays put between the picture saved and the ones compared.
    for (CCSVGraph2Static* graph : {&page->SpeedStatic(), &page->DistanceStatic()})
        graph->GetGraph()->m_Clock = [] { return std::time_t{1700000000}; };
    for (int i = 0; i < 20; ++i)
        AddGraphPoint(i, 1.0);
    page->RedrawGraphs();
    Pump(20ms);
    ZelnarParameters.MF = 2000;
    std::vector<CFileRequest> requests;
    CUserDialogs::SetFileNameHandler([&](const CFileRequest& request) {
        requests.push_back(request);
        return folder.filePath(request.defaultExtension == "bmp" ? "graph.bmp" : "graph.txt");
    });
    Button(1096)->click();
    const std::string bmp = ReadFile(folder.filePath("graph.bmp"));
    const int width = page->DistanceStatic().width();
    const int height = page->DistanceStatic().height() + page->SpeedStatic().height();
    ExpectGraphBitmap(bmp, width, height);
    // Read back, the file holds the speed graph's pixels over the distance graph's.
    const auto pixels = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB32);
    };
    const QImage saved = pixels(QImage::fromData(QByteArray::fromStdString(bmp), "BMP"));
    const QImage speed = pixels(page->SpeedStatic().grab().toImage());
    const QImage distance = pixels(page->DistanceStatic().grab().toImage());
    EXPECT_EQ(saved.copy(0, 0, width, speed.height()), speed);
    EXPECT_EQ(saved.copy(0, speed.height(), width, distance.height()), distance);

    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].proposedName, folder.filePath("graph"));
    EXPECT_EQ(ReadFile(folder.filePath("graph.txt")).substr(0, 6), "AS: 0\n");
}

TEST_F(GraphZLTest, SaveWithoutPictureStillOffersTheParameterFile)
{
    ZelnarParameters.MF = 2000;
    int asked = 0;
    CUserDialogs::SetFileNameHandler([&](const CFileRequest& request) {
        ++asked;
        EXPECT_TRUE(request.proposedName.isEmpty());
        return request.defaultExtension == "txt" ? folder.filePath("p.txt") : QString();
    });
    Button(1096)->click();
    EXPECT_EQ(asked, 2);
    const std::string text = ReadFile(folder.filePath("p.txt"));
    EXPECT_EQ(text.substr(0, 24), "AS: 0\nPL: 0\nSE: 0\nSC: 0\n");
    EXPECT_NE(text.find("MF: 2000\n"), std::string::npos);
    EXPECT_NE(text.find("Q1z:  0\n"), std::string::npos);
}

} // namespace
