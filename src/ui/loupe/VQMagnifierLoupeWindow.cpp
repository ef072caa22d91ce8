#include "ui/loupe/VQMagnifierLoupeWindow.h"

#include "ui/loupe/VQColorOverviewView.h"
#include "ui/loupe/VQLoupeGeometry.h"
#include "ui/loupe/VQLoupeSample.h"
#include "vqcore/VQLocalizedString.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

std::vector<VQScreenArea> VQCurrentScreenAreas()
{
    std::vector<VQScreenArea> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.push_back({screen->geometry(), screen->devicePixelRatio()});
    return areas;
}

QRect VQScreenDevicePixelsAt(QPoint devicePoint)
{
    const std::vector<VQScreenArea> screens = VQCurrentScreenAreas();
    const std::optional<std::size_t> index = VQLoupeGeometry::screenAt(screens, devicePoint);
    return index ? screens[*index].device() : QRect();
}

VQMagnifierLoupeWindow::VQMagnifierLoupeWindow(VQScreenPreviewView::Capture capture)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("MagnifierLoupe"));
    setAccessibleName(VQLocalizedString("Loupe"));
    _previewView = new VQScreenPreviewView(std::move(capture), this);
    _previewView->setGeometry(VQLoupeGeometry::previewRect(QPoint(0, 0)));
    _overviewView = new VQColorOverviewView(this);
    _overviewView->setGeometry(VQLoupeGeometry::overviewRect(QPoint(0, 0)));
    setFixedSize(VQLoupeGeometry::panelSize());
    connect(_previewView, &VQScreenPreviewView::colorChanged, _overviewView, &VQColorOverviewView::setSelectedColor);
    setSampleSize(1);
}

void VQMagnifierLoupeWindow::setSampleSize(int n)
{
    _previewView->setSampleSize(n);
    _overviewView->setSampleText(VQLoupeSample::text(n));
}

void VQMagnifierLoupeWindow::followPointer(QPoint devicePoint)
{
    const std::vector<VQScreenArea> screens = VQCurrentScreenAreas();
    const std::optional<std::size_t> under = VQLoupeGeometry::screenAt(screens, devicePoint);
    _previewView->setPoint(devicePoint, under ? screens[*under].device() : QRect());
    if (screens.empty())
        return;
    const VQScreenArea &screen = screens[under.value_or(0)];
    const QPointF pointer = VQLoupeGeometry::deviceToLogical(devicePoint, screen);
    const QPoint origin = VQLoupeGeometry::windowOrigin(pointer, size(), screen.logical);
    if (origin != pos())
        move(origin);
}

void VQMagnifierLoupeWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    VQDrawLoupeFrame(painter, QRectF(rect()));
}

void VQDrawLoupeFrame(QPainter &painter, const QRectF &bounds)
{
    painter.save();
    painter.translate(bounds.topLeft());
    const QRectF rect(QPointF(0, 0), bounds.size());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(frame, 5, 5);
    painter.fillRect(rect, Qt::black); // the corners, where no compositor shows through
    painter.save();
    painter.setClipPath(path);
    painter.fillRect(rect, QColor::fromRgbF(0.15f, 0.15f, 0.15f, 0.96f));
    QLinearGradient band(0, 22, 0, 0);
    band.setColorAt(0, QColor::fromRgbF(0.15f, 0.15f, 0.15f, 0.96f));
    band.setColorAt(1, QColor::fromRgbF(0.24f, 0.24f, 0.24f, 0.96f));
    painter.fillRect(QRectF(0, 0, rect.width(), 22), band);
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.2f), 1));
    painter.drawRoundedRect(frame.adjusted(0, 0, 0, 50), 5, 5);
    painter.restore();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(path);
    painter.restore();
}
