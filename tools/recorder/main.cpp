#include "Recorder.h"
#include "RecorderOptions.h"
#include "StopSignals.h"
#include "Tell.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Before any thread starts, so that only the descriptor takes SIGTERM and SIGINT.
    CStopSignals::Block();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("telvan-recorder");
    QCoreApplication::setApplicationVersion(TELVAN_VERSION);

    const CRecorderArguments arguments =
        ParseRecorderArguments(QCoreApplication::arguments(), DefaultStateFolder());
    switch (arguments.action) {
    case CRecorderArguments::Action::Help:
        std::fputs(arguments.help.c_str(), stdout);
        return 0;
    case CRecorderArguments::Action::Version:
        std::printf("telvan-recorder %s\n", TELVAN_VERSION);
        return 0;
    case CRecorderArguments::Action::Fail:
        Tell(arguments.error);
        return 2;
    case CRecorderArguments::Action::Record:
        break;
    }

    CStopSignals stopSignals;
    CRecorder recorder(arguments.options);
    std::string error;
    if (!recorder.Start(error)) {
        Tell(error);
        return 2;
    }
    QObject::connect(&stopSignals, &CStopSignals::Stop, &application, [&] {
        recorder.Stop();
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
