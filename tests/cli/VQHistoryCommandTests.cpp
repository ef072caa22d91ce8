// vellico-cli history: the recent colours of the state folder, newest first,
// and --clear; a damaged file is set aside and said so.

#include "VQTestSupport.h"
#include "cli/VQCommandLine.h"
#include "core/VQRecentColors.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace
{
class HistoryCommandTest : public VQLibraryTest
{
  protected:
    void keep(const QStringList &oldestFirst)
    {
        VQRecentColors recent;
        for (const QString &color : oldestFirst)
            recent.add(color);
        ASSERT_TRUE(recent.save());
    }
    QString file() const { return path(QStringLiteral(".local/state/Vellico/recent-colors.json")); }
};
} // namespace

TEST_F(HistoryCommandTest, PrintsTheRecentColorsNewestFirst)
{
    const struct {
        QStringList kept;
        QStringList arguments;
        int status;
        const char *out;
    } rows[] = {
        {{}, {"history"}, 0, ""},
        {{"#112233", "#AABBCC", "#112233"}, {"history"}, 0, "#112233\n#AABBCC\n"},
        {{"#112233", "#AABBCC"}, {"history", "extra"}, 2, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        QFile::remove(file());
        if (!row.kept.isEmpty())
            keep(row.kept);
        const VQCommandResult result = VQRunCommandLine(row.arguments);
        EXPECT_EQ(result.status, row.status) << result.err.toStdString();
        EXPECT_EQ(result.out.toStdString(), row.out);

        const VQCommandResult json = VQRunCommandLine(row.arguments + QStringList{"--json"});
        if (row.status != 0)
            continue;
        QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).array(), QJsonArray::fromStringList(lines));
    }
}

TEST_F(HistoryCommandTest, ClearForgetsTheColors)
{
    keep({"#112233", "#445566"});
    // The program itself, finding the state folder through XDG_STATE_HOME.
    QProcess cli;
    cli.start(VELLICO_CLI_PATH, {"history", "--clear"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    VQRecentColors recent;
    EXPECT_TRUE(recent.load());
    EXPECT_TRUE(recent.colors().isEmpty());
    EXPECT_TRUE(QFile::exists(file()));
}

TEST_F(HistoryCommandTest, ADamagedFileIsSetAsideAndNamed)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral(".local/state/Vellico"))));
    write(QStringLiteral(".local/state/Vellico/recent-colors.json"), "{\"colors\": [\"#1122");
    const VQCommandResult result = VQRunCommandLine({"history"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.isEmpty());
    const QStringList kept = QDir(path(QStringLiteral(".local/state/Vellico")))
                                 .entryList({QStringLiteral("recent-colors.json (set aside *)")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(result.err.contains(kept[0])) << result.err.toStdString();
    // The set-aside file stays; the history starts again empty.
    EXPECT_EQ(VQRunCommandLine({"history"}).status, 0);
}
