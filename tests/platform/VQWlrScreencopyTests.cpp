// wlroots screencopy: reading wl_shm buffers, turning rotated outputs, failing
// in bounded time without a working compositor, and, where a test session is
// given (tests/platform/wlr_capture_session.sh), a real capture checked
// against grim's.

#include "platform/wlr/VQWlrScreencopy.h"

#include "VQFakeScreencopyCompositor.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <wayland-client-protocol.h>

#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace
{
// -- buffers ------------------------------------------------------------------

// A 2 × 2 picture: red, green / blue, white, as each format stores it.
struct FormatRow {
    const char *name;
    std::uint32_t format;
    int stride;
    const char *hex;          // the bytes in memory, rows top to bottom, padding included
    std::vector<QRgb> colors; // top-left, top-right, bottom-left, bottom-right
};

const std::vector<QRgb> kRgbw = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

const FormatRow kFormatRows[] = {
    {"XRGB8888: B G R X in memory", WL_SHM_FORMAT_XRGB8888, 8, "0000ff00 00ff0000 ff000000 ffffff00", kRgbw},
    {"ARGB8888 ignores alpha", WL_SHM_FORMAT_ARGB8888, 8, "0000ff10 00ff0080 ff000000 ffffffff", kRgbw},
    {"XBGR8888: R G B X", WL_SHM_FORMAT_XBGR8888, 8, "ff000000 00ff0000 0000ff00 ffffff00", kRgbw},
    {"ABGR8888", WL_SHM_FORMAT_ABGR8888, 8, "ff000009 00ff0009 0000ff09 ffffff09", kRgbw},
    {"RGBX8888: X B G R", WL_SHM_FORMAT_RGBX8888, 8, "000000ff 0000ff00 00ff0000 00ffffff", kRgbw},
    {"BGRX8888: X R G B", WL_SHM_FORMAT_BGRX8888, 8, "00ff0000 0000ff00 000000ff 00ffffff", kRgbw},
    {"rows padded beyond the width", WL_SHM_FORMAT_XRGB8888, 12,
     "0000ff00 00ff0000 07070707 ff000000 ffffff00 07070707", kRgbw},
    // red 0x3ff << 20, green 0x3ff << 10, blue 0x3ff, all three
    {"XRGB2101010", WL_SHM_FORMAT_XRGB2101010, 8, "0000f03f 00fc0f00 ff030000 ffffff3f", kRgbw},
    {"BGR888: R G B, 3 bytes", WL_SHM_FORMAT_BGR888, 8, "ff0000 00ff00 0000 0000ff ffffff 0000", kRgbw},
    {"RGB565", WL_SHM_FORMAT_RGB565, 4, "00f8 e007 1f00 ffff", kRgbw},
    {"every channel kept apart",
     WL_SHM_FORMAT_XRGB8888,
     8,
     "56341200 12345600 01020300 cc663300",
     {qRgb(0x12, 0x34, 0x56), qRgb(0x56, 0x34, 0x12), qRgb(3, 2, 1), qRgb(0x33, 0x66, 0xcc)}},
};

TEST(VQWlrScreencopyTest, ReadsEveryBufferFormat)
{
    for (const FormatRow &row : kFormatRows) {
        SCOPED_TRACE(row.name);
        for (bool yInvert : {false, true}) {
            SCOPED_TRACE(yInvert ? "stored bottom row first" : "stored top row first");
            const QByteArray hex = QByteArray::fromHex(row.hex);
            std::vector<std::uint8_t> bytes(hex.begin(), hex.end());
            if (yInvert) // the same picture, rows stored the other way round
                std::rotate(bytes.begin(), bytes.begin() + row.stride, bytes.end());
            QString error;
            const QImage image =
                VQWlrScreencopy::imageFromShm(bytes.data(), row.format, 2, 2, row.stride, yInvert, &error);
            ASSERT_FALSE(image.isNull()) << error.toStdString();
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
            ASSERT_EQ(image.size(), QSize(2, 2));
            EXPECT_EQ(image.pixel(0, 0), row.colors[0]);
            EXPECT_EQ(image.pixel(1, 0), row.colors[1]);
            EXPECT_EQ(image.pixel(0, 1), row.colors[2]);
            EXPECT_EQ(image.pixel(1, 1), row.colors[3]);
        }
    }
}

TEST(VQWlrScreencopyTest, RefusesBuffersItCannotRead)
{
    const std::vector<std::uint8_t> bytes(64, 0);
    struct Row {
        const char *name;
        std::uint32_t format;
        int width, height, stride;
        const char *reason;
    } rows[] = {
        {"a YUV format", WL_SHM_FORMAT_NV12, 2, 2, 8, "pixel format 0x3231564e cannot be read"},
        {"a palette", WL_SHM_FORMAT_C8, 2, 2, 8, "cannot be read"},
        {"stride shorter than a row", WL_SHM_FORMAT_XRGB8888, 3, 2, 8, "3 × 2 pixels cannot have 8 bytes a row"},
        {"no width", WL_SHM_FORMAT_XRGB8888, 0, 2, 8, "cannot have"},
        {"negative stride", WL_SHM_FORMAT_XRGB8888, 2, 2, -8, "cannot have"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        EXPECT_TRUE(
            VQWlrScreencopy::imageFromShm(bytes.data(), row.format, row.width, row.height, row.stride, false, &error)
                .isNull());
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.reason))) << error.toStdString();
    }
}

// -- rotated and flipped outputs ---------------------------------------------

// The picture as the buffer holds it, 3 × 2, and as the user sees it after
// each wl_output transform: rows of pixel letters.
QImage lettered(const std::vector<const char *> &rows)
{
    QImage image(int(std::strlen(rows[0])), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(rows[y][x], 0, 0));
    }
    return image;
}

TEST(VQWlrScreencopyTest, TurnsTransformedOutputsAsShown)
{
    const QImage buffer = lettered({"abc", "def"});
    struct Row {
        const char *name;
        std::int32_t transform;
        std::vector<const char *> shown;
    } rows[] = {
        {"normal", WL_OUTPUT_TRANSFORM_NORMAL, {"abc", "def"}},
        {"90", WL_OUTPUT_TRANSFORM_90, {"da", "eb", "fc"}},
        {"180", WL_OUTPUT_TRANSFORM_180, {"fed", "cba"}},
        {"270", WL_OUTPUT_TRANSFORM_270, {"cf", "be", "ad"}},
        {"flipped", WL_OUTPUT_TRANSFORM_FLIPPED, {"cba", "fed"}},
        {"flipped 90", WL_OUTPUT_TRANSFORM_FLIPPED_90, {"ad", "be", "cf"}},
        {"flipped 180", WL_OUTPUT_TRANSFORM_FLIPPED_180, {"def", "abc"}},
        {"flipped 270", WL_OUTPUT_TRANSFORM_FLIPPED_270, {"fc", "eb", "da"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VQWlrScreencopy::transformed(buffer, row.transform), lettered(row.shown));
    }
}

// -- without a working compositor ----------------------------------------------

// A Wayland socket of our own at a full path, which WAYLAND_DISPLAY may name.
class FakeCompositor
{
  public:
    FakeCompositor()
    {
        _path = _dir.filePath(QStringLiteral("wayland-fake")).toStdString();
        _fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, _path.c_str(), sizeof(address.sun_path) - 1);
        _listening = bind(_fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 && listen(_fd, 4) == 0;
        _previous = qgetenv("WAYLAND_DISPLAY");
        qputenv("WAYLAND_DISPLAY", QByteArray::fromStdString(_path));
    }
    ~FakeCompositor()
    {
        if (_closer.joinable())
            _closer.join();
        qputenv("WAYLAND_DISPLAY", _previous);
        close(_fd);
    }
    bool listening() const { return _listening; }
    // Accepts the next client and hangs up on it at once.
    void hangUpOnNextClient()
    {
        _closer = std::thread([fd = _fd] {
            const int client = accept(fd, nullptr, nullptr);
            if (client >= 0)
                close(client);
        });
    }

  private:
    QTemporaryDir _dir;
    std::string _path;
    int _fd = -1;
    bool _listening = false;
    QByteArray _previous;
    std::thread _closer;
};

TEST(VQWlrScreencopyTest, ACompositorThatNeverAnswersIsAFailureNotAHang)
{
    FakeCompositor silent; // listens, never accepts, never answers
    ASSERT_TRUE(silent.listening()) << "cannot listen on a socket in the temporary folder";
    const VQWlrCapture capture = VQWlrScreencopy::captureOutputs(300ms);
    EXPECT_FALSE(capture.ok());
    EXPECT_TRUE(capture.outputs.isEmpty());
    EXPECT_EQ(capture.error, QStringLiteral("the compositor did not answer within 0.3 s"));
    const VQWlrGlobals globals = VQWlrScreencopy::probe(300ms);
    EXPECT_FALSE(globals.connected);
    EXPECT_FALSE(globals.screencopy);
    EXPECT_EQ(globals.error, QStringLiteral("the compositor did not answer within 0.3 s"));
}

TEST(VQWlrScreencopyTest, ACompositorThatHangsUpIsAFailure)
{
    FakeCompositor rude;
    ASSERT_TRUE(rude.listening()) << "cannot listen on a socket in the temporary folder";
    rude.hangUpOnNextClient();
    const VQWlrCapture capture = VQWlrScreencopy::captureOutputs(5s);
    EXPECT_FALSE(capture.ok());
    EXPECT_TRUE(capture.error.contains(QLatin1String("closed the connection")) ||
                capture.error.contains(QLatin1String("connection failed")))
        << capture.error.toStdString();
}

TEST(VQWlrScreencopyTest, NoDisplayIsAFailureWithTheSocketsName)
{
    QTemporaryDir dir;
    const QByteArray previous = qgetenv("WAYLAND_DISPLAY");
    const QByteArray missing = dir.filePath(QStringLiteral("wayland-none")).toUtf8();
    qputenv("WAYLAND_DISPLAY", missing);
    const VQWlrCapture capture = VQWlrScreencopy::captureOutputs(300ms);
    const VQWlrGlobals globals = VQWlrScreencopy::probe(300ms);
    qputenv("WAYLAND_DISPLAY", previous);
    EXPECT_TRUE(capture.error.startsWith(
        QStringLiteral("cannot connect to the Wayland display \"%1\"").arg(QString::fromUtf8(missing))))
        << capture.error.toStdString();
    EXPECT_FALSE(globals.connected);
    EXPECT_TRUE(globals.error.startsWith(QLatin1String("cannot connect"))) << globals.error.toStdString();
}

// -- a compositor of our own ------------------------------------------------------

using Answer = VQFakeOutput::Answer;

void expectShowsThePattern(const QImage &image, QSize size)
{
    ASSERT_EQ(image.size(), size);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            EXPECT_EQ(image.pixel(x, y), VQFakeScreencopyCompositor::colorAt(x, y)) << x << "," << y;
    }
}

TEST(VQWlrScreencopyTest, CapturesEveryOutputInItsOwnPixels)
{
    VQFakeScreencopyCompositor compositor({
        {"FAKE-1", -8, 5, 4, 2, 1, WL_OUTPUT_TRANSFORM_NORMAL, WL_SHM_FORMAT_XRGB8888, Answer::Fill},
        {"FAKE-2", -4, 5, 6, 4, 2, WL_OUTPUT_TRANSFORM_NORMAL, WL_SHM_FORMAT_XBGR8888, Answer::FillYInverted},
    });
    ASSERT_TRUE(compositor.isRunning()) << "cannot listen on a socket in the temporary folder";
    const VQWlrGlobals globals = VQWlrScreencopy::probe(5s);
    EXPECT_TRUE(globals.connected);
    EXPECT_TRUE(globals.screencopy);
    EXPECT_EQ(globals.screencopyVersion, 3u);
    EXPECT_FALSE(globals.xdgOutput);
    EXPECT_EQ(globals.outputs, 2);

    const VQWlrCapture capture = VQWlrScreencopy::captureOutputs(5s);
    ASSERT_TRUE(capture.ok()) << capture.error.toStdString();
    ASSERT_EQ(capture.outputs.size(), 2);
    // Without xdg-output the logical size is the device size over the integer scale.
    EXPECT_EQ(capture.outputs[0].output.name, QStringLiteral("FAKE-1"));
    EXPECT_EQ(capture.outputs[0].output.logicalRect, QRect(-8, 5, 4, 2));
    EXPECT_EQ(capture.outputs[0].output.deviceSize, QSize(4, 2));
    expectShowsThePattern(capture.outputs[0].image, QSize(4, 2));
    EXPECT_EQ(capture.outputs[1].output.name, QStringLiteral("FAKE-2"));
    EXPECT_EQ(capture.outputs[1].output.logicalRect, QRect(-4, 5, 3, 2));
    expectShowsThePattern(capture.outputs[1].image, QSize(6, 4));

    const VQOutputLayout layout = capture.layout();
    EXPECT_EQ(layout.pixelAt(QPointF(-2.6, 6.9)), (VQOutputPixel{1, {2, 3}}));
}

// What a capture came to: its error, how many outputs it holds, its notes.
struct FailureRow {
    const char *name;
    std::vector<VQFakeOutput> outputs;
    const char *outcome; // "ERROR | OUTPUTS | NOTES"
    bool offerScreencopy = true;
};

TEST(VQWlrScreencopyTest, SaysWhyACaptureFails)
{
    const auto output = [](const char *name, Answer answer, std::uint32_t format = WL_SHM_FORMAT_XRGB8888) {
        return VQFakeOutput{name, 0, 0, 4, 2, 1, WL_OUTPUT_TRANSFORM_NORMAL, format, answer};
    };
    const FailureRow rows[] = {
        {"a refused output fails the capture",
         {output("A", Answer::Fill), output("B", Answer::Refuse)},
         "the compositor refused to capture output B | 0 | "},
        {"a vanished output is left out",
         {output("A", Answer::Fill), output("B", Answer::Vanish)},
         " | 1 | output B went away during the capture"},
        {"every output vanished",
         {output("A", Answer::Vanish)},
         "every output went away during the capture | 0 | output A went away during the capture"},
        {"a format we cannot read",
         {output("A", Answer::Fill, WL_SHM_FORMAT_NV12)},
         "output A comes in pixel format 0x3231564e, which Vellico cannot read | 0 | "},
        {"no wl_shm buffer offered",
         {output("A", Answer::DmabufOnly)},
         "the compositor offers no shared-memory buffer for output A | 0 | "},
        {"a frame that never answers",
         {output("A", Answer::Silent)},
         "the compositor did not answer within 0.3 s | 0 | "},
        {"no screencopy global",
         {output("A", Answer::Fill)},
         "the compositor offers no wlroots screencopy (zwlr_screencopy_manager_v1) | 0 | ",
         false},
        {"no outputs", {}, "the compositor announces no outputs | 0 | "},
        {"a protocol error ends the connection",
         {output("A", Answer::ProtocolError)},
         "the compositor ended the connection with protocol error 1 on zwlr_screencopy_frame_v1 | 0 | "},
    };
    for (const FailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        VQFakeScreencopyCompositor compositor(row.outputs, row.offerScreencopy);
        ASSERT_TRUE(compositor.isRunning()) << "cannot listen on a socket in the temporary folder";
        // Short only where the compositor is meant to stay silent: a loaded
        // machine must not turn an answer into a timeout.
        const bool silent = row.outputs.size() == 1 && row.outputs[0].answer == Answer::Silent;
        const VQWlrCapture capture = VQWlrScreencopy::captureOutputs(silent ? 300ms : 5000ms);
        EXPECT_EQ(QStringLiteral("%1 | %2 | %3")
                      .arg(capture.error)
                      .arg(capture.outputs.size())
                      .arg(capture.notes.join(QLatin1String("; ")))
                      .toStdString(),
                  row.outcome);
        for (const VQCapturedOutput &captured : capture.outputs)
            expectShowsThePattern(captured.image, QSize(4, 2));
    }
}

// -- a real compositor -----------------------------------------------------------

struct ExpectedOutput {
    QString name;
    QRect logicalRect;
    int scale = 1;
};

// VELLICO_TEST_OUTPUTS: "NAME:WxH+X+Y@SCALE,…", logical rectangles.
std::vector<ExpectedOutput> expectedOutputs()
{
    std::vector<ExpectedOutput> outputs;
    const QRegularExpression item(QStringLiteral("^([^:]+):(\\d+)x(\\d+)\\+(-?\\d+)\\+(-?\\d+)@(\\d+)$"));
    for (const QString &text :
         qEnvironmentVariable("VELLICO_TEST_OUTPUTS").split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = item.match(text);
        if (!m.hasMatch()) {
            ADD_FAILURE() << "VELLICO_TEST_OUTPUTS: cannot read " << text.toStdString();
            continue;
        }
        outputs.push_back(
            {m.captured(1),
             QRect(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(2).toInt(), m.captured(3).toInt()),
             m.captured(6).toInt()});
    }
    return outputs;
}

QImage grimCapture(const QString &output, QString *error)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grim.png"));
    QProcess grim;
    grim.start(QStringLiteral("grim"), {QStringLiteral("-o"), output, file});
    if (!grim.waitForFinished(10000) || grim.exitStatus() != QProcess::NormalExit || grim.exitCode() != 0) {
        *error = QStringLiteral("grim failed: %1 %2")
                     .arg(grim.errorString(), QString::fromLocal8Bit(grim.readAllStandardError()));
        grim.kill();
        grim.waitForFinished(1000);
        return {};
    }
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

TEST(VQWlrScreencopyTest, CapturesEveryOutputOfARealCompositorAsGrimDoes)
{
    const QString background = qEnvironmentVariable("VELLICO_TEST_BACKGROUND");
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || background.isEmpty())
        GTEST_SKIP() << "needs a test session: tests/platform/wlr_capture_session.sh";

    const VQWlrGlobals globals = VQWlrScreencopy::probe();
    ASSERT_TRUE(globals.connected) << globals.error.toStdString();
    EXPECT_TRUE(globals.screencopy);
    EXPECT_TRUE(globals.shm);
    EXPECT_TRUE(globals.xdgOutput);

    const VQWlrCapture capture = VQWlrScreencopy::captureOutputs();
    ASSERT_TRUE(capture.ok()) << capture.error.toStdString();
    EXPECT_TRUE(capture.notes.isEmpty()) << capture.notes.join(QLatin1String("; ")).toStdString();
    EXPECT_EQ(int(capture.outputs.size()), globals.outputs);

    const std::vector<ExpectedOutput> expected = expectedOutputs();
    if (!expected.empty()) {
        ASSERT_EQ(capture.outputs.size(), qsizetype(expected.size()));
    }
    for (int i = 0; i < capture.outputs.size(); ++i) {
        const VQCapturedOutput &captured = capture.outputs[i];
        SCOPED_TRACE(captured.output.name.toStdString());
        EXPECT_EQ(captured.image.format(), QImage::Format_RGB32);
        EXPECT_EQ(captured.output.deviceSize, captured.image.size());
        if (!expected.empty()) {
            const ExpectedOutput &want = expected[std::size_t(i)];
            EXPECT_EQ(captured.output.name, want.name);
            EXPECT_EQ(captured.output.logicalRect, want.logicalRect);
            EXPECT_EQ(captured.image.size(), want.logicalRect.size() * want.scale);
        }
        const QRgb color = QColor(background).rgb();
        for (const QPoint corner : {QPoint(0, 0), QPoint(captured.image.width() - 1, captured.image.height() - 1),
                                    QPoint(captured.image.width() / 2, captured.image.height() / 2)})
            EXPECT_EQ(captured.image.pixel(corner), color) << corner.x() << "," << corner.y();

        QString error;
        const QImage truth = grimCapture(captured.output.name, &error);
        ASSERT_FALSE(truth.isNull()) << error.toStdString();
        EXPECT_EQ(captured.image.size(), truth.size());
        EXPECT_TRUE(captured.image == truth) << "differs from grim's capture of the same output";
    }
    const VQOutputLayout layout = capture.layout();
    EXPECT_EQ(layout.outputs().size(), capture.outputs.size());
}
} // namespace
