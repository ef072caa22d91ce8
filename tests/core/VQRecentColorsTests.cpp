// The recent colours: newest first without duplicates, bounded, kept in a file
// that is read tolerantly.

#include "core/VQRecentColors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
QStringList added(VQRecentColors &recent, const QStringList &colors)
{
    for (const QString &color : colors)
        recent.add(color);
    return recent.colors();
}
} // namespace

TEST(RecentColors, KeepsTheNewestFirstWithoutDuplicates)
{
    const struct {
        const char *what;
        int limit;
        bool enabled;
        QStringList add, expected;
    } rows[] = {
        {"newest first", 50, true, {"#112233", "#445566", "#778899"}, {"#778899", "#445566", "#112233"}},
        {"a duplicate moves to the front", 50, true, {"#112233", "#445566", "#112233"}, {"#112233", "#445566"}},
        {"case and the # do not make another colour",
         50,
         true,
         {"aabbcc", "#123456", "#AaBbCc"},
         {"#AABBCC", "#123456"}},
        {"the limit drops the oldest", 2, true, {"#000001", "#000002", "#000003"}, {"#000003", "#000002"}},
        {"the limit is at least one", 0, true, {"#000001", "#000002"}, {"#000002"}},
        {"not a colour", 50, true, {"#12345", "red", "#1234567", ""}, {}},
        {"off", 50, false, {"#112233"}, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        VQRecentColors recent(QString{});
        recent.setLimit(row.limit);
        recent.setEnabled(row.enabled);
        EXPECT_EQ(added(recent, row.add), row.expected);
    }
}

TEST(RecentColors, LoweringTheLimitOrClearingDropsColors)
{
    VQRecentColors recent(QString{});
    EXPECT_EQ(recent.limit(), VQRecentColors::kDefaultLimit);
    for (int i = 0; i < 600; ++i)
        recent.add(QStringLiteral("#%1").arg(i, 6, 16, QLatin1Char('0')));
    EXPECT_EQ(recent.colors().size(), 50);
    recent.setLimit(1000);
    EXPECT_EQ(recent.limit(), VQRecentColors::kMaximumLimit);
    recent.setLimit(3);
    EXPECT_EQ(recent.colors(), (QStringList{"#000257", "#000256", "#000255"}));
    recent.setEnabled(false);
    recent.clear();
    EXPECT_TRUE(recent.colors().isEmpty());
}

TEST(RecentColors, RoundTripsThroughItsFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("state/Vellico/recent-colors.json"));
    VQRecentColors recent(path);
    EXPECT_TRUE(recent.load()); // no file yet: an empty list
    added(recent, {"#112233", "#445566"});
    QString error;
    ASSERT_TRUE(recent.save(&error)) << error.toStdString();
    VQRecentColors again(path);
    EXPECT_TRUE(again.load());
    EXPECT_EQ(again.colors(), (QStringList{"#445566", "#112233"}));

    // A file longer than the limit is cut to it.
    again.setLimit(1);
    EXPECT_TRUE(again.load());
    EXPECT_EQ(again.colors(), QStringList{"#445566"});
}

TEST(RecentColors, SetsADamagedFileAsideAndStartsEmpty)
{
    const struct {
        const char *what;
        QByteArray text;
        const char *why;
    } rows[] = {
        {"not JSON", "{\"colors\": [\"#112233\"", "not JSON"},
        {"no list", "[\"#112233\"]", "no \"colors\" list"},
        {"a wrong entry", "{\"colors\": [\"#112233\", 7]}", "not a #RRGGBB color"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("recent-colors.json"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.text);
        file.close();

        VQRecentColors recent(path);
        recent.add(QStringLiteral("#FFFFFF"));
        QString message;
        EXPECT_FALSE(recent.load(&message));
        EXPECT_TRUE(recent.colors().isEmpty());
        EXPECT_TRUE(message.contains(QLatin1String(row.why))) << message.toStdString();
        // The damaged file is kept, byte for byte, beside the new one.
        const QStringList kept =
            QDir(folder.path()).entryList({QStringLiteral("recent-colors.json (set aside *)")}, QDir::Files);
        ASSERT_EQ(kept.size(), 1);
        EXPECT_TRUE(message.contains(kept[0])) << message.toStdString();
        QFile keptFile(folder.filePath(kept[0]));
        ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(keptFile.readAll(), row.text);
        recent.add(QStringLiteral("#010203"));
        EXPECT_TRUE(recent.save());
        VQRecentColors again(path);
        EXPECT_TRUE(again.load());
        EXPECT_EQ(again.colors(), QStringList{"#010203"});
    }
}
