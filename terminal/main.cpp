#include "TerminalApp.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Telvan Terminal");
    QApplication::setApplicationVersion(TELVAN_VERSION);
    // Numbers in files and on screen keep the "." that the device and the files use.
    std::setlocale(LC_NUMERIC, "C");
    return CTerminalApp().Run();
}
