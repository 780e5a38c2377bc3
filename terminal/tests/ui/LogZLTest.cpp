#include "LogZL.h"

#include "../core/ParameterTestSupport.h"
#include "BlankPage.h"
#include "ControlId.h"
#include "DisplayZL.h"
#include "LogPageTestSupport.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"
#include "ZelnarDisplay.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace {

// A Zelnar Log page between the real reply routing and a Display page.
struct LogZLTest : LogPageTest
{
    CBlankPage classic;
    std::unique_ptr<DisplayZL> display;

    void SetUp() override
    {
        ResetParameterState();
        ZelnarParameters.SF = 1.0;
        g_DisplayZL = CZelnarDisplay{};
        g_nLogLines = 0;
        page = std::make_unique<LogZL>(FixedClock());
        display = std::make_unique<DisplayZL>();
    }
    void TearDown() override { ResetParameterState(); }

    void Receive(const std::string& bytes)
    {
        DispatchZelnarReply(bytes, {*page, classic, *display});
    }
    void Mark()
    {
        Button(1148)->click();
        Receive("D+0012.345 01500 +29.9\r\nD-0001.250 +0012.345\r\nDE02      \r\nH00A1B2\r\n");
        Button(1149)->click();
    }
};

TEST_F(LogZLTest, LinesArrivingInPiecesAreListedAndReachTheDisplay)
{
    ASSERT_NE(FindControl<QListView>(page.get(), 1066), nullptr);
    page->show();
    Receive("D+0012.3");
    Receive("45\r\nD+00");
    EXPECT_EQ(Model()->rowCount(), 0) << "the list shows new rows in steps";
    EXPECT_TRUE(PumpUntil([this] { return Model()->rowCount() == 1; }));
    EXPECT_EQ(Row(0), "D+0012.345");
    display->ShowPending();
    EXPECT_EQ(FindControl<QLabel>(display.get(), 1070)->text(), "+0012.345");
    EXPECT_EQ(page->Book().Cutter().Tail(), "D+00");
    EXPECT_EQ(g_nLogLines, 1);

    FindControl<QCheckBox>(page.get(), 1170)->setChecked(true);
    Receive("12.000\r\n");
    page->ShowEntries();
    EXPECT_EQ(Row(1), "14:03:07:042>> D+0012.000");
    display->ShowPending();
    EXPECT_EQ(FindControl<QLabel>(display.get(), 1070)->text(), "+0012.000");
    // The next run's Log page starts with the Time box as it was left.
    const LogZL next(FixedClock());
    EXPECT_TRUE(FindControl<QCheckBox>(&next, 1170)->isChecked());
    EXPECT_TRUE(next.Book().Time());
}

TEST_F(LogZLTest, AListOutOfSightShowsEveryEntryWhenItComesIntoSight)
{
    for (const char* line : {"D+0012.345\r\n", "D+0012.346\r\n", "DE02      \r\n"})
        Receive(line);
    Pump(100ms);
    EXPECT_EQ(Model()->rowCount(), 0) << "the view out of sight is not told of each row";
    page->show();
    ASSERT_EQ(Model()->rowCount(), 3);
    EXPECT_EQ(Row(0), "D+0012.345");
    EXPECT_EQ(Row(2), "DE02      ");
}

TEST_F(LogZLTest, ButtonsFollowTheirCycle)
{
    EXPECT_TRUE(Button(1148)->isEnabled());
    EXPECT_TRUE(Button(1095)->isEnabled());
    EXPECT_FALSE(Button(1149)->isEnabled());
    EXPECT_FALSE(Button(1101)->isEnabled());
    EXPECT_FALSE(Button(1171)->isEnabled());
    Button(1148)->click();
    EXPECT_TRUE(Button(1149)->isEnabled());
    EXPECT_FALSE(Button(1101)->isEnabled());
    Button(1149)->click();
    EXPECT_TRUE(Button(1101)->isEnabled());
    EXPECT_TRUE(Button(1171)->isEnabled());
    SaveWith(1101, "log.txt");
    EXPECT_FALSE(Button(1149)->isEnabled());
    EXPECT_FALSE(Button(1101)->isEnabled());
    EXPECT_FALSE(Button(1171)->isEnabled());
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0],
              (CFileRequest{true, "Log", "txt", "Text Files (*.txt)", "log"}));
}

TEST_F(LogZLTest, SaveWritesTheMarkedStretchAsTextAndAsExcelFile)
{
    Receive("D+0000.001\r\n");
    Mark();
    Receive("D+0099.000\r\n");
    EXPECT_EQ(SaveWith(1171, "log.csv"), "Point number;Time;Speed;Distance;Strength;Temperature\r\n"
                                         "1;;;+0012,345;01500;+29,9\r\n"
                                         "2;;-0001,250;+0012,345;;\r\n"
                                         "3;;E02;E02;;\r\n");
    EXPECT_EQ(dialogs.fileRequests.back(),
              (CFileRequest{true, "Log Excel", "csv", "Text Files (*.csv)", "logExcel"}));
    // UM_SAVE_LOG saves the stretch whatever the buttons show.
    dialogs.filePath = folder.filePath("log.txt");
    page->OnSaveLog();
    EXPECT_EQ(ReadFile(dialogs.filePath), "D+0012.345 01500 +29.9\r\nD-0001.250 +0012.345\r\n"
                                          "DE02      \r\nH00A1B2\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogZLTest, SaveWithTimeWritesTheTimeColumn)
{
    FindControl<QCheckBox>(page.get(), 1170)->setChecked(true);
    Mark();
    EXPECT_EQ(SaveWith(1171, "log.csv"), "Point number;Time;Speed;Distance;Strength;Temperature\r\n"
                                         "1;14:03:07:042;;+0012,345;01500;+29,9\r\n"
                                         "2;14:03:07:042;-0001,250;+0012,345;;\r\n"
                                         "3;14:03:07:042;E02;E02;;\r\n");
    dialogs.filePath = folder.filePath("log.txt");
    page->OnSaveLog();
    EXPECT_EQ(ReadFile(dialogs.filePath),
              "14:03:07:042>> D+0012.345 01500 +29.9\r\n14:03:07:042>> D-0001.250 +0012.345\r\n"
              "14:03:07:042>> DE02      \r\n14:03:07:042>> H00A1B2\r\n");
}

TEST_F(LogZLTest, CancelKeepsTheButtonsAndAFailedSaveIsReported)
{
    Mark();
    dialogs.filePath.clear();
    Button(1101)->click();
    EXPECT_TRUE(Button(1101)->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.filePath = folder.filePath("missing/log.txt");
    Button(1101)->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Can not save file!"});
    EXPECT_FALSE(Button(1101)->isEnabled());
    EXPECT_FALSE(Button(1149)->isEnabled());
}

TEST_F(LogZLTest, ClearEmptiesTheListAndTheMarks)
{
    Mark();
    page->ShowEntries();
    EXPECT_EQ(Model()->rowCount(), 4);
    Button(1095)->click();
    EXPECT_EQ(Model()->rowCount(), 0);
    EXPECT_EQ(g_nLogLines, 0);
    EXPECT_EQ(page->Book().StartIndex(), 0u);
    EXPECT_EQ(page->Book().StopIndex(), 0u);
    EXPECT_FALSE(Button(1101)->isEnabled());
    Receive("D+0001.000\r\n");
    page->ShowEntries();
    EXPECT_EQ(Row(0), "D+0001.000");
}

} // namespace
