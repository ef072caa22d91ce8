// A window for the Wayland desktop tests: fullscreen on one output, it paints
// 1-device-pixel column stripes over its left half (red on even device
// columns, blue on odd ones, counted from the window's left edge) and a solid
// patch over its right half, and reports on standard output what reaches it:
//
//   ready OUTPUT WIDTH HEIGHT RATIO      once painted, in device pixels
//   press BUTTON X Y                     a pointer press, in device pixels
//                                        (fractions where the compositor sent them)
//   key NAME                             a key press with its modifiers, as
//                                        QKeySequence names it ("Ctrl+V")
//
//   vellico_stripe_window --output NAME
//   vellico_stripe_window --list-screens   prints "screen NAME X Y WIDTH HEIGHT RATIO"
//                                            for each screen, then quits (on any platform)
#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace
{

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Patch = 0xFF20C040;

void report(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

class StripeWindow : public QWidget
{
  protected:
    void paintEvent(QPaintEvent *) override
    {
        // Painted pixel by pixel at the device pixel ratio: a QPainter line at
        // ratio 2 would cover two device columns.
        const qreal ratio = devicePixelRatioF();
        const QSize device = (QSizeF(size()) * ratio).toSize();
        QImage image(device, QImage::Format_RGB32);
        const int stripesEnd = device.width() / 2;
        for (int y = 0; y < device.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < device.width(); ++x) {
                row[x] = x >= stripesEnd ? Patch : (x % 2 == 0 ? Red : Blue);
            }
        }
        image.setDevicePixelRatio(ratio);
        QPainter painter(this);
        painter.drawImage(QPointF(0, 0), image);
        if (!m_reported || m_reportedSize != device) {
            m_reported = true;
            m_reportedSize = device;
            report(QStringLiteral("ready %1 %2 %3 %4")
                       .arg(screen()->name())
                       .arg(device.width())
                       .arg(device.height())
                       .arg(ratio));
        }
    }

    // Qt's widgets round pointer positions to logical pixels; the window beneath
    // still has the compositor's fractions, which at a scale of 2 name a device pixel.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == windowHandle() && event->type() == QEvent::MouseButtonPress) {
            const auto *press = static_cast<QMouseEvent *>(event);
            const QPointF at = press->position() * devicePixelRatioF();
            const char *button = press->button() == Qt::LeftButton    ? "left"
                                 : press->button() == Qt::RightButton ? "right"
                                                                      : "other";
            report(QStringLiteral("press %1 %2 %3").arg(QLatin1String(button)).arg(at.x()).arg(at.y()));
        }
        return false;
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        switch (event->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
            return; // reported with the key they modify
        default:
            report(QStringLiteral("key %1").arg(QKeySequence(event->keyCombination()).toString()));
        }
    }

  private:
    bool m_reported = false;
    QSize m_reportedSize;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("The output to cover."),
                                          QStringLiteral("name"));
    parser.addOption(outputOption);
    const QCommandLineOption listOption(QStringLiteral("list-screens"),
                                        QStringLiteral("Print the screens Qt sees, one a line, and quit."));
    parser.addOption(listOption);
    parser.process(app);

    if (parser.isSet(listOption)) {
        // "screen NAME X Y WIDTH HEIGHT RATIO": the geometry in Qt's logical pixels.
        for (const QScreen *screen : QGuiApplication::screens()) {
            const QRect geometry = screen->geometry();
            report(QStringLiteral("screen %1 %2 %3 %4 %5 %6")
                       .arg(screen->name())
                       .arg(geometry.x())
                       .arg(geometry.y())
                       .arg(geometry.width())
                       .arg(geometry.height())
                       .arg(screen->devicePixelRatio()));
        }
        return 0;
    }

    QScreen *target = nullptr;
    const QString wanted = parser.value(outputOption);
    QStringList names;
    for (QScreen *screen : QGuiApplication::screens()) {
        names << screen->name();
        if (screen->name() == wanted) {
            target = screen;
        }
    }
    if (!wanted.isEmpty() && !target) {
        std::fprintf(stderr, "no output %s among: %s\n", qPrintable(wanted), qPrintable(names.join(QLatin1Char(' '))));
        return 2;
    }

    StripeWindow window;
    window.setWindowTitle(QStringLiteral("Vellico stripes"));
    if (target) {
        // Placed on the screen before the platform window exists: its screen is
        // the output Qt asks the compositor to fill.
        window.setGeometry(target->geometry());
        window.winId();
        window.windowHandle()->setScreen(target);
    }
    window.winId();
    window.windowHandle()->installEventFilter(&window);
    window.showFullScreen();
    return app.exec();
}
