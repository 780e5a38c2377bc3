#pragma once

#include "ClassicPage.h"
#include "ControlId.h"
#include "DeviceEmulator.h"
#include "PortSettings.h"
#include "UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;

// Keeps the event loop going until done() holds; false when it does not within timeout.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 3000ms)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The bytes of a file, empty when it cannot be read.
inline std::string ReadFile(const QString& path)
{
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void Pump(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}

// The last lines of the two families' parameter listings.
inline constexpr const char* kZelnarListingEnd = "AS[-] Autostart";
inline constexpr const char* kQuorinListingEnd = "OF[m] Offset";

// The device's whole parameter listing, up to the end of its last line, has reached the
// Classic page.
inline bool ListingShown(CClassicPage& page, const char* lastLine = kZelnarListingEnd)
{
    const std::string text = page.Text();
    const std::size_t last = text.find(lastLine);
    return last != std::string::npos && text.find("\r\n", last) != std::string::npos;
}

// Waits until the page's text has stayed the same for a while: the device has answered.
inline bool PumpUntilQuiet(CClassicPage& page, std::chrono::milliseconds quiet = 150ms)
{
    std::string last = page.Text();
    auto since = std::chrono::steady_clock::now();
    return PumpUntil([&] {
        std::string now = page.Text();
        if (now != last) {
            last.swap(now);
            since = std::chrono::steady_clock::now();
        }
        return std::chrono::steady_clock::now() - since >= quiet;
    });
}

inline void PrintTo(const CFileRequest& request, std::ostream* out)
{
    *out << (request.save ? "save " : "open ") << request.proposedName.toStdString() << " ."
         << request.defaultExtension.toStdString() << " " << request.fileType.toStdString();
}

// Answers the terminal's dialogs in place of an operator for one test: records every message,
// answers file dialogs with the path given, and runs modal dialogs through the test's handler.
struct CAnsweredDialogs
{
    std::vector<std::string> messages;
    std::function<void(const std::string&)> onMessage;
    QString filePath;
    std::vector<CFileRequest> fileRequests;

    CAnsweredDialogs()
    {
        CUserDialogs::SetMessageHandler([this](const QString& text) {
            messages.push_back(text.toStdString());
            if (onMessage)
                onMessage(messages.back());
        });
        CUserDialogs::SetFileNameHandler([this](const CFileRequest& request) {
            fileRequests.push_back(request);
            return filePath;
        });
    }
    ~CAnsweredDialogs()
    {
        CUserDialogs::SetMessageHandler({});
        CUserDialogs::SetFileNameHandler({});
        CUserDialogs::SetModalHandler({});
    }
    CAnsweredDialogs(const CAnsweredDialogs&) = delete;
    CAnsweredDialogs& operator=(const CAnsweredDialogs&) = delete;

    // While the waiting message is open, the device's listing arrives on the page.
    void WaitForListings(CClassicPage& page, const char* lastLine = kZelnarListingEnd)
    {
        onMessage = [&page, lastLine](const std::string& text) {
            if (text.rfind("Get parameter settings", 0) == 0 || text == "Parameters displayed") {
                EXPECT_TRUE(PumpUntil([&] { return ListingShown(page, lastLine); }));
            }
        };
    }
};

// An emulated device on a pseudo-terminal, chosen in PortSettings at its family's baud rate.
struct CEmulatedDevice
{
    CDeviceEmulator device;

    explicit CEmulatedDevice(DeviceFamily family) : device(family, 7)
    {
        std::string error;
        EXPECT_TRUE(device.Start(error)) << error;
        const bool zelnar = family == DeviceFamily::Zelnar;
        PortSettings = {zelnar ? "Zelnar" : "Quorin",
                        device.DevicePath(),
                        zelnar ? "115200" : "9600",
                        "8",
                        0,
                        0};
    }

    // What arrived after the first count bytes.
    std::string ReceivedSince(std::size_t count) const { return device.Received().substr(count); }
};

struct CEmulatedZelnar : CEmulatedDevice
{
    CEmulatedZelnar() : CEmulatedDevice(DeviceFamily::Zelnar) {}
};

struct CEmulatedQuorin : CEmulatedDevice
{
    CEmulatedQuorin() : CEmulatedDevice(DeviceFamily::Quorin) {}
};

inline void PressKey(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// Start Simulation through its menu item, confirming the Oscillations Settings with the
// distances given (a refused OK cancels).
inline void StartSimulation(QAction* start, const QString& maximum, const QString& minimum)
{
    CUserDialogs::SetModalHandler([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Oscillations Settings");
        FindControl<QLineEdit>(&dialog, 1163)->setText(maximum);
        FindControl<QLineEdit>(&dialog, 1013)->setText(minimum);
        dialog.accept();
        if (dialog.result() != QDialog::Accepted)
            dialog.reject();
        return dialog.result();
    });
    start->trigger();
    CUserDialogs::SetModalHandler({});
}

// Plays a fast simulated run until done holds, checking after every event: a pump of several
// milliseconds would play far past the point, up to the end of the run. The guard only stops a
// hang: a whole run takes over 20 s under the sanitizers on a busy machine.
inline bool PlayUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + 300000ms;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        QApplication::processEvents();
    }
    return true;
}
