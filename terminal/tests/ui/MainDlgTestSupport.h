#pragma once

#include "ControlId.h"
#include "MainDlg.h"
#include "PageTabCtrl.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>
#include <memory>

// A main dialog of a family started against an emulated device of that family. Finds the
// dialog's own controls by id (its pages reuse some ids) and tells which bytes an action sent.
template <class Dialog, class Emulated> struct TMainDlgTest : testing::Test
{
    Emulated emulated;
    CAnsweredDialogs dialogs;
    std::unique_ptr<Dialog> dlg;

    // Gives the device its parameters, then a new line without the replies to them waiting,
    // and starts the dialog on it. The listing of the dialog's Get arrives while the waiting
    // message is open.
    void StartOn(std::initializer_list<const char*> deviceCommands, const char* listingEnd)
    {
        for (const char* command : deviceCommands)
            emulated.device.Execute(command);
        emulated.device.HangUp();
        std::string error;
        ASSERT_TRUE(emulated.device.Start(error)) << error;
        PortSettings.comPort = emulated.device.DevicePath();
        dlg = std::make_unique<Dialog>();
        dialogs.WaitForListings(dlg->Classic(), listingEnd);
        dlg->Start();
    }
    void TearDown() override { dlg.reset(); }

    template <class T> T* Own(int id) const
    {
        return FindControlOutside<T>(dlg.get(), id, FindControl<CPageTabCtrl>(dlg.get(), 1011));
    }
    QLineEdit* Edit(int id) const { return Own<QLineEdit>(id); }
    QComboBox* Combo(int id) const { return Own<QComboBox>(id); }
    QPushButton* Button(int id) const { return Own<QPushButton>(id); }
    QAction* Action(int id) const { return Own<QAction>(id); }
    bool Shown(int id) const { return !Own<QWidget>(id)->isHidden(); }
    // Each edit of the id shows its text.
    void ExpectEdits(const std::vector<std::pair<int, const char*>>& edits) const
    {
        for (const auto& [id, text] : edits)
            EXPECT_EQ(Edit(id)->text().toStdString(), text) << "edit " << id;
    }

    // The bytes the device receives for what act does.
    std::string SentBy(const std::function<void()>& act, std::size_t expectedCount)
    {
        const std::size_t before = emulated.device.Received().size();
        act();
        emulated.device.WaitForReceived(before + expectedCount, 30000ms);
        Pump(20ms);
        return emulated.ReceivedSince(before);
    }
    // What act sends before the DM that the button of dmId sends after it: nothing, when act
    // sends nothing.
    std::string SentBeforeDM(const std::function<void()>& act, int dmId)
    {
        std::string sent = SentBy(
            [&] {
                act();
                Button(dmId)->click();
            },
            3);
        return sent.ends_with("DM\r") ? sent.substr(0, sent.size() - 3) : sent + "<no DM>";
    }
};

// Plays a fast simulated run until done holds, checking after every event: a pump of several
// milliseconds would play far past the point. The run is driven by its lines: only one that
// plays no line for a minute has hung, however slow the machine.
inline bool PlayUntil(CMainDlg& dialog, const std::function<bool()>& done)
{
    auto lastLine = std::chrono::steady_clock::now();
    const QMetaObject::Connection lines = QObject::connect(
        &dialog, &CMainDlg::SimulatedLine, [&] { lastLine = std::chrono::steady_clock::now(); });
    bool reached = true;
    while (reached && !done()) {
        reached = std::chrono::steady_clock::now() - lastLine < 60s;
        QApplication::processEvents();
    }
    QObject::disconnect(lines);
    return reached;
}
