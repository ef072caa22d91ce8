#include "ui/collection_viewer/VQQuickLookController.h"

#include "ui/collection_viewer/VQCollectionCanvas.h"
#include "ui/collection_viewer/VQColorPreview_p.h"
#include "vqcore/VQLocalizedString.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace
{

// Created on first use and kept, with its window, until the process ends.
VQQuickLookController *gCurrentViewer = nullptr;

constexpr int kMargin = 6;
constexpr int kDefaultSide = 96;

} // namespace

VQQuickLookController *VQQuickLookController::currentViewer()
{
    return gCurrentViewer;
}

VQQuickLookController *VQQuickLookController::viewerForCollection(const VQSwatchCollectionRef &collection)
{
    if (!gCurrentViewer)
        gCurrentViewer = new VQQuickLookController();
    gCurrentViewer->_collection = collection;
    gCurrentViewer->reload();
    gCurrentViewer->_viewerWindow->update();
    return gCurrentViewer;
}

void VQQuickLookController::openBeside(const VQSwatchCollectionRef &collection, QWidget *anchor)
{
    if (!collection)
        return;
    VQQuickLookController *viewer = viewerForCollection(collection);
    QWidget *preview = viewer->window();
    // Left where the user put it while it stays open.
    if (!preview->isVisible() && anchor) {
        const QWidget *window = anchor->window();
        const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (screen)
            preview->move(
                placeBeside(window->frameGeometry(), preview->frameGeometry().size(), screen->availableGeometry()));
    }
    preview->show();
    preview->raise();
    preview->activateWindow();
}

QPoint VQQuickLookController::placeBeside(const QRect &anchor, const QSize &size, const QRect &screen)
{
    constexpr int gap = 8;
    const int right = anchor.right() + 1 + gap;
    const int left = anchor.left() - gap - size.width();
    int x = right;
    if (right + size.width() > screen.right() + 1) {
        const int roomRight = screen.right() + 1 - right;
        const int roomLeft = anchor.left() - gap - screen.left();
        x = left >= screen.left() || roomLeft > roomRight ? left : right;
    }
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    const int y = std::clamp(anchor.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

int VQQuickLookController::maximumWidth()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int available = screen ? screen->availableGeometry().width() : 1024;
    return std::max(VQCollectionCanvas::kMinimumWidth + 2 * kMargin, available * 4 / 5);
}

VQQuickLookController::VQQuickLookController()
{
    _viewerWindow = new QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    _viewerWindow->setObjectName(QStringLiteral("QuickLook"));
    _viewerWindow->setAttribute(Qt::WA_QuitOnClose, false);
    QPalette dark = _viewerWindow->palette();
    dark.setColor(QPalette::Window, QColor(40, 40, 42));
    dark.setColor(QPalette::Base, QColor(40, 40, 42));
    _viewerWindow->setPalette(dark);
    _viewerWindow->setAutoFillBackground(true);

    _canvas = new VQCollectionCanvas;
    _canvas->setItemSide(kDefaultSide);
    _scrollArea = new QScrollArea;
    _scrollArea->setFrameShape(QFrame::NoFrame);
    _scrollArea->setWidget(_canvas);
    _scrollArea->setWidgetResizable(false);
    _scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    _scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    _sizeSlider = new QSlider(Qt::Horizontal);
    _sizeSlider->setRange(48, 192);
    _sizeSlider->setValue(kDefaultSide);
    _sizeSlider->setToolTip(VQLocalizedString("Swatch size"));
    QObject::connect(_sizeSlider, &QSlider::valueChanged, _viewerWindow, [this](int side) { resizeToSlider(side); });

    auto *layout = new QVBoxLayout(_viewerWindow);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(4);
    layout->addWidget(_scrollArea);
    layout->addWidget(_sizeSlider);
}

void VQQuickLookController::reload()
{
    _canvas->removeAllItems();
    _viewerWindow->setWindowTitle(_collection ? _collection->title() : QString());
    if (_collection)
        for (const VQColorRef &color : _collection->colors())
            _canvas->addItem(new VQColorPreview(color));
    fitWindow();
}

void VQQuickLookController::resizeToSlider(int side)
{
    // The window grows downwards; its top edge stays where it is.
    _canvas->setItemSide(side);
    fitWindow();
}

void VQQuickLookController::fitWindow()
{
    const int contentWidth = _canvas->width();
    const int width = std::min(contentWidth + 2 * kMargin, maximumWidth());
    const bool scrolls = contentWidth + 2 * kMargin > width;
    const int scrollBar = scrolls ? _scrollArea->horizontalScrollBar()->sizeHint().height() : 0;
    _scrollArea->setFixedHeight(_canvas->height() + scrollBar);
    const int height = 2 * kMargin + _scrollArea->height() + 4 + _sizeSlider->sizeHint().height();
    _viewerWindow->setFixedSize(width, height);
}
