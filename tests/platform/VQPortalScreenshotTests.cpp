// The portal screenshot's pure parts: where each screen lies in the picture,
// what the portal's answer means, and the file read once and deleted (only our
// own, and only that very file). The call itself runs against the real portal
// in the Wayland desktop tests.

#include "platform/VQScreenshotLayout.h"
#include "platform/portal/VQPortalScreenshot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
using Fit = VQScreenshotOutput::Fit;

struct Placed {
    QRect source;
    Fit fit;
    QSize picked; // the pixels the loupe picks among
};

struct MapRow {
    const char *name;
    QList<VQOutput> outputs; // logical rectangles and own device sizes
    QSize picture;
    qreal scale; // 0: fails
    QList<Placed> placed;
};

const MapRow kMapRows[] = {
    {"one x1 screen",
     {{"A", QRect(0, 0, 640, 400), QSize(640, 400)}},
     QSize(640, 400),
     1,
     {{QRect(0, 0, 640, 400), Fit::Native, QSize(640, 400)}}},
    {"one x2 screen",
     {{"A", QRect(0, 0, 400, 300), QSize(800, 600)}},
     QSize(800, 600),
     2,
     {{QRect(0, 0, 800, 600), Fit::Native, QSize(800, 600)}}},
    {"x1 beside x2, the picture at x2: the x1 screen magnified",
     {{"A", QRect(0, 0, 640, 400), QSize(640, 400)}, {"B", QRect(640, 0, 400, 300), QSize(800, 600)}},
     QSize(2080, 800),
     2,
     {{QRect(0, 0, 1280, 800), Fit::Magnified, QSize(640, 400)},
      {QRect(1280, 0, 800, 600), Fit::Native, QSize(800, 600)}}},
    {"x1 beside x2, the picture at x1: the x2 screen reduced",
     {{"A", QRect(0, 0, 640, 400), QSize(640, 400)}, {"B", QRect(640, 0, 400, 300), QSize(800, 600)}},
     QSize(1040, 400),
     1,
     {{QRect(0, 0, 640, 400), Fit::Native, QSize(640, 400)}, {QRect(640, 0, 400, 300), Fit::Picture, QSize(400, 300)}}},
    {"negative and offset positions",
     {{"L", QRect(-1280, 0, 1280, 1024), QSize(1280, 1024)}, {"R", QRect(0, 200, 1920, 1080), QSize(1920, 1080)}},
     QSize(3200, 1280),
     1,
     {{QRect(0, 0, 1280, 1024), Fit::Native, QSize(1280, 1024)},
      {QRect(1280, 200, 1920, 1080), Fit::Native, QSize(1920, 1080)}}},
    {"x1.5 at odd logical positions",
     {{"A", QRect(0, 0, 1281, 801), QSize(1922, 1202)}, {"B", QRect(1281, 0, 640, 400), QSize(960, 600)}},
     QSize(2882, 1202),
     2882.0 / 1921,
     {{QRect(0, 0, 1922, 1202), Fit::Native, QSize(1922, 1202)},
      {QRect(1922, 0, 960, 600), Fit::Native, QSize(960, 600)}}},
    {"own sizes unknown (XWayland): the picture's pixels",
     {{"A", QRect(0, 0, 640, 400), QSize()}, {"B", QRect(640, 0, 400, 300), QSize()}},
     QSize(2080, 800),
     2,
     {{QRect(0, 0, 1280, 800), Fit::Picture, QSize(1280, 800)},
      {QRect(1280, 0, 800, 600), Fit::Picture, QSize(800, 600)}}},
    {"a picture of one screen only",
     {{"A", QRect(0, 0, 640, 400), QSize(640, 400)}, {"B", QRect(640, 0, 400, 300), QSize(800, 600)}},
     QSize(800, 600),
     0,
     {}},
    {"an empty picture", {{"A", QRect(0, 0, 640, 400), QSize(640, 400)}}, QSize(), 0, {}},
    {"no screens", {}, QSize(640, 400), 0, {}},
};

TEST(VQScreenshotLayoutTest, EachScreenHasItsPartOfThePicture)
{
    for (const MapRow &row : kMapRows) {
        SCOPED_TRACE(row.name);
        const VQScreenshotLayout mapped = VQMapScreenshot(row.outputs, row.picture);
        if (row.scale == 0) {
            EXPECT_FALSE(mapped.ok());
            EXPECT_TRUE(mapped.outputs.isEmpty());
            continue;
        }
        ASSERT_TRUE(mapped.ok()) << qPrintable(mapped.error);
        EXPECT_DOUBLE_EQ(mapped.scale, row.scale);
        ASSERT_EQ(mapped.outputs.size(), row.placed.size());
        const VQOutputLayout layout = mapped.layout();
        for (int i = 0; i < row.placed.size(); ++i) {
            EXPECT_EQ(mapped.outputs[i].source, row.placed[i].source) << i;
            EXPECT_EQ(mapped.outputs[i].fit, row.placed[i].fit) << i;
            // The screen's last logical point is the last pixel the loupe picks among.
            const VQOutput &output = layout.outputs().at(i);
            EXPECT_EQ(output.logicalRect, row.outputs[i].logicalRect);
            EXPECT_EQ(output.deviceSize, row.placed[i].picked);
            const auto last =
                layout.pixelAt(QPointF(output.logicalRect.right() + 0.999, output.logicalRect.bottom() + 0.999));
            ASSERT_TRUE(last);
            EXPECT_EQ(last->pixel, QPoint(row.placed[i].picked.width() - 1, row.placed[i].picked.height() - 1)) << i;
        }
    }
}

TEST(VQScreenshotLayoutTest, AMagnifiedScreenKeepsTheMiddleOfEachBlock)
{
    // A 2 x 1 screen at x1 beside a 1 x 1 one at x3, in a x3 picture 9 x 3:
    // each device pixel of the x1 screen is a 3 x 3 block, whose middle is kept.
    QImage picture(9, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 9; ++x)
            picture.setPixel(x, y, qRgb(x, y, x == 1 || x == 4 ? 255 : 0));
    }
    const VQScreenshotLayout mapped =
        VQMapScreenshot({{"A", QRect(0, 0, 2, 1), QSize(2, 1)}, {"B", QRect(2, 0, 1, 1), QSize(3, 3)}}, picture.size());
    ASSERT_TRUE(mapped.ok()) << qPrintable(mapped.error);
    const QImage a = VQScreenshotOutputImage(picture, mapped.outputs[0]);
    ASSERT_EQ(a.size(), QSize(2, 1));
    EXPECT_EQ(a.pixel(0, 0), qRgb(1, 1, 255));
    EXPECT_EQ(a.pixel(1, 0), qRgb(4, 1, 255));
    const QImage b = VQScreenshotOutputImage(picture, mapped.outputs[1]);
    EXPECT_EQ(b, picture.copy(6, 0, 3, 3));
}

TEST(VQPortalScreenshotTest, TheAnswerNamesALocalFileOrSaysWhyNot)
{
    struct Row {
        const char *name;
        uint code;
        QVariantMap results;
        QString path; // empty: a failure
        QString failureStart;
    };
    const auto uri = [](const char *value) { return QVariantMap{{QStringLiteral("uri"), QString::fromUtf8(value)}}; };
    const Row rows[] = {
        {"a file", 0, uri("file:///tmp/out.png"), "/tmp/out.png", {}},
        {"an escaped name",
         0,
         uri("file:///home/u/Pictures/Screenshot%20from%202026.png"),
         "/home/u/Pictures/Screenshot from 2026.png",
         {}},
        {"no uri", 0, {}, {}, "the desktop portal answered without a screenshot"},
        {"not a local file", 0, uri("https://example.org/shot.png"), {}, "the desktop portal's screenshot is at"},
        {"a file on another host", 0, uri("file://elsewhere/tmp/out.png"), {}, "the desktop portal's screenshot is at"},
        {"cancelled, though nothing was asked", 1, {}, {}, "the desktop could not take the screenshot"},
        {"ended otherwise", 2, uri("file:///tmp/out.png"), {}, "the desktop portal ended the screenshot"},
        {"unknown", 7, {}, {}, "the desktop portal answered the screenshot with the unknown response 7"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const VQPortalScreenshot::Answer answer = VQPortalScreenshot::answerOf(row.code, row.results);
        EXPECT_EQ(answer.path, row.path);
        EXPECT_TRUE(answer.failure.startsWith(row.failureStart)) << qPrintable(answer.failure);
        EXPECT_EQ(answer.failure.isEmpty(), row.failureStart.isEmpty());
    }
    // A 1 names the folder for pictures when the desktop could not have saved the picture there.
    QTemporaryDir home;
    const QString missing = home.filePath(QStringLiteral("Pictures"));
    EXPECT_TRUE(VQPortalScreenshot::answerOf(1, {}, missing)
                    .failure.endsWith(missing + QStringLiteral(", where desktops save screenshots, does not exist")));
    EXPECT_FALSE(VQPortalScreenshot::answerOf(1, {}, home.path()).failure.contains(QStringLiteral("for pictures")));
}

// What the portal names: the path handed over, and a file beside it that must
// be left as it is (what a link points to, another name of the file).
struct Made {
    QString path;
    QString kept;
};

QImage aPicture()
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(QColor(0x33, 0x66, 0xcc));
    picture.setPixel(1, 1, qRgb(255, 0, 0));
    return picture;
}

QString written(const QDir &dir, const char *name, const QByteArray &bytes)
{
    QFile out(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return out.fileName();
}

QString saved(const QDir &dir, const char *name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(aPicture().save(path, "PNG"));
    return path;
}

struct TakeRow {
    const char *name;
    Made (*make)(const QDir &dir);
    qint64 budget;
    const char *errorPart; // nullptr: the picture is taken
    bool removed;          // the name is gone afterwards
    bool needsRoot;        // gives the file to another user
};

const TakeRow kTakeRows[] = {
    {"OurOwnPicture",
     [](const QDir &dir) {
         return Made{saved(dir, "shot.png"), {}};
     },
     1024, nullptr, true, false},
    {"NotAPicture",
     [](const QDir &dir) {
         return Made{written(dir, "text.png", "not a picture"), {}};
     },
     1024, "is not a picture", true, false},
    {"OverTheBudget",
     [](const QDir &dir) {
         return Made{written(dir, "big.png", QByteArray(2048, 'x')), {}};
     },
     1024, "2 KB, more than the 1 KB allowed", true, false},
    {"GoneAlready",
     [](const QDir &dir) {
         return Made{dir.filePath(QStringLiteral("missing.png")), {}};
     },
     1024, "cannot be read", true, false},
    // Made first at the portal's path by someone who could see our screen in it and change it.
    {"AnotherUsersFile",
     [](const QDir &dir) {
         const QString path = saved(dir, "theirs.png");
         EXPECT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
         return Made{path, path};
     },
     1024, "cannot be read: owned by another user (uid 65534)", false, true},
    {"ASecondName",
     [](const QDir &dir) {
         const QString path = saved(dir, "shot.png");
         const QString other = dir.filePath(QStringLiteral("other.png"));
         EXPECT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
         return Made{path, other};
     },
     1024, "cannot be read: 2 hard links, not one", true, false},
    {"ALinkToAPicture",
     [](const QDir &dir) {
         const QString target = saved(dir, "target.png");
         const QString link = dir.filePath(QStringLiteral("link.png"));
         EXPECT_TRUE(QFile::link(target, link));
         return Made{link, target};
     },
     1024, "cannot be read: a symbolic link, not a file", false, false},
    {"ANamedPipe",
     [](const QDir &dir) {
         const QString path = dir.filePath(QStringLiteral("pipe.png"));
         EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
         return Made{path, {}};
     },
     1024, "cannot be read: a named pipe, not a file", true, false},
};

void PrintTo(const TakeRow &row, std::ostream *out)
{
    *out << row.name;
}

class VQPortalScreenshotFileTest : public testing::TestWithParam<TakeRow>
{
};

// Only our own file, with no other name, is read; whatever the read gave, that
// very file is deleted, and nothing that is not ours.
TEST_P(VQPortalScreenshotFileTest, OnlyOurOwnFileIsTakenAndOnlyItDeleted)
{
    const TakeRow &row = GetParam();
    if (row.needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const Made made = row.make(QDir(temporary.path()));
    QString error;
    const QImage taken = VQPortalScreenshot::takeFile(made.path, &error, row.budget);
    if (row.errorPart) {
        EXPECT_TRUE(taken.isNull());
        EXPECT_TRUE(error.contains(QLatin1String(row.errorPart))) << qPrintable(error);
        EXPECT_TRUE(error.contains(made.path)) << qPrintable(error);
    } else {
        EXPECT_EQ(taken, aPicture()) << qPrintable(error);
    }
    const QFileInfo left(made.path);
    EXPECT_EQ(left.exists() || left.isSymLink(), !row.removed);
    if (!made.kept.isEmpty()) {
        EXPECT_EQ(QImage(made.kept, "PNG"), aPicture()) << "changed or gone: " << qPrintable(made.kept);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, VQPortalScreenshotFileTest, testing::ValuesIn(kTakeRows),
                         [](const testing::TestParamInfo<TakeRow> &info) { return std::string(info.param.name); });
} // namespace
