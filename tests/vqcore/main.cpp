// The framework's tests run inside a QCoreApplication, so that timers and
// queued calls have a main thread and an event loop to land on.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
