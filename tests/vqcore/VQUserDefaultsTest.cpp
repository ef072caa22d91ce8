#include "VQUserDefaults.h"

#include "VQTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

class VQUserDefaultsTest : public VQLibraryTest {};

TEST_F(VQUserDefaultsTest, AbsentKeysReadAsFalseZeroOrNothing)
{
    VQUserDefaults &defaults = VQUserDefaults::standard();
    const QString key = QStringLiteral("VQNeverWritten");
    EXPECT_FALSE(defaults.hasKey(key));
    EXPECT_FALSE(defaults.boolForKey(key));
    EXPECT_EQ(defaults.integerForKey(key), 0);
    EXPECT_EQ(defaults.doubleForKey(key), 0.0);
    EXPECT_TRUE(defaults.stringForKey(key).isNull());
    EXPECT_TRUE(defaults.dataForKey(key).isEmpty());
    EXPECT_FALSE(defaults.objectForKey(key).isValid());
}

TEST_F(VQUserDefaultsTest, ValuesRoundTripThroughTheFile)
{
    {
        VQUserDefaults &defaults = VQUserDefaults::standard();
        defaults.setBool(QStringLiteral("VQUseLowercase"), true);
        defaults.setBool(QStringLiteral("VQOff"), false);
        defaults.setInteger(QStringLiteral("VQCopyType"), 7);
        defaults.setInteger(QStringLiteral("VQBig"), -9007199254740993LL);
        defaults.setDouble(QStringLiteral("VQScale"), 0.125);
        defaults.setString(QStringLiteral("RZLastUsedColorPickerName"), QStringLiteral("Wheel ✓"));
        defaults.setData(QStringLiteral("ShortcutRecorder KeyboardShortcut"), QByteArray("\x00\x01\xFF", 3));
        defaults.synchronize();
    }
    VQUserDefaults reread(VQUserDefaults::standard().filePath());
    EXPECT_TRUE(reread.boolForKey(QStringLiteral("VQUseLowercase")));
    EXPECT_TRUE(reread.hasKey(QStringLiteral("VQOff")));
    EXPECT_FALSE(reread.boolForKey(QStringLiteral("VQOff")));
    EXPECT_EQ(reread.integerForKey(QStringLiteral("VQCopyType")), 7);
    EXPECT_EQ(reread.integerForKey(QStringLiteral("VQBig")), -9007199254740993LL);
    EXPECT_EQ(reread.doubleForKey(QStringLiteral("VQScale")), 0.125);
    EXPECT_EQ(reread.stringForKey(QStringLiteral("RZLastUsedColorPickerName")), QStringLiteral("Wheel ✓"));
    EXPECT_EQ(reread.dataForKey(QStringLiteral("ShortcutRecorder KeyboardShortcut")), QByteArray("\x00\x01\xFF", 3));

    reread.removeObjectForKey(QStringLiteral("VQCopyType"));
    EXPECT_FALSE(reread.hasKey(QStringLiteral("VQCopyType")));
    EXPECT_EQ(reread.integerForKey(QStringLiteral("VQCopyType")), 0);
}

TEST_F(VQUserDefaultsTest, HandEditedSpellings)
{
    const QString file = path(QStringLiteral("hand.conf"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("[General]\nyes=yes\ntrue=TRUE\none=1\nzero=0\nno=no\nword=banana\nreal=2.75\nspaced= 12 \n");
    }
    VQUserDefaults defaults(file);
    struct Row {
        const char *key;
        bool asBool;
        qint64 asInteger;
        double asDouble;
    } rows[] = {
        {"yes", true, 0, 0},   {"true", true, 1, 0},     {"one", true, 1, 1},         {"zero", false, 0, 0},
        {"no", false, 0, 0},   {"word", false, 0, 0},    {"real", true, 2, 2.75},     {"spaced", true, 12, 12},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(defaults.boolForKey(QString::fromLatin1(row.key)), row.asBool);
        EXPECT_EQ(defaults.integerForKey(QString::fromLatin1(row.key)), row.asInteger);
        EXPECT_EQ(defaults.doubleForKey(QString::fromLatin1(row.key)), row.asDouble);
    }
}

TEST_F(VQUserDefaultsTest, FileLocationHonoursXDGConfigHome)
{
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("elsewhere")).toUtf8());
    EXPECT_EQ(VQUserDefaults::defaultFilePath(), path(QStringLiteral("elsewhere/Vellico/Vellico.conf")));
    // A relative setting is not a valid XDG folder: fall back to ~/.config.
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(VQUserDefaults::defaultFilePath(), QDir::homePath() + QStringLiteral("/.config/Vellico/Vellico.conf"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(VQUserDefaults::defaultFilePath(), QDir::homePath() + QStringLiteral("/.config/Vellico/Vellico.conf"));

    // The standard defaults really write there.
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("elsewhere")).toUtf8());
    VQUserDefaults::setStandardFilePath(VQUserDefaults::defaultFilePath());
    VQUserDefaults::standard().setInteger(QStringLiteral("VQCopyType"), 3);
    VQUserDefaults::standard().synchronize();
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("elsewhere/Vellico/Vellico.conf"))));
}
