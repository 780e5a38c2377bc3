#include "TerminalApp.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Telvan Terminal");
    QApplication::setApplicationVersion(TELVAN_VERSION);
    QApplication::setDesktopFileName("telvan-terminal");
    QApplication::setWindowIcon(QIcon(":/telvan-terminal.png"));
    return CTerminalApp().Run();
}
