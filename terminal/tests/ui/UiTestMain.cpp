#include "DesktopPublisher.h"
#include "JournalFolder.h"
#include "TerminalSettings.h"
#include "TestHome.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <clocale>

namespace {

// Every test starts from the default settings, without journals and without readings queued
// for a broker.
class CFreshSession : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override
    {
        CTerminalSettings::Reset();
        QDir(CJournalFolder::DefaultPath()).removeRecursively();
        QDir(CDesktopPublisher::QueueRoot()).removeRecursively();
    }
};

} // namespace

int main(int argc, char** argv)
{
    const CTestHome home;
    // Listing the tests needs an application too, and no screen may be there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CFreshSession);
    return RUN_ALL_TESTS();
}
