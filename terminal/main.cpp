#include "ScreenshotRun.h"
#include "TerminalApp.h"

#include <QApplication>
#include <QIcon>

#include <clocale>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Telvan Terminal");
    QApplication::setApplicationVersion(TELVAN_VERSION);
    QApplication::setDesktopFileName("telvan-terminal");
    QApplication::setWindowIcon(QIcon(":/telvan-terminal.png"));
    // Numbers in files and on screen keep the "." that the device and the files use.
    std::setlocale(LC_NUMERIC, "C");

    // The documentation's pictures: TELVAN_SCREENSHOTS names their folder,
    // TELVAN_SCREENSHOT_PORT the Zelnar device to connect to and TELVAN_SCREENSHOT_QUORIN_PORT,
    // when set, the Quorin device.
    std::unique_ptr<CScreenshotRun> screenshots;
    if (const char* folder = std::getenv("TELVAN_SCREENSHOTS")) {
        const char* port = std::getenv("TELVAN_SCREENSHOT_PORT");
        const char* quorinPort = std::getenv("TELVAN_SCREENSHOT_QUORIN_PORT");
        screenshots = std::make_unique<CScreenshotRun>(folder, port ? port : "COM1",
                                                       quorinPort ? quorinPort : "");
    }
    return CTerminalApp().Run();
}
