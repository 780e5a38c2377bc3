#include "TerminalApp.h"
#include "TerminalOptions.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

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
    return CTerminalApp(commandLine.options).Run();
}
