// Reading only regular files within a budget, and replacing a name without
// following what is there: real files, links, pipes and devices in a temporary folder.

#include "vqcore/VQFileAccess.h"
#include "vqcore/VQPropertyList.h"

#include "VQTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

class VQFileAccessTest : public VQLibraryTest
{
  protected:
    QString link(const QString &name, const QString &target) const
    {
        const QString at = path(name);
        EXPECT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()), 0);
        return at;
    }
    QString pipe(const QString &name) const
    {
        const QString at = path(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
        return at;
    }
    // A file of `size` bytes that takes no room on the disk.
    QString sparse(const QString &name, off_t size) const
    {
        const QString at = write(name, "bplist00");
        EXPECT_EQ(::truncate(QFile::encodeName(at).constData(), size), 0);
        return at;
    }
};

// Before, a pipe held the reader at the open for ever, and a device, a file of
// /proc or a huge sparse file was read until memory ran out.
TEST_F(VQFileAccessTest, ReadsOnlyRegularFilesWithinTheBudget)
{
    struct Row {
        const char *name;
        QString path;
        qint64 budget;
        VQLinks links;
        QByteArray bytes;  // what is read, or
        const char *error; // part of why not
    };
    const QString plain = write("plain.vlb", "hello");
    QByteArray large(VQFileBytes::kMapFrom + 5, 'x');
    large.replace(0, 8, "bplist00").replace(large.size() - 3, 3, "end");
    const QString mapped = write("large.vlb", large);
    QDir().mkpath(path("folder.vlb"));
    const std::vector<Row> rows = {
        {"a regular file", plain, 5, VQLinks::Refuse, "hello", nullptr},
        {"a file large enough to be mapped", mapped, large.size(), VQLinks::Refuse, large, nullptr},
        {"a large file a byte over the budget",
         mapped,
         large.size() - 1,
         VQLinks::Refuse,
         {},
         "more than the 1 MB allowed"},
        {"a link to a regular file, followed", link("to-plain", plain), 5, VQLinks::Follow, "hello", nullptr},
        {"a byte over the budget", plain, 4, VQLinks::Follow, {}, "5 bytes, more than the 4 bytes allowed"},
        {"a sparse file of 6 GB",
         sparse("huge.vlb", off_t(6) << 30),
         VQPlistMaxFileBytes,
         VQLinks::Follow,
         {},
         "6 GB, more than the 256 MB allowed"},
        {"a named pipe", pipe("pipe.vlb"), VQPlistMaxFileBytes, VQLinks::Follow, {}, "a named pipe, not a file"},
        {"a link to a named pipe, followed",
         link("to-pipe.vlb", path("pipe.vlb")),
         VQPlistMaxFileBytes,
         VQLinks::Follow,
         {},
         "a named pipe, not a file"},
        {"a link to /dev/zero, followed",
         link("zero.vlb", "/dev/zero"),
         VQPlistMaxFileBytes,
         VQLinks::Follow,
         {},
         "a device, not a file"},
        {"a link to /dev/zero, refused",
         path("zero.vlb"),
         VQPlistMaxFileBytes,
         VQLinks::Refuse,
         {},
         "a symbolic link, not a file"},
        {"a link to a regular file, refused", path("to-plain"), 5, VQLinks::Refuse, {}, "a symbolic link, not a file"},
        {"a file of /proc that says it is empty",
         link("pagemap.vlb", "/proc/self/pagemap"),
         VQPlistMaxFileBytes,
         VQLinks::Follow,
         {},
         "holds more than the 0 bytes its size says"},
        {"a folder", path("folder.vlb"), VQPlistMaxFileBytes, VQLinks::Follow, {}, "a folder, not a file"},
        {"nothing", path("gone.vlb"), VQPlistMaxFileBytes, VQLinks::Follow, {}, "No such file"},
    };
    // Copied, or (from VQFileBytes::kMapFrom bytes on) mapped: the same bytes and the same refusals.
    const std::function<std::optional<QByteArray>(const Row &, QString *)> readers[] = {
        [](const Row &row, QString *error) { return VQReadRegularFile(row.path, row.budget, error, row.links); },
        [](const Row &row, QString *error) -> std::optional<QByteArray> {
            const std::optional<VQFileBytes> file = VQReadFileBytes(row.path, row.budget, error, row.links);
            if (!file)
                return std::nullopt;
            EXPECT_EQ(file->isMapped(), file->bytes().size() >= VQFileBytes::kMapFrom);
            EXPECT_FALSE(file->cutShort());
            return QByteArray(file->bytes().constData(), file->bytes().size()); // a copy that outlives the map
        },
    };
    for (const auto &read : readers) {
        for (const Row &row : rows) {
            SCOPED_TRACE(row.name);
            QString error;
            const std::optional<QByteArray> bytes = read(row, &error);
            if (row.error) {
                EXPECT_FALSE(bytes.has_value());
                EXPECT_TRUE(error.contains(QString::fromUtf8(row.error))) << error.toStdString();
            } else {
                EXPECT_EQ(bytes, std::optional<QByteArray>(row.bytes)) << error.toStdString();
            }
        }
    }
}

// A mapped file that someone cuts short while it is read raised SIGBUS at the
// first page past its new end, which ended the program. The pages that went
// read as zeros, the bytes say they were cut short, and readers refuse them.
TEST_F(VQFileAccessTest, AMappedFileCutShortReadsAsZerosAndSaysSo)
{
    const QByteArray large(2 * VQFileBytes::kMapFrom, 'x');
    const QString file = write("large.vlb", large);
    struct Row {
        const char *name;
        off_t keep; // bytes left after the cut
    };
    const Row rows[] = {{"emptied", 0}, {"cut in the middle of a page", off_t(VQFileBytes::kMapFrom) + 100}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(VQWriteFileAtomically(file, large));
        QString error;
        std::optional<VQFileBytes> bytes = VQReadFileBytes(file, VQPlistMaxFileBytes, &error);
        ASSERT_TRUE(bytes && bytes->isMapped()) << error.toStdString();
        ASSERT_EQ(::truncate(QFile::encodeName(file).constData(), row.keep), 0);
        const char *data = bytes->bytes().constData();
        EXPECT_EQ(data[large.size() - 1], '\0');
        EXPECT_EQ(data[large.size() / 2 + 4096], '\0');
        EXPECT_TRUE(bytes->cutShort());
        bytes.reset();

        // A file not cut says nothing of the kind, in the slot the cut one held.
        ASSERT_TRUE(VQWriteFileAtomically(file, large));
        const std::optional<VQFileBytes> whole = VQReadFileBytes(file, VQPlistMaxFileBytes, &error);
        ASSERT_TRUE(whole && whole->isMapped()) << error.toStdString();
        EXPECT_EQ(whole->bytes().back(), 'x');
        EXPECT_FALSE(whole->cutShort());
    }
}

// The library's own reader goes through the same door, links followed (the
// user chose the path) but nothing else.
TEST_F(VQFileAccessTest, PropertyListFilesAreReadThroughTheBudget)
{
    QString error;
    EXPECT_FALSE(VQPlist::fromFile(sparse("huge.vlb", off_t(6) << 30), &error));
    EXPECT_TRUE(error.contains("6 GB")) << error.toStdString();
    EXPECT_FALSE(VQPlist::fromFile(link("pipe-link.vlb", pipe("pipe")), &error));
    EXPECT_TRUE(error.contains("named pipe")) << error.toStdString();
    const QString good = write("good.plist", VQPlist::string("x").toXML());
    EXPECT_TRUE(VQPlist::fromFile(link("good-link.plist", good), &error)) << error.toStdString();
    EXPECT_FALSE(VQPlist::fromFile(path("good-link.plist"), &error, VQLinks::Refuse));
}

// Writing through a link at our own name overwrote whatever it pointed to.
TEST_F(VQFileAccessTest, ReplacingANameNeverWritesThroughWhatIsThere)
{
    QDir().mkpath(path("elsewhere"));
    const QString target = write("elsewhere/bashrc", "keep me");
    const QString own = link("own.vlb", target);
    QString error;
    ASSERT_TRUE(VQReplaceFileAtomically(own, "ours", &error)) << error.toStdString();
    EXPECT_EQ(VQReadAll(target), "keep me");
    EXPECT_EQ(VQEntryAt(own).type, VQEntry::Type::Regular);
    EXPECT_EQ(VQReadAll(own), "ours");

    // A folder at the name is left alone, and no temporary file stays behind.
    QDir().mkpath(path("dir.vlb/inside"));
    EXPECT_FALSE(VQReplaceFileAtomically(path("dir.vlb"), "ours", &error));
    EXPECT_TRUE(QFileInfo(path("dir.vlb/inside")).isDir());
    EXPECT_EQ(QDir(path(".")).entryList({".dir.vlb*"}, QDir::AllEntries | QDir::Hidden), QStringList());

    // Set aside, it keeps what it held, under a name that is not a library's.
    const std::optional<QString> aside = VQSetAside(path("dir.vlb"), &error);
    ASSERT_TRUE(aside) << error.toStdString();
    EXPECT_TRUE(QFileInfo(*aside + "/inside").isDir());
    EXPECT_FALSE(aside->endsWith(".vlb"));
    EXPECT_EQ(VQEntryAt(path("dir.vlb")).type, VQEntry::Type::Missing);
    const std::optional<QString> second = VQSetAside(link("dir.vlb", target), &error);
    ASSERT_TRUE(second) << error.toStdString();
    EXPECT_NE(*second, *aside) << "an earlier one set aside in the same second is kept";
    EXPECT_EQ(QFileInfo(*second).symLinkTarget(), target);
}

// A file read from a shared folder is removed by its name: never what someone
// put under that name after the read.
TEST_F(VQFileAccessTest, RemovesANameOnlyWhileItNamesTheFileRead)
{
    const QString shot = write("shot.png", "ours");
    std::optional<VQFileIdentity> opened;
    QString error;
    ASSERT_TRUE(VQReadRegularFile(shot, 16, &error, VQLinks::Refuse, VQOwner::Us, &opened)) << error.toStdString();
    ASSERT_TRUE(opened);
    const QString replacement = write("replacement.png", "theirs");
    ASSERT_EQ(::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(shot).constData()), 0);
    EXPECT_FALSE(VQRemoveIfStill(shot, *opened, &error));
    EXPECT_TRUE(error.contains("another file")) << error.toStdString();
    EXPECT_EQ(VQReadAll(shot), "theirs");

    ASSERT_TRUE(VQReadRegularFile(shot, 16, &error, VQLinks::Refuse, VQOwner::Us, &opened)) << error.toStdString();
    EXPECT_TRUE(VQRemoveIfStill(shot, *opened, &error)) << error.toStdString();
    EXPECT_EQ(VQEntryAt(shot).type, VQEntry::Type::Missing);
    EXPECT_TRUE(VQRemoveIfStill(shot, *opened, &error)) << "gone already";
}

// A write that fails part-way said "Unknown error": the message names the
// system's reason, the old file stays and no temporary file is left. A file
// may grow to 4 KB here, so a larger write fails with EFBIG; the full disk of
// the same path is shown on a real file system in tests/cli/write_errors.py.
TEST_F(VQFileAccessTest, AFailedWriteSaysWhyAndLeavesTheOldFile)
{
    QDir().mkpath(path("out"));
    const QString file = write("out/lib.vlb", "old");
    const QByteArray large(64 * 1024, 'x');
    struct Row {
        const char *name;
        std::function<bool(QString *error)> write;
    };
    const Row rows[] = {
        {"at once", [&](QString *error) { return VQWriteFileAtomically(file, large, error); }},
        {"the name itself", [&](QString *error) { return VQReplaceFileAtomically(file, large, error); }},
        {"piece by piece",
         [&](QString *error) {
             VQAtomicFileWriter writer(file);
             for (int piece = 0; piece < 16 && writer.open(); ++piece)
                 writer.write(large.constData(), 4096);
             return writer.commit(error);
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        struct rlimit old {
        };
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit tight = old;
        tight.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
        QString error;
        const bool written = row.write(&error);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(written);
        EXPECT_EQ(error, qt_error_string(EFBIG));
        EXPECT_EQ(VQReadAll(file), "old");
        EXPECT_EQ(QDir(path("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"lib.vlb"});
    }
}

// Written through a link the user made, as before: the file it leads to is
// replaced and keeps its permissions.
TEST_F(VQFileAccessTest, AWriteThroughALinkReplacesWhatItLeadsTo)
{
    QDir().mkpath(path("elsewhere"));
    const QString target = write("elsewhere/lib.vlb", "old");
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString named = link("lib.vlb", target);
    QString error;
    ASSERT_TRUE(VQWriteFileAtomically(named, "new", &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(named).isSymLink());
    EXPECT_EQ(VQReadAll(target), "new");
    struct stat st {
    };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

} // namespace
