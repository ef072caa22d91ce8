// The yardstick for the shell's timing: the least a Qt tray program does to
// show a window of the main window's size when its icon is clicked.

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QPixmap picture(22, 22);
    picture.fill(Qt::darkGray);
    QSystemTrayIcon tray{QIcon(picture)};
    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("BareTray"));
    window.resize(260, 370);
    QObject::connect(&tray, &QSystemTrayIcon::activated, &window, [&](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
            return;
        if (window.isVisible()) {
            window.hide();
            return;
        }
        const QRect icon = tray.geometry();
        window.move(icon.center().x() - 130, icon.bottom() + 1);
        window.show();
        window.activateWindow();
    });
    tray.show();
    return app.exec();
}
