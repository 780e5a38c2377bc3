#include <QCoreApplication>

#include <gtest/gtest.h>

// The publisher takes the client library's events through the event loop: the tests run one.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
