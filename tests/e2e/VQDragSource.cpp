// A stand-in for a file manager in the desktop tests: a window filled with one
// colour; pressing in it and moving starts a drag of the files named on the
// command line as file URLs (text/uri-list), as file managers offer them.
// With --color, the drag carries a colour as other programs offer one: Qt's
// colour type (application/x-color) and its hex text.
//
//   vellico_e2e_drag_source FILE...
//   vellico_e2e_drag_source --color '#RRGGBB'

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWidget>

namespace
{

class DragSource : public QWidget
{
  public:
    explicit DragSource(QList<QUrl> urls, QColor color) : _urls(std::move(urls)), _color(color)
    {
        setWindowTitle(QStringLiteral("Drag Source"));
        resize(160, 120);
    }

  protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), QColor(17, 187, 153)); }
    void mousePressEvent(QMouseEvent *event) override { _pressed = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || (event->position().toPoint() - _pressed).manhattanLength() < 4)
            return;
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        if (_color.isValid()) {
            data->setColorData(_color);
            data->setText(_color.name(QColor::HexRgb).toUpper());
        } else {
            data->setUrls(_urls);
        }
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

  private:
    QList<QUrl> _urls;
    QColor _color;
    QPoint _pressed;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    QList<QUrl> urls;
    QColor color;
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--color"))
        color = QColor::fromString(arguments[1]);
    else
        for (const QString &file : arguments)
            urls << QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    DragSource window(urls, color);
    // Low on the left, clear of the main window under the tray at the top right.
    window.move(20, 560);
    window.show();
    return app.exec();
}
