#include "GraphQR.h"

#include "../core/ParameterTestSupport.h"
#include "CSVGraph2Static.h"
#include "ControlId.h"
#include "GraphData.h"
#include "GraphSetupQR.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>

namespace {

template <class T> T Field(const std::string& bytes, std::size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

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
    void Setup(const std::vector<std::pair<int, QString>>& texts, bool autoscale)
    {
        CUserDialogs::SetModalHandler([&](QDialog& dialog) {
            EXPECT_NE(qobject_cast<GraphSetupQR*>(&dialog), nullptr);
            for (const auto& [id, text] : texts)
                FindControl<QLineEdit>(&dialog, id)->setText(text);
            FindControl<QCheckBox>(&dialog, 1161)->setChecked(autoscale);
            dialog.accept();
            if (dialog.result() != QDialog::Accepted)
                dialog.reject();
            return dialog.result();
        });
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
    for (int i = 0; i < 30; ++i)
        AddGraphPointQR(i % 7);
    page->RedrawGraphQR();
    Pump(20ms);
    auto& q = QuorinParameters;
    q.ASIndex = 3;
    q.SE = 1;
    q.SD = 0;
    q.RMx = 10;
    q.RMy = 2;
    q.RMz = 3;
    q.ST = 4;
    q.SA = 5;
    q.TDx = 6;
    q.TDy = 1;
    q.SF = 1.0;
    q.OF = -0.25;
    q.TMx = 1;
    q.TMy = 0;
    q.RB = 0.5;
    q.RE = 20;
    q.AC = 5;
    q.AW = 4;
    q.AH = -1;
    q.BR = 9600;
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
    const int width = page->DistanceStatic().width();
    const int height = page->DistanceStatic().height();
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), 62u + rowBytes * static_cast<std::uint32_t>(height));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Field<std::uint32_t>(bmp, 2), bmp.size());
    EXPECT_EQ(Field<std::uint32_t>(bmp, 6), 0u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 10), 62u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 14), 40u);
    EXPECT_EQ(Field<std::int32_t>(bmp, 18), width);
    EXPECT_EQ(Field<std::int32_t>(bmp, 22), height);
    EXPECT_EQ(Field<std::uint16_t>(bmp, 26), 1);
    EXPECT_EQ(Field<std::uint16_t>(bmp, 28), 24);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 30), 0u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 34), rowBytes * static_cast<std::uint32_t>(height));
    EXPECT_EQ(Field<std::uint32_t>(bmp, 46), 2u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 50), 2u);
    EXPECT_EQ(bmp.substr(54, 8), std::string("\xFF\xFF\xFF\0\0\0\0\0", 8));
    // Rows are stored from the bottom up, as blue, green, red: the file's first row is the
    // control's lowest one, its last row the control's top one.
    const QImage shown = page->DistanceStatic().grab().toImage();
    const auto fileRow = [&](std::size_t row) {
        std::vector<QRgb> pixels;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            const auto* bgr =
                reinterpret_cast<const unsigned char*>(bmp.data()) + 62 + row * rowBytes + x * 3;
            pixels.push_back(qRgb(bgr[2], bgr[1], bgr[0]));
        }
        return pixels;
    };
    const auto shownRow = [&](int y) {
        std::vector<QRgb> pixels;
        for (int x = 0; x < width; ++x)
            pixels.push_back(shown.pixel(x, y) | 0xFF000000);
        return pixels;
    };
    ASSERT_NE(shownRow(0), shownRow(height - 1));
    EXPECT_EQ(fileRow(0), shownRow(height - 1));
    EXPECT_EQ(fileRow(static_cast<std::size_t>(height) - 1), shownRow(0));

    EXPECT_EQ(ReadFile(folder.filePath("graph.txt")),
              "AS: 3\nSE: 1\nSD: 0\nRMx: 10\nRMy: 2\nRMz: 3\nST: 4\nSA: 5\nTDxQR: 6\nTDy: 1\n"
              "SF: 1.000000\nOF: -0.250000\nTMx: 1\nTMy: 0\nRB: 0.500000\nRE: 20.000000\n"
              "AC: 5.000000\nAW: 4.000000\nAH: -1.000000\nBR: 9600\n");
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
