// Where the one-instance channel keeps its socket and lock, and this user's
// processes their locks: only in a folder nobody but the user may enter. The
// channel's traffic is tested on the real program in tests/e2e/channel_e2e.py.

#include "vqcore/VQFileAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

TEST(VQRuntimeFolderTest, OnlyAPrivateFolderOfOursWillDo)
{
    const unsigned me = 1000;
    struct Row {
        const char *name;
        unsigned mode, owner;
        const char *problem; // empty: usable
    };
    const Row rows[] = {
        {"our folder, closed to others", S_IFDIR | 0700, me, ""},
        {"another user's folder", S_IFDIR | 0700, 1001, "belongs to user 1001"},
        {"root's folder", S_IFDIR | 0700, 0, "belongs to user 0"},
        {"others may enter", S_IFDIR | 0701, me, "is open to other users (mode 0701)"},
        {"the group may read", S_IFDIR | 0740, me, "is open to other users (mode 0740)"},
        {"shared like /tmp", S_IFDIR | 01777, me, "is open to other users (mode 1777)"},
        {"a link, even to a good folder", S_IFLNK | 0777, me, "is a symbolic link"},
        {"a plain file", S_IFREG | 0600, me, "is not a folder"},
        {"a socket", S_IFSOCK | 0700, me, "is not a folder"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQPrivateFolderProblem(row.mode, row.owner, me), QString::fromUtf8(row.problem));
    }
}

// Sets an environment variable for the life of the object, or removes it.
class ScopedVariable
{
  public:
    ScopedVariable(const char *name, const QString &value)
        : _name(name), _old(qgetenv(name)), _had(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable()
    {
        if (_had)
            qputenv(_name, _old);
        else
            qunsetenv(_name);
    }

  private:
    const char *_name;
    QByteArray _old;
    bool _had;
};

TEST(VQRuntimeFolderTest, RuntimeFolderFallsBackToOneOfOurOwn)
{
    const passwd *entry = ::getpwuid(::geteuid());
    ASSERT_NE(entry, nullptr);
    const QString user = QString::fromLocal8Bit(entry->pw_name);

    using Make = std::function<void(const QString &root)>;
    const auto folder = [](const QString &path, QFile::Permissions permissions) {
        ASSERT_TRUE(QDir().mkpath(path));
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
    };
    const QFile::Permissions closed = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions open = closed | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const QString temporaryName = QStringLiteral("/tmp/runtime-") + user;
    struct Row {
        const char *name;
        const char *session; // XDG_RUNTIME_DIR below the test's folder, or nullptr: unset
        Make make;
        QString expected; // the folder chosen, below the test's folder; empty: none
    };
    const Row rows[] = {
        {"the session's folder", "session", [&](const QString &root) { folder(root + "/session", closed); },
         QStringLiteral("/session")},
        {"without a session folder, one made in the temporary folder", nullptr, [](const QString &) {}, temporaryName},
        {"a session folder open to others is not used", "session",
         [&](const QString &root) { folder(root + "/session", open); }, temporaryName},
        {"a missing session folder is not made", "session", [](const QString &) {}, temporaryName},
        {"the temporary name open to others: the cache folder", nullptr,
         [&](const QString &root) { folder(root + temporaryName, open); }, QStringLiteral("/cache/Vellico/runtime")},
        {"the temporary name a link to a folder of ours: the cache folder", nullptr,
         [&](const QString &root) {
             folder(root + "/elsewhere", closed);
             ASSERT_TRUE(QFile::link(root + "/elsewhere", root + temporaryName));
         },
         QStringLiteral("/cache/Vellico/runtime")},
        {"the temporary name a file: the cache folder", nullptr,
         [&](const QString &root) {
             QFile file(root + temporaryName);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         },
         QStringLiteral("/cache/Vellico/runtime")},
        {"nothing private: none", nullptr,
         [&](const QString &root) {
             folder(root + temporaryName, open);
             folder(root + "/cache/Vellico/runtime", open);
         },
         QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("tmp"));
        row.make(root.path());
        const ScopedVariable session("XDG_RUNTIME_DIR", row.session ? root.path() + "/" + row.session : QString());
        const ScopedVariable temporary("TMPDIR", root.path() + "/tmp");
        const ScopedVariable cache("XDG_CACHE_HOME", root.path() + "/cache");

        QString problems;
        const QString chosen = VQRuntimeFolder(&problems);
        const QString expected = row.expected.isEmpty() ? QString() : root.path() + row.expected;
        EXPECT_EQ(chosen, expected) << qPrintable(problems);
        if (chosen.isEmpty()) {
            EXPECT_TRUE(problems.contains(root.path() + temporaryName)) << qPrintable(problems);
            EXPECT_TRUE(problems.contains(root.path() + "/cache/Vellico/runtime")) << qPrintable(problems);
            continue;
        }
        // Whatever was chosen (or made) is ours and closed to everyone else.
        struct stat info = {};
        ASSERT_EQ(::lstat(QFile::encodeName(chosen).constData(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_uid, ::geteuid());
        EXPECT_EQ(info.st_mode & 077, 0u);
    }
}

} // namespace
