#include "COscillationsDlg.h"
#include "ClassicZL.h"
#include "JournalFolder.h"
#include "JournalReader.h"
#include "LogZL.h"
#include "MainDlgTestSupport.h"
#include "RecoveryOffer.h"
#include "SessionJournal.h"
#include "StatusBar.h"
#include "TerminalSettings.h"
#include "ZelnarDlg.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdlib>

namespace {

constexpr const char* kLost = "COM Port connection lost!";
constexpr int kDT = 1053;
constexpr int kStop = 1066;
constexpr int kConnect = 32772;
constexpr int kDisconnect = 32773;
constexpr int kReconnectItem = 33001;

// The measurement of the counting target an entry holds, in mm; -1 for anything else.
std::int64_t Count(std::string_view entry)
{
    if (entry.size() != 10 || entry.substr(0, 2) != "D+")
        return -1;
    return std::llround(std::atof(std::string(entry.substr(1)).c_str()) * 1000);
}

// The Zelnar main dialog on an emulated device that measures a target stepping 1 mm a line,
// reached through a link that, like the device name of a USB adapter, stays the same when the
// device goes and comes back.
struct ZelnarSessionTest : testing::Test
{
    QTemporaryDir folder;
    QString link = folder.filePath("device");
    CDeviceEmulator device{DeviceFamily::Zelnar, 1};
    CAnsweredDialogs dialogs;
    std::unique_ptr<ZelnarDlg> dlg;

    void SetUp() override
    {
        device.SetCountingTarget(true);
        PlugIn();
        PortSettings = {"Zelnar", link.toStdString(), "115200", "8", 0, 0};
        dlg = std::make_unique<ZelnarDlg>();
        dialogs.WaitForListings(dlg->Classic());
        dlg->Start();
        ASSERT_TRUE(g_bConnected);
    }
    void TearDown() override { dlg.reset(); }

    void PlugIn()
    {
        std::string error;
        ASSERT_TRUE(device.Start(error)) << error;
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(QString::fromStdString(device.DevicePath()), link));
    }
    // Unplugged: the device powers down, so its measuring stops, and its name goes.
    void Unplug()
    {
        device.Execute("\x1b");
        device.HangUp();
        QFile::remove(link);
    }

    template <class T> T* Own(int id) const
    {
        return FindControlOutside<T>(dlg.get(), id, FindControl<CPageTabCtrl>(dlg.get(), 1011));
    }
    int Messages(const std::string& text) const
    {
        return static_cast<int>(std::count(dialogs.messages.begin(), dialogs.messages.end(), text));
    }
    std::vector<std::int64_t> Counts() const
    {
        std::vector<std::int64_t> counts;
        const CLineList& entries = dlg->Log().Book().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            counts.push_back(Count(entries[i]));
        return counts;
    }
    std::size_t Measurements() const
    {
        const auto counts = Counts();
        return static_cast<std::size_t>(
            std::count_if(counts.begin(), counts.end(), [](std::int64_t c) { return c >= 0; }));
    }
    std::string Connection() const
    {
        dlg->StatusBar().Refresh();
        return dlg->StatusBar().Texts().connection;
    }
    std::string Connected() const { return "Zelnar on " + link.toStdString() + " at 115200 baud"; }
};

TEST_F(ZelnarSessionTest, ADeviceComingBackOnItsNameIsReconnectedAndMeasuresOnWithoutDoubles)
{
    EXPECT_EQ(Connection(), Connected());
    const std::size_t messagesBefore = dialogs.messages.size();
    Own<QPushButton>(kDT)->click();
    ASSERT_TRUE(PumpUntil([&] { return Measurements() >= 20; }, 20000ms));

    Unplug();
    ASSERT_TRUE(PumpUntil([&] { return Messages(kLost) == 1; }, 20000ms));
    EXPECT_EQ(Connection(), "reconnecting\u2026 " + Connected());
    EXPECT_TRUE(Own<QAction>(kDisconnect)->isEnabled()) << "the operator may stop the tries";
    const std::size_t beforeReturn = Measurements();
    const std::size_t receivedBefore = device.Received().size();

    PlugIn();
    ASSERT_TRUE(PumpUntil([&] { return Measurements() >= beforeReturn + 20; }, 30000ms));
    EXPECT_EQ(device.Received().substr(receivedBefore), "DT\r") << "the acquisition again";
    EXPECT_EQ(Connection(), Connected());
    EXPECT_EQ(Messages(kLost), 1);
    EXPECT_EQ(dialogs.messages.size(), messagesBefore + 1);

    // Every count once, in order: one stretch before the loss, one after it. The first entry
    // after it may be the line cut by the loss with the next one appended.
    std::int64_t previous = -1;
    int gaps = 0;
    int cut = 0;
    for (const std::int64_t count : Counts()) {
        if (count < 0) {
            cut += previous >= 0;
            continue;
        }
        if (previous >= 0) {
            ASSERT_GT(count, previous) << "a line listed twice or out of order";
            gaps += count != previous + 1;
        }
        previous = count;
    }
    EXPECT_LE(gaps, 1);
    EXPECT_LE(cut, 1);
}

TEST_F(ZelnarSessionTest, DisconnectStopsTheTriesAndTheOptionIsRemembered)
{
    Unplug();
    ASSERT_TRUE(PumpUntil([&] { return Messages(kLost) == 1; }, 20000ms));
    Own<QAction>(kDisconnect)->trigger();
    EXPECT_EQ(Connection(), "not connected");

    QAction* item = Own<QAction>(kReconnectItem);
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(CTerminalSettings().Reconnect());
    PlugIn();
    Own<QAction>(kConnect)->trigger();
    ASSERT_EQ(Connection(), Connected());
    Unplug();
    ASSERT_TRUE(PumpUntil([&] { return Messages(kLost) == 2; }, 20000ms));
    EXPECT_EQ(Connection(), "not connected");

    const ZelnarDlg next;
    EXPECT_FALSE(FindControl<QAction>(&next, kReconnectItem)->isChecked());
}

TEST_F(ZelnarSessionTest, TheStatusBarCountsTheLinesAndTheJournalKeepsTheLog)
{
    QString session;
    const std::size_t attached = dlg->Log().Book().Entries().size();
    {
        CSessionJournal journal(CJournalFolder::DefaultPath(), {});
        session = journal.Session();
        dlg->LogPage().SetSink(&journal);
        dlg->StatusBar().SetJournal(&journal);
        Own<QPushButton>(kDT)->click();
        // The dialog's timer refreshes the bar.
        const CStatusTexts& texts = dlg->StatusBar().Texts();
        ASSERT_TRUE(
            PumpUntil([&] { return texts.rate != "0 lines/s" && !texts.rate.empty(); }, 20000ms));
        EXPECT_EQ(texts.journal, "journal writing");
        Own<QPushButton>(kStop)->click();
        const auto entries = [&] { return dlg->Log().Book().Entries().size(); };
        ASSERT_TRUE(PumpUntil(
            [&] { return texts.entries == std::to_string(entries()) + " entries"; }, 20000ms));
        QStringList shown;
        for (const QLabel* label : dlg->StatusBar().findChildren<QLabel*>())
            shown << label->text();
        EXPECT_TRUE(shown.contains(QString::fromStdString(texts.entries)))
            << shown.join('|').toStdString();
        dlg->LogPage().SetSink(nullptr);
    }
    std::vector<std::string> journaled;
    CJournalReader(session).Read(
        [&](std::int64_t, std::string_view entry) { journaled.emplace_back(entry); });
    const CLineList& entries = dlg->Log().Book().Entries();
    ASSERT_GT(entries.size(), attached);
    ASSERT_EQ(journaled.size(), entries.size() - attached);
    for (std::size_t i = 0; i < journaled.size(); ++i)
        ASSERT_EQ(journaled[i], entries[attached + i]) << i;
}

TEST(RecoveryOffer, AbandonedJournalsAreOfferedOnceEachAndRecoveredForSaving)
{
    const QString folder = CJournalFolder::DefaultPath();
    {
        CSessionJournal crashed(folder, {});
        crashed.Entry(1700000000000, {}, "D+0001.000");
        crashed.Entry(1700000000100, "12:00:00:000>> ", "D+0002.000");
        CSessionJournal kept(folder, {});
        kept.Entry(1700000000200, {}, "ID 1");
        const CSessionJournal empty(folder, {});
    }
    CAnsweredDialogs dialogs;
    QTemporaryDir saves;
    dialogs.filePath = saves.filePath("log.txt");
    std::vector<QString> questions;
    int answer = 0;
    CUserDialogs::SetQuestionHandler([&](const QString& text, const QStringList& choices) {
        questions.push_back(text);
        EXPECT_EQ(choices, (QStringList{"Recover", "Discard", "Keep for later"}));
        return answer++ == 0 ? 0 : 2;
    });
    const ZelnarDlg dlg;
    QString now;
    {
        CSessionJournal journal(folder, {});
        now = journal.Session();
        dlg.LogPage().SetSink(&journal);
        OfferRecovery(CJournalFolder(folder).Abandoned(), dlg.LogPage());
        dlg.LogPage().SetSink(nullptr);
    }
    ASSERT_EQ(questions.size(), 2u) << "the journal without entries goes unasked";
    EXPECT_TRUE(questions[0].contains("2 Log entries")) << questions[0].toStdString();
    EXPECT_TRUE(questions[1].contains("1 Log entries")) << questions[1].toStdString();
    const std::vector<std::string> recovered{"D+0001.000", "12:00:00:000>> D+0002.000"};
    const CLineList& entries = dlg.Log().Book().Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], recovered[0]);
    EXPECT_EQ(entries[1], recovered[1]);
    std::vector<std::string> journaled;
    CJournalReader(now).Read([&](std::int64_t, std::string_view e) { journaled.emplace_back(e); });
    EXPECT_EQ(journaled, recovered) << "the recovered entries are this session's now";

    FindControl<QPushButton>(&dlg.Log(), 1101)->click();
    EXPECT_EQ(ReadFile(dialogs.filePath), "D+0001.000\r\n12:00:00:000>> D+0002.000\r\n");

    // The next start offers what was kept, and this run's journal, which did not end either.
    questions.clear();
    CUserDialogs::SetQuestionHandler([&](const QString& text, const QStringList&) {
        questions.push_back(text);
        return 1;
    });
    ASSERT_EQ(CJournalFolder(folder).Abandoned().size(), 2);
    const ZelnarDlg next;
    OfferRecovery(CJournalFolder(folder).Abandoned(), next.LogPage());
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(next.Log().Book().Entries().empty());
    EXPECT_TRUE(CJournalFolder(folder).Abandoned().isEmpty());
    CUserDialogs::SetQuestionHandler({});
}

TEST(RememberedSettings, OscillationsSettingsOpenAsLastConfirmed)
{
    {
        COscillationsDlg settings;
        FindControl<QLineEdit>(&settings, 1163)->setText("12.5");
        FindControl<QLineEdit>(&settings, 1013)->setText("3");
        FindControl<QCheckBox>(&settings, 1162)->setChecked(false);
        settings.accept();
    }
    // A main dialog's start resets the run; the dialog offers the remembered one.
    ResetSimulationState();
    const COscillationsDlg next;
    EXPECT_EQ(FindControl<QLineEdit>(&next, 1163)->text(), "12.500");
    EXPECT_EQ(FindControl<QLineEdit>(&next, 1013)->text(), "3.000");
    EXPECT_FALSE(FindControl<QCheckBox>(&next, 1162)->isChecked());
    ResetSimulationState();
}

TEST(RememberedSettings, EachFileDialogOpensInTheFolderItWasLastAnsweredIn)
{
    QTemporaryDir logs;
    QTemporaryDir sheets;
    // Where an earlier run saved its last spreadsheet.
    CTerminalSettings().SetFolder("logExcel", sheets.path());
    QString shownFolder;
    const auto answer = [&](const QString& file) {
        QTimer::singleShot(0, [&, file] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shownFolder = dialog->directory().absolutePath();
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    const CFileRequest log{true, "Log", "txt", "Text Files (*.txt)", "log"};
    const CFileRequest sheet{true, "Log Excel", "csv", "Text Files (*.csv)", "logExcel"};
    answer(logs.filePath("first.txt"));
    EXPECT_EQ(CUserDialogs::AskFileName(nullptr, log), logs.filePath("first.txt"));
    EXPECT_EQ(CTerminalSettings().Folder("log"), logs.path());

    answer(sheets.filePath("log.csv"));
    CUserDialogs::AskFileName(nullptr, sheet);
    EXPECT_EQ(shownFolder, sheets.path());

    answer(logs.filePath("second.txt"));
    CUserDialogs::AskFileName(nullptr, log);
    EXPECT_EQ(shownFolder, logs.path());
}

} // namespace
