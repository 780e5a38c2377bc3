#include "ClassicQR.h"
#include "LogQR.h"

#include "ControlId.h"
#include "LogPageTestSupport.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"

#include <QCheckBox>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// Stands for the Display page: records each line the Log page hands over.
class CRecordingDisplay final : public CReplyPage
{
public:
    void OnData() override
    {
        lines.push_back(g_strQuorinLine);
        g_strQuorinLine.clear();
    }
    std::vector<std::string> lines;
};

// The Quorin Log and Classic pages behind the real reply routing.
struct QuorinPagesTest : LogPageTest
{
    std::unique_ptr<ClassicQR> classic;
    CRecordingDisplay display;

    void SetUp() override
    {
        g_nLogLines = 0;
        g_nLineCount = 0;
        g_strQuorinLine.clear();
        page = std::make_unique<LogQR>(FixedClock());
        classic = std::make_unique<ClassicQR>();
    }

    void Receive(const std::string& bytes)
    {
        DispatchQuorinReply(bytes, {*page, *classic, display});
    }
    void Mark()
    {
        Receive("000.001\r\n");
        Button(1147)->click();
        Receive("012.345\r\nE16  \r\nR12.345\r\n-03.500\r\n");
        Button(1146)->click();
        Receive("099.000\r\n");
    }
};

TEST_F(QuorinPagesTest, EveryCompleteLineIsListedAndReachesTheDisplay)
{
    ASSERT_NE(FindControl<QListView>(page.get(), 1133), nullptr);
    page->show();
    Receive("012.3");
    Receive("45\r\nE16  \r\nR12");
    // A chunk without a complete line still wakes the Display page, with no line.
    EXPECT_EQ(display.lines, (std::vector<std::string>{"", "012.345", "E16  "}));
    EXPECT_EQ(page->Book().Cutter().Tail(), "R12");
    EXPECT_EQ(g_nLogLines, 2);
    EXPECT_TRUE(PumpUntil([this] { return Model()->rowCount() == 2; }));
    EXPECT_EQ(Row(0), "012.345");
    EXPECT_EQ(Row(1), "E16  ");

    FindControl<QCheckBox>(page.get(), 1169)->setChecked(true);
    Receive(".345\r\n");
    page->ShowEntries();
    EXPECT_EQ(Row(2), "14:03:07:042>> R12.345");
    EXPECT_EQ(display.lines.back(), "R12.345") << "whatever its first character";
}

TEST_F(QuorinPagesTest, SaveWritesTheMarkedStretchAsTextAndAsExcelFileWithAndWithoutTime)
{
    EXPECT_EQ(Button(1148)->text(), "SAVE EXCEL");
    EXPECT_EQ(Button(1144)->text(), "SAVE");
    EXPECT_EQ(Button(1145)->text(), "CLEAR");
    EXPECT_FALSE(Button(1146)->isEnabled());
    EXPECT_FALSE(Button(1148)->isEnabled());
    Mark();
    EXPECT_TRUE(Button(1144)->isEnabled());
    EXPECT_EQ(SaveWith(1148, "log.csv"), "Point Number;Time;Distance\r\n"
                                         "1;;012,345\r\n"
                                         "2;;E16\r\n"
                                         "3;;-03,500\r\n");
    EXPECT_EQ(dialogs.fileRequests.back(),
              (CFileRequest{true, "LogQR Excel", "csv", "Text Files (*.csv)", "logExcel"}));
    EXPECT_FALSE(Button(1144)->isEnabled());
    EXPECT_FALSE(Button(1146)->isEnabled());

    // UM_SAVE_LOG saves the stretch whatever the buttons show.
    dialogs.filePath = folder.filePath("log.txt");
    page->OnSaveLog();
    EXPECT_EQ(ReadFile(dialogs.filePath), "012.345\r\nE16  \r\nR12.345\r\n-03.500\r\n");
    EXPECT_EQ(dialogs.fileRequests.back(),
              (CFileRequest{true, "LogQR", "txt", "Text Files (*.txt)", "log"}));
    EXPECT_TRUE(dialogs.messages.empty());

    // CLEAR starts the list and the marks again; with the time, the Excel rows carry it.
    Button(1145)->click();
    EXPECT_EQ(Model()->rowCount(), 0);
    EXPECT_EQ(g_nLogLines, 0);
    FindControl<QCheckBox>(page.get(), 1169)->setChecked(true);
    Mark();
    EXPECT_EQ(SaveWith(1148, "time.csv"), "Point Number;Time;Distance\r\n"
                                          "1;14:03:07:042;012,345\r\n"
                                          "2;14:03:07:042;E16\r\n"
                                          "3;14:03:07:042;-03,500\r\n");
}

TEST_F(QuorinPagesTest, ClassicPageShowsChunksOnAnEmptiedPageButALoneLineFeed)
{
    auto* edit = FindControl<QPlainTextEdit>(classic.get(), 1132);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->font().family(), "Courier New");
    Receive("SA[n] Average");
    EXPECT_EQ(classic->Text(), "SA[n] Average") << "no carriage return yet, shown all the same";
    classic->ClearText();
    Receive("\n");
    EXPECT_EQ(classic->Text(), "");
    Receive("ok\r\n");
    Receive("\n");
    EXPECT_EQ(classic->Text(), "ok\r\n\r\n") << "a line feed after the first line is shown";
}

TEST_F(QuorinPagesTest, ClassicPageLaysOutWhatArrivedOnlyWhenItIsLookedAt)
{
    auto* edit = FindControl<QPlainTextEdit>(classic.get(), 1132);
    classic->show();
    Receive("SA[n] Average\r\n");
    Receive("ST[n] Time\r\n");
    EXPECT_EQ(edit->toPlainText(), "") << "the text waits for the dialog's timer";
    classic->ShowPending();
    EXPECT_EQ(edit->toPlainText(), "SA[n] Average\nST[n] Time\n");
    classic->hide();
    Receive("SF[-] Scale\r\n");
    classic->ShowPending();
    EXPECT_EQ(edit->toPlainText(), "SA[n] Average\nST[n] Time\n") << "a hidden page waits";
    classic->show();
    EXPECT_EQ(edit->toPlainText(), "SA[n] Average\nST[n] Time\nSF[-] Scale\n");
}

TEST_F(QuorinPagesTest, ClassicPageStartsEmptyAfterLine41)
{
    for (int line = 1; line <= 40; ++line)
        Receive("012.345\r\n");
    EXPECT_EQ(g_nLineCount, 40);
    EXPECT_NE(classic->Text(), "");
    Receive("012.345\r\n");
    EXPECT_EQ(classic->Text(), "");
    EXPECT_EQ(g_nLineCount, 0);
    Receive("013.000\r\n");
    EXPECT_EQ(classic->Text(), "013.000\r\n");
}

} // namespace
