#include "ui/tray/VQStatusItem.h"

#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include <chrono>

namespace
{

// How long a message waits for the tray to place the icon, and how often it looks.
constexpr std::chrono::milliseconds kPlacementWait{10000};
constexpr std::chrono::milliseconds kPlacementPoll{100};

// The glyph from the icon theme when it draws `themeName` (and `fromTheme`),
// else the built-in picture `name`; 22 x 22 logical pixels at `ratio`.
QPixmap glyphFor(const QString &name, const QString &themeName, bool fromTheme, qreal ratio)
{
    const QIcon themed = fromTheme ? QIcon::fromTheme(themeName) : QIcon();
    if (!themed.isNull()) {
        const QPixmap pixmap = themed.pixmap(QSize(22, 22), ratio);
        if (!pixmap.isNull())
            return pixmap;
    }
    const QString suffix = ratio > 1 ? QStringLiteral("@2x") : QString();
    QPixmap glyph(QStringLiteral(":/images/") + name + suffix);
    glyph.setDevicePixelRatio(ratio);
    return glyph;
}

QPixmap composed(const QString &name, const QString &themeName, bool fromTheme, bool withBackground, qreal ratio)
{
    const QPixmap glyph = glyphFor(name, themeName, fromTheme, ratio);
    if (!withBackground)
        return glyph;
    QPixmap pixmap(glyph.size());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    const QSizeF logical = glyph.deviceIndependentSize();
    background.addRoundedRect(QRectF(QPointF(0, 0), logical).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.fillPath(background, QGuiApplication::palette().color(QPalette::Highlight));
    painter.drawPixmap(QPointF(0, 0), glyph);
    return pixmap;
}

} // namespace

QIcon VQStatusItem::iconFor(VQStatusItemLogic::Image image, bool highlightedState, bool fromTheme)
{
    const bool highlighted = image == VQStatusItemLogic::Image::Highlighted;
    const QString name = highlighted ? QStringLiteral("StatusIconHighlighted") : QStringLiteral("StatusIcon");
    const QString themeName = highlighted ? QStringLiteral("io.github.vellico.Vellico-highlighted-symbolic")
                                          : QStringLiteral("io.github.vellico.Vellico-symbolic");
    QIcon icon;
    icon.addPixmap(composed(name, themeName, fromTheme, highlightedState, 1));
    icon.addPixmap(composed(name, themeName, fromTheme, highlightedState, 2));
    return icon;
}

VQStatusItem::VQStatusItem(Actions actions, QObject *parent) : QObject(parent), _actions(std::move(actions))
{
    updateDarkPanel();
    _tray = std::make_unique<QSystemTrayIcon>();
    _tray->setToolTip(QStringLiteral("Vellico")); // untranslated: the program's name
    // The first look into the icon theme reads its index files and folders:
    // the icon shows with the built-in glyph at once, and takes the theme's
    // right after, on the event loop.
    refreshIcon();
    qApp->installEventFilter(this);
    QTimer::singleShot(0, this, [this] {
        _iconThemeRead = true;
        refreshIcon();
    });
    // No context menu is set on the tray: the menu is ours to build and to
    // show, so that the icon highlights while it is open.
    connect(_tray.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        const bool ctrl = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
        switch (reason) {
        case QSystemTrayIcon::Trigger:
        case QSystemTrayIcon::DoubleClick: // a quick second click closes again
            handleClick(VQStatusItemLogic::Button::Left, ctrl);
            break;
        case QSystemTrayIcon::Context:
            if (!_hostMenu)
                handleClick(VQStatusItemLogic::Button::Right, ctrl);
            break;
        default:
            break;
        }
    });
}

VQStatusItem::~VQStatusItem() = default;

void VQStatusItem::updateDarkPanel()
{
    _logic.setDarkPanel(
        VQStatusItemLogic::panelIsDark(VQUserDefaults::standard().stringForKey(QLatin1String(VQPanelStyleDefaultsKey)),
                                       QGuiApplication::palette().color(QPalette::Window).lightness()));
}

bool VQStatusItem::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        updateDarkPanel();
        refreshIcon();
    }
    return false;
}

void VQStatusItem::useHostMenu()
{
    if (_hostMenu || !_actions.makeMenu)
        return;
    _hostMenu = _actions.makeMenu();
    _tray->setContextMenu(_hostMenu.get());
}

void VQStatusItem::show()
{
    _tray->show();
}

void VQStatusItem::hide()
{
    _tray->hide();
}

void VQStatusItem::setHighlighted(bool highlighted)
{
    if (highlighted == _logic.isHighlighted())
        return;
    _logic.setHighlighted(highlighted);
    refreshIcon();
}

void VQStatusItem::refreshIcon()
{
    _tray->setIcon(iconFor(_logic.image(), _logic.isHighlighted(), _iconThemeRead));
}

std::optional<QRect> VQStatusItem::geometry() const
{
    const QRect rect = _tray->geometry();
    if (!rect.isValid() || rect.isEmpty())
        return std::nullopt;
    return rect;
}

void VQStatusItem::showMessage(const QString &title, const QString &text)
{
    showMessageOnceInPlace(title, text, QDeadlineTimer(kPlacementWait), std::nullopt);
}

void VQStatusItem::showMessageOnceInPlace(const QString &title, const QString &text, QDeadlineTimer deadline,
                                          std::optional<QRect> previous)
{
    // A message shown before the tray has embedded the icon points at the
    // screen's corner (or, with no tray yet, is lost): wait until the icon is
    // in place and has stopped moving, or until the wait is over.
    std::optional<QRect> now;
    bool ready = true;
    switch (iconPlacement()) {
    case IconPlacement::Waiting:
        ready = false;
        break;
    case IconPlacement::Embedded:
        now = geometry();
        ready = now && now == previous;
        break;
    case IconPlacement::TraysOwn:
        break;
    }
    if (!ready && !deadline.hasExpired()) {
        QTimer::singleShot(kPlacementPoll, this,
                           [this, title, text, deadline, now] { showMessageOnceInPlace(title, text, deadline, now); });
        return;
    }
    _tray->showMessage(title, text, QSystemTrayIcon::Warning);
}

VQStatusItem::IconPlacement VQStatusItem::iconPlacement()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return IconPlacement::Waiting;
    // Qt's XEmbed icon is a window of its own, mapped (and so exposed) once
    // the tray has embedded it. Without one (a StatusNotifierItem) the tray
    // shows messages where it likes.
    for (const QWindow *window : QGuiApplication::allWindows())
        if (window->objectName() == QLatin1String("QSystemTrayIconSysWindow"))
            return window->isExposed() ? IconPlacement::Embedded : IconPlacement::Waiting;
    return IconPlacement::TraysOwn;
}

void VQStatusItem::handleClick(VQStatusItemLogic::Button button, bool ctrlHeld)
{
    const bool modal = QApplication::activeModalWidget() != nullptr || _menuShown;
    switch (_logic.actionForClick(button, ctrlHeld, modal)) {
    case VQStatusItemLogic::Action::None:
        break;
    case VQStatusItemLogic::Action::ToggleWindow:
        if (_actions.toggleWindow)
            _actions.toggleWindow();
        break;
    case VQStatusItemLogic::Action::ShowMenu:
        showMenu();
        break;
    }
}

void VQStatusItem::showMenu()
{
    std::unique_ptr<QMenu> menu = _actions.makeMenu ? _actions.makeMenu() : nullptr;
    if (!menu)
        return;
    setHighlighted(true);
    _menuShown = true;
    const std::optional<QRect> icon = geometry();
    const QPoint at = icon ? icon->bottomLeft() + QPoint(0, 1) : QCursor::pos();
    // Shown without a loop of its own: its commands run after it has closed, from the event loop.
    QMenu *shown = menu.release();
    connect(shown, &QMenu::aboutToHide, this, [this] {
        _menuShown = false;
        setHighlighted(_actions.isWindowVisible && _actions.isWindowVisible());
    });
    connect(shown, &QMenu::aboutToHide, shown, &QObject::deleteLater);
    shown->popup(at);
}

void VQStatusItem::setStatus(const QString &status)
{
    if (_tray)
        _tray->setToolTip(status.isEmpty() ? QStringLiteral("Vellico") : QStringLiteral("Vellico\n") + status);
}
