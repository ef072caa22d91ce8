// vellico-cli sync and merge: what a failure says, and that it writes nothing.
// The working cases run as processes in tests/sync/two_computers.py.

#include "VQTestSupport.h"

#include "VQCommandLine.h"
#include "VQHardwareInfo.h"
#include "VQSwatchCore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class SyncMergeCommandTest : public VQLibraryTest {
protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        qputenv(VQHardwareInfo::overrideVariable, "desk");
        QDir().mkpath(path("share"));
        auto core = VQSwatchCore::loadFromURL(path("lib.vlb"));
        core->addCollection(VQSwatchCollection::create("Sea", {VQColor::makeRGB(0, 0.5, 1)}));
        ASSERT_TRUE(core->save());
        put("junk.vlb", "hello");
        VQPlist future = core->libraryDictionary();
        future.set(VQLibraryVersion, VQPlist::string("0.4"));
        ASSERT_TRUE(future.writeXMLFileAtomically(path("future.vlb")));
    }
    void TearDown() override
    {
        qunsetenv(VQHardwareInfo::overrideVariable);
        VQLibraryTest::TearDown();
    }
    void put(const char *name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Every file under the home with a digest of its contents. Empty lock files
    // may appear beside what was read: they are how readers take turns.
    QStringList snapshot() const
    {
        QStringList files;
        QDirIterator it(_home->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            if (file.endsWith(".lock") && f.size() == 0)
                continue;
            if (f.open(QIODevice::ReadOnly))
                files << file + ' ' + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        return files;
    }
};

} // namespace

TEST_F(SyncMergeCommandTest, FailuresSayWhatIsWrongAndWriteNothing)
{
    struct Row {
        const char *name;
        QStringList arguments;
        int status;
        const char *message;
    };
    const QString lib = path("lib.vlb"), share = path("share");
    const std::vector<Row> rows = {
        {"sync without a folder", {"sync", "--library", lib}, 2, "sync needs --folder DIR"},
        {"sync with an operand", {"sync", "extra", "--folder", share, "--library", lib}, 2, "sync takes no operands"},
        {"sync into a missing folder", {"sync", "--folder", path("nowhere"), "--library", lib}, 1, "No folder at"},
        {"sync a missing library", {"sync", "--folder", share, "--library", path("none.vlb")}, 1, "No library at"},
        {"sync a library that is none", {"sync", "--folder", share, "--library", path("junk.vlb")}, 1,
         "is not a library"},
        {"sync a newer library", {"sync", "--folder", share, "--library", path("future.vlb")}, 1,
         "created by a newer version"},
        {"merge one operand", {"merge", lib}, 2, "merge needs LOCAL and REMOTE"},
        {"merge a missing remote", {"merge", lib, path("none.vlb")}, 1, "Cannot read"},
        {"merge a remote that is none", {"merge", lib, path("junk.vlb")}, 1, "not a library"},
        {"merge a remote of another version", {"merge", lib, path("future.vlb")}, 1, "library version (0.4)"},
        {"merge into a missing library", {"merge", path("none.vlb"), lib}, 1, "No library at"},
        {"merge into a library that is none", {"merge", path("junk.vlb"), lib}, 1, "is not a library"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto before = snapshot();
        const VQCommandResult result = VQRunCommandLine(row.arguments);
        EXPECT_EQ(result.status, row.status);
        EXPECT_TRUE(result.err.contains(QString::fromLatin1(row.message))) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(snapshot().join('\n').toStdString(), before.join('\n').toStdString());
    }
}

TEST_F(SyncMergeCommandTest, MergePrintsTheMergedLibrary)
{
    auto other = VQSwatchCore::loadFromURL(path("other.vlb"));
    other->addCollection(VQSwatchCollection::create("Sky"));
    ASSERT_TRUE(other->save());
    const VQCommandResult result = VQRunCommandLine({"merge", path("lib.vlb"), path("other.vlb"), "--json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    QStringList titles;
    for (const QJsonValue &c : QJsonDocument::fromJson(result.out.toUtf8())["collections"].toArray())
        titles << c["title"].toString();
    EXPECT_EQ(titles, (QStringList{"Sea", "Sky"}));
    EXPECT_EQ(VQSwatchCore::openDetached(path("lib.vlb"), nullptr)->numberOfCollections(), 2u);
}
