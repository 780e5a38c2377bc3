#include "GraphQR.h"

#include "../core/ParameterTestSupport.h"
#include "CSVGraph2Static.h"
#include "ControlId.h"
#include "GraphData.h"
#include "GraphFiles.h"
#include "GraphSetupQR.h"
#include "GraphTestSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

struct GraphQRTest : testing::Test
{
    CAnsweredDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<GraphQR> page;

    void SetUp() override
    {
        ResetParameterState();
        page = std::make_unique<GraphQR>();
        page->resize(500, 360);
        page->show();
    }
    void TearDown() override { ResetParameterState(); }

    QPushButton* Button(int id) const { return FindControl<QPushButton>(page.get(), id); }

    // Runs the setup dialog with the texts given for its edits, then OK and, when OK is
    // refused, Cancel.
    void Setup(std::vector<std::pair<int, QString>> texts, bool autoscale)
    {
        AnswerGraphSetup<GraphSetupQR>(std::move(texts), 1161, autoscale);
        Button(1156)->click();
    }
};

TEST_F(GraphQRTest, TheGraphKeepsTheLastFiftyPointsOverTheirNumbersUntilCleared)
{
    EXPECT_EQ(page->DistanceStatic().GetGraph()->m_pTable, g_pDistanceTableQR.get());
    EXPECT_EQ(g_pDistanceColumnQR->m_pFormat->m_strCaption, "Distance (m)");
    for (int i = 0; i < 51; ++i)
        AddGraphPointQR(i * 0.5);
    ASSERT_EQ(g_pDistanceColumnQR->m_Values.size(), 50u);
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.front(), 0.5);
    EXPECT_EQ(g_pDistanceTableQR->m_XValues.front(), 1.0);
    EXPECT_EQ(g_pDistanceTableQR->m_XValues.back(), 50.0);
    EXPECT_EQ(g_pDistanceTableQR->m_XAxis.m_Min, 1.0);
    EXPECT_EQ(g_pDistanceTableQR->m_XAxis.m_Max, 50.0);

    Button(1154)->click();
    EXPECT_TRUE(g_pDistanceColumnQR->m_Values.empty());
    EXPECT_EQ(g_nGraphPointsQR, 0);
    AddGraphPointQR(3.0);
    EXPECT_EQ(g_pDistanceTableQR->m_XValues, std::vector<double>{0.0});
}

TEST_F(GraphQRTest, SetupShowsTheSettingsAndDisablesTheRangeWhileAutoscaling)
{
    CUserDialogs::SetModalHandler([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Quorin Graph Setup");
        EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Quorin Graph Setup");
        QStringList buttons;
        for (const QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
            buttons << button->text();
        EXPECT_EQ(buttons, (QStringList{"OK", "Abbrechen"}));
        EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1158)->text(), "20.000");
        EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1159)->text(), "0.000");
        EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1160)->text(), "50");
        EXPECT_TRUE(FindControl<QCheckBox>(&dialog, 1161)->isChecked());
        EXPECT_FALSE(FindControl<QLineEdit>(&dialog, 1158)->isEnabled());
        EXPECT_TRUE(FindControl<QLineEdit>(&dialog, 1160)->isEnabled());
        FindControl<QCheckBox>(&dialog, 1161)->setChecked(false);
        EXPECT_TRUE(FindControl<QLineEdit>(&dialog, 1158)->isEnabled());
        EXPECT_TRUE(FindControl<QLineEdit>(&dialog, 1159)->isEnabled());
        dialog.reject();
        return dialog.result();
    });
    Button(1156)->click();
    EXPECT_TRUE(g_bAutoscaleQR);
    EXPECT_FALSE(g_bGraphSetupConfirmed);
}

TEST_F(GraphQRTest, AValidSetupTakesItsValuesAndRestartsTheGraph)
{
    AddGraphPointQR(1.0);
    Setup({{1158, "30"}, {1159, "10"}, {1160, "3"}}, false);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(g_bGraphSetupConfirmed);
    EXPECT_EQ(g_nPointsNumberQR, 3);
    EXPECT_FALSE(g_bAutoscaleQR);
    EXPECT_TRUE(g_pDistanceColumnQR->m_Values.empty());
    for (int i = 0; i < 5; ++i)
        AddGraphPointQR(100.0);
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.size(), 3u);
    EXPECT_EQ(g_pDistanceColumnQR->m_Min, 10.0);
    EXPECT_EQ(g_pDistanceColumnQR->m_Max, 30.0);

    // A later Cancel leaves the graph and the settings as they are.
    CUserDialogs::SetModalHandler([](QDialog& dialog) {
        FindControl<QLineEdit>(&dialog, 1160)->setText("9");
        dialog.reject();
        return dialog.result();
    });
    Button(1156)->click();
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.size(), 3u);
    EXPECT_EQ(g_nPointsNumberQR, 3);
}

TEST_F(GraphQRTest, ARefusedSetupThenCancelChangesNothing)
{
    AddGraphPointQR(1.0);
    Setup({{1158, "5"}, {1159, "5"}, {1160, "7"}}, false);
    Setup({{1158, "30"}, {1159, "10"}, {1160, "0"}}, true);
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"Parameters are invalid, Please correct it",
                                        "Parameters are invalid, Please correct it"}));
    EXPECT_FALSE(g_bGraphSetupConfirmed);
    EXPECT_EQ(g_nPointsNumberQR, 50);
    EXPECT_TRUE(g_bAutoscaleQR);
    EXPECT_EQ(g_dDistanceMaxQR, 20.0);
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.size(), 1u);
}

TEST_F(GraphQRTest, SaveWritesThePictureOfTheGraphAndThenItsParameters)
{
    // The header's time stays put between the picture saved and the one compared.
    page->DistanceStatic().GetGraph()->m_Clock = [] { return std::time_t{1700000000}; };
    for (int i = 0; i < 30; ++i)
        AddGraphPointQR(i % 7);
    page->RedrawGraphs();
    Pump(20ms);
    QuorinParameters.ASIndex = 3;
    QuorinParameters.OF = -0.25;
    QuorinParameters.AH = -1;
    QuorinParameters.BR = 9600;
    std::vector<CFileRequest> requests;
    CUserDialogs::SetFileNameHandler([&](const CFileRequest& request) {
        requests.push_back(request);
        return folder.filePath(request.defaultExtension == "bmp" ? "graph.bmp" : "graph.txt");
    });
    Button(1155)->click();

    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].defaultExtension, "bmp");
    EXPECT_EQ(requests[0].fileType, "BMP Files (*.bmp);;All Files (*)");
    EXPECT_EQ(requests[1].proposedName, folder.filePath("graph"));
    EXPECT_EQ(requests[1].fileType, "Text Files (*.txt)");

    const std::string bmp = ReadFile(folder.filePath("graph.bmp"));
    const QImage shown = page->DistanceStatic().grab().toImage();
    ExpectGraphBitmap(bmp, shown.width(), shown.height());
    // Read back, the file holds the control's pixels as they stand on the screen.
    const QImage saved = QImage::fromData(QByteArray::fromStdString(bmp), "BMP");
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              shown.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(shown.pixel(0, 0), shown.pixel(0, shown.height() - 1));

    const std::string text = ReadFile(folder.filePath("graph.txt"));
    EXPECT_EQ(text, GraphParameterTextQR(QuorinParameters));
    EXPECT_EQ(text.substr(0, 6), "AS: 3\n");
    EXPECT_NE(text.find("\nOF: -0.250000\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 9), "BR: 9600\n");
}

TEST_F(GraphQRTest, APictureThatCannotBeWrittenIsReportedAndTheParametersAreStillOffered)
{
    CUserDialogs::SetFileNameHandler([&](const CFileRequest& request) {
        return request.defaultExtension == "bmp" ? folder.filePath("missing/graph.bmp") : QString();
    });
    Button(1155)->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Can not save file!"});

    int asked = 0;
    CUserDialogs::SetFileNameHandler([&](const CFileRequest& request) {
        ++asked;
        EXPECT_TRUE(request.proposedName.isEmpty());
        return request.defaultExtension == "txt" ? folder.filePath("p.txt") : QString();
    });
    Button(1155)->click();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(ReadFile(folder.filePath("p.txt")).substr(0, 12), "AS: 0\nSE: 0\n");
}

} // namespace
