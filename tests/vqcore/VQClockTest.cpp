#include "VQClock.h"

#include "VQTestSupport.h"

#include <QDateTime>

class VQClockTest : public VQLibraryTest {};

TEST_F(VQClockTest, FixedTimeIsTruncatedToWholeSeconds)
{
    struct Row {
        double time;
        std::uint64_t seconds;
    } rows[] = {{1700000000.9, 1700000000}, {1700000000.0, 1700000000}, {0.5, 0}, {-5.0, 0}, {-0.5, 0}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.time);
        VQClock::setFixedTime(row.time);
        EXPECT_EQ(VQClock::currentTime(), row.time);
        EXPECT_EQ(VQClock::now(), row.seconds);
    }
}

TEST_F(VQClockTest, SystemClockWhenNoSource)
{
    VQClock::setSource(nullptr);
    const double before = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    const double now = VQClock::currentTime();
    const double after = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    EXPECT_GE(now, before);
    EXPECT_LE(now, after);
}

TEST_F(VQClockTest, UniqueTimestampsWithinOneSecondKeepIncreasing)
{
    VQUniqueTimestamp ids;
    setTime(1000.4);
    EXPECT_EQ(ids.next(), 1000u);
    EXPECT_EQ(ids.next(), 1001u);
    EXPECT_EQ(ids.next(), 1002u);
    // The clock has reached the last identifier but not passed it.
    setTime(1002.9);
    EXPECT_EQ(ids.next(), 1003u);
    // Once the clock has passed the last identifier, the current second again.
    setTime(1010.0);
    EXPECT_EQ(ids.next(), 1010u);
    EXPECT_EQ(ids.next(), 1011u);
    // A clock that goes back never brings back an identifier.
    setTime(900.0);
    EXPECT_EQ(ids.next(), 1012u);
    ids.reset();
    EXPECT_EQ(ids.next(), 900u);
}

TEST_F(VQClockTest, ColourAndCollectionIdentifiersAreIndependent)
{
    setTime(5000.0);
    EXPECT_EQ(VQUniqueTimestamp::colorIDs().next(), 5000u);
    EXPECT_EQ(VQUniqueTimestamp::colorIDs().next(), 5001u);
    EXPECT_EQ(VQUniqueTimestamp::collectionIDs().next(), 5000u);
    EXPECT_NE(&VQUniqueTimestamp::colorIDs(), &VQUniqueTimestamp::collectionIDs());
}
