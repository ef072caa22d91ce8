// Whether a tray host runs, from what the session bus tells.

#include "platform/VQTrayHost.h"

#include <gtest/gtest.h>

namespace
{
TEST(VQTrayHostTest, JudgedFromTheBus)
{
    struct Row {
        const char *name;
        VQTrayHostFacts facts;
        VQTrayHost expected;
    };
    const Row rows[] = {
        {"no watcher", {false, false, false, 0}, VQTrayHost::None},
        {"a host's name left behind without a watcher", {false, false, false, 1}, VQTrayHost::None},
        {"Plasma's watcher in kded, no panel", {true, true, true, 0}, VQTrayHost::WatcherWithoutHost},
        {"Plasma's watcher in kded and a panel", {true, true, true, 1}, VQTrayHost::Host},
        {"a watcher that is its own host (a shell extension)", {true, true, false, 0}, VQTrayHost::Host},
        {"a watcher that says no host", {true, false, false, 0}, VQTrayHost::WatcherWithoutHost},
        {"a bar's host registered with the watcher", {true, true, false, 2}, VQTrayHost::Host},
    };
    for (const Row &row : rows)
        EXPECT_EQ(VQJudgeTrayHost(row.facts), row.expected) << row.name;
}
} // namespace
