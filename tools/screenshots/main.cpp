#include "ScreenshotRun.h"
#include "TerminalApp.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

// Runs the terminal program as usual while it saves the pictures of the user guide, answering
// its dialogs in place of an operator.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("telvan-screenshots");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Saves pictures of the Telvan Terminal's dialogs and pages for its user guide.");
    parser.addHelpOption();
    const QCommandLineOption zelnar("zelnar", "The Zelnar device to connect to.", "port");
    const QCommandLineOption quorin(
        "quorin", "The Quorin device to connect to next (no Quorin pictures without one).", "port");
    parser.addOption(zelnar);
    parser.addOption(quorin);
    parser.addPositionalArgument("folder", "Where the pictures are saved.");
    parser.process(application);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(zelnar)) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    const CScreenshotRun screenshots(parser.positionalArguments().front(), parser.value(zelnar),
                                     parser.value(quorin));
    return CTerminalApp().Run();
}
