#include "VQDispatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
// Runs the main event loop until `done` or the time is up.
template <class Done> bool spinUntil(Done done, int milliseconds = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    return done();
}

void spinFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
} // namespace

TEST(VQDispatchTest, DelayedBlockRunsOnceAfterTheDelay)
{
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    int runs = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 ranAfter = -1;
    VQ_PERFORM_DELAYED_BLOCK(0.2, [&] {
        ++runs;
        ranAfter = clock.elapsed();
    });
    EXPECT_EQ(runs, 0); // never synchronously
    spinFor(50);
    EXPECT_EQ(runs, 0); // not before its time
    ASSERT_TRUE(spinUntil([&] { return runs > 0; }));
    EXPECT_GE(ranAfter, 190);
    spinFor(300);
    EXPECT_EQ(runs, 1);
}

TEST(VQDispatchTest, MainThreadBlockIsQueuedEvenFromTheMainThread)
{
    bool ran = false;
    VQ_PERFORM_BLOCK_ON_MAIN_THREAD_ASYNC([&] { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(spinUntil([&] { return ran; }));
}

TEST(VQDispatchTest, BlocksFromAnotherThreadRunOnTheMainThread)
{
    const std::thread::id mainId = std::this_thread::get_id();
    std::atomic<int> asyncRuns{0}, delayedRuns{0};
    std::atomic<bool> asyncOnMain{false}, delayedOnMain{false};
    std::thread worker([&] {
        VQ_PERFORM_BLOCK_ON_MAIN_THREAD_ASYNC([&] {
            asyncOnMain = std::this_thread::get_id() == mainId;
            ++asyncRuns;
        });
        VQ_PERFORM_DELAYED_BLOCK(0.05, [&] {
            delayedOnMain = std::this_thread::get_id() == mainId;
            ++delayedRuns;
        });
    });
    worker.join();
    ASSERT_TRUE(spinUntil([&] { return asyncRuns > 0 && delayedRuns > 0; }));
    EXPECT_TRUE(asyncOnMain);
    EXPECT_TRUE(delayedOnMain);
    spinFor(150);
    EXPECT_EQ(asyncRuns, 1);
    EXPECT_EQ(delayedRuns, 1);
}

TEST(VQDispatchTest, BlockPostedFromAQThreadWithItsOwnLoop)
{
    // A thread with a running event loop of its own must still hand over to the main thread.
    std::atomic<bool> onMain{false}, ran{false};
    QThread *thread = QThread::create([&] {
        VQ_PERFORM_DELAYED_BLOCK(0.0, [&] {
            onMain = QThread::currentThread() == QCoreApplication::instance()->thread();
            ran = true;
        });
    });
    thread->start();
    thread->wait();
    delete thread;
    ASSERT_TRUE(spinUntil([&] { return ran.load(); }));
    EXPECT_TRUE(onMain);
}
