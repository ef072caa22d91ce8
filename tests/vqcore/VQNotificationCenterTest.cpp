#include "VQNotificationCenter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const QString kA = QStringLiteral("VQTestANotification");
const QString kB = QStringLiteral("VQTestBNotification");
} // namespace

TEST(VQNotificationCenterTest, ObserversHearOnlyTheirName)
{
    VQNotificationCenter center;
    int a = 0, b = 0;
    center.addObserver(kA, nullptr, [&](const VQNotification &note) {
        EXPECT_EQ(note.name, kA);
        ++a;
    });
    center.addObserver(kB, nullptr, [&](const VQNotification &) { ++b; });
    center.post(kA);
    center.post(kA);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 0);
    center.post(QStringLiteral("VQTestOtherNotification"));
    EXPECT_EQ(a + b, 2);
    EXPECT_EQ(center.observerCount(kA), 1);
}

TEST(VQNotificationCenterTest, ObjectFilter)
{
    VQNotificationCenter center;
    int sender = 0, other = 0;
    std::vector<const void *> fromMine, fromAny;
    center.addObserver(kA, &sender, [&](const VQNotification &note) { fromMine.push_back(note.object); });
    center.addObserver(kA, nullptr, [&](const VQNotification &note) { fromAny.push_back(note.object); });
    center.post(kA, &other);
    center.post(kA, nullptr);
    center.post(kA, &sender);
    EXPECT_EQ(fromMine, std::vector<const void *>({&sender}));
    EXPECT_EQ(fromAny, std::vector<const void *>({&other, nullptr, &sender}));
}

TEST(VQNotificationCenterTest, DeliveryInTheOrderObserversWereAdded)
{
    VQNotificationCenter center;
    std::vector<int> order;
    for (int i = 0; i < 5; ++i)
        center.addObserver(kA, nullptr, [&order, i](const VQNotification &) { order.push_back(i); });
    center.post(kA);
    EXPECT_EQ(order, std::vector<int>({0, 1, 2, 3, 4}));
}

TEST(VQNotificationCenterTest, RemovalByToken)
{
    VQNotificationCenter center;
    int first = 0, second = 0;
    const auto t1 = center.addObserver(kA, nullptr, [&](const VQNotification &) { ++first; });
    center.addObserver(kA, nullptr, [&](const VQNotification &) { ++second; });
    EXPECT_NE(t1, 0u);
    center.removeObserver(t1);
    center.post(kA);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(center.observerCount(kA), 1);
    center.removeObserver(t1); // twice is harmless
    center.removeObserver(987654);
    EXPECT_EQ(center.observerCount(kA), 1);
}

TEST(VQNotificationCenterTest, ObserverTokenRemovesAtEndOfScope)
{
    VQNotificationCenter center;
    int calls = 0;
    {
        VQObserverToken token(center.addObserver(kA, nullptr, [&](const VQNotification &) { ++calls; }), &center);
        center.post(kA);
        EXPECT_EQ(calls, 1);
        // Moving keeps the registration alive in the new owner.
        VQObserverToken moved(std::move(token));
        center.post(kA);
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(center.observerCount(kA), 1);
    }
    center.post(kA);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(center.observerCount(kA), 0);

    VQObserverToken assigned;
    assigned = VQObserverToken(center.addObserver(kA, nullptr, [&](const VQNotification &) { ++calls; }), &center);
    EXPECT_EQ(center.observerCount(kA), 1);
    assigned.reset();
    EXPECT_EQ(center.observerCount(kA), 0);
}

TEST(VQNotificationCenterTest, ObserverRemovesItselfDuringDelivery)
{
    VQNotificationCenter center;
    int self = 0, after = 0;
    VQNotificationCenter::Token token = 0;
    token = center.addObserver(kA, nullptr, [&](const VQNotification &) {
        ++self;
        center.removeObserver(token);
    });
    center.addObserver(kA, nullptr, [&](const VQNotification &) { ++after; });
    center.post(kA);
    center.post(kA);
    EXPECT_EQ(self, 1);
    EXPECT_EQ(after, 2);
}

TEST(VQNotificationCenterTest, ObserverRemovesALaterOneDuringDelivery)
{
    VQNotificationCenter center;
    int later = 0;
    VQNotificationCenter::Token laterToken = 0;
    center.addObserver(kA, nullptr, [&](const VQNotification &) { center.removeObserver(laterToken); });
    laterToken = center.addObserver(kA, nullptr, [&](const VQNotification &) { ++later; });
    center.post(kA);
    // Removed before its turn: a removed observer is never called again.
    EXPECT_EQ(later, 0);
}

TEST(VQNotificationCenterTest, ObserverAddedDuringDeliveryWaitsForTheNextPost)
{
    VQNotificationCenter center;
    int added = 0;
    bool once = false;
    center.addObserver(kA, nullptr, [&](const VQNotification &) {
        if (!once) {
            once = true;
            center.addObserver(kA, nullptr, [&](const VQNotification &) { ++added; });
        }
    });
    center.post(kA);
    EXPECT_EQ(added, 0);
    center.post(kA);
    EXPECT_EQ(added, 1);
}

TEST(VQNotificationCenterTest, PostingFromAHandler)
{
    VQNotificationCenter center;
    std::vector<QString> heard;
    center.addObserver(kA, nullptr, [&](const VQNotification &note) {
        heard.push_back(note.name);
        center.post(kB);
        heard.push_back(QStringLiteral("after B"));
    });
    center.addObserver(kB, nullptr, [&](const VQNotification &note) { heard.push_back(note.name); });
    center.post(kA);
    EXPECT_EQ(heard, std::vector<QString>({kA, kB, QStringLiteral("after B")}));
}
