#include "FontApplication.h"

#include <QGuiApplication>

#include <mutex>

#include <unistd.h>

namespace {

bool IsFirstThread()
{
    return gettid() == getpid();
}

} // namespace

bool EnsureFontApplication()
{
    if (qGuiApp)
        return true;
    static std::mutex mutex;
    const std::scoped_lock lock(mutex);
    if (qGuiApp)
        return true;
    if (QCoreApplication::instance() || !IsFirstThread()) {
        static bool warned = false;
        if (!warned)
            qWarning("Plotra: texts need a QGuiApplication, which only the program's first "
                     "thread can make when there is no other application; pictures are drawn "
                     "without title, legend and labels");
        warned = true;
        return false;
    }
    // Command-line arguments of its own: "-platform" wins over QT_QPA_PLATFORM, so no display
    // is needed, and the program's arguments stay the program's.
    static int argc = 3;
    static char name[] = "plotra";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platform, offscreen, nullptr};
    static const QGuiApplication* application = new QGuiApplication(argc, argv);
    return application == qGuiApp;
}
