#include "ScreenshotRun.h"
#include "TerminalApp.h"
#include "TerminalOptions.h"

#include <QApplication>
#include <QIcon>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    QApplication::setApplicationName("Telvan Terminal");
    QApplication::setApplicationVersion(TELVAN_VERSION);
    // Read before the application needs a screen, so --help, --version and mistakes need none.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CTerminalCommandLine commandLine = ParseTerminalCommandLine(arguments);
    if (commandLine.exitStatus) {
        std::fputs(qPrintable(commandLine.output), commandLine.toStandardError ? stderr : stdout);
        return *commandLine.exitStatus;
    }
    QApplication application(argc, argv);
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
    return CTerminalApp(commandLine.options).Run();
}
