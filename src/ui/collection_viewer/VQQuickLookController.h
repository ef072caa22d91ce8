#pragma once
// The colour preview ("QuickLook"): one floating tool window for the whole
// process, titled with a collection's name, showing each of its colours as a
// large labelled swatch in a horizontally scrolling strip. A size slider
// makes the swatches larger or smaller. Opening it for another collection
// reuses the window.

#include "core/VQSwatchCollection.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QScrollArea;
class QSlider;
class QWidget;
class VQCollectionCanvas;

class VQQuickLookController
{
  public:
    // Shows `collection` in the one preview window (created on first use).
    // The caller brings the window to the front.
    static VQQuickLookController *viewerForCollection(const VQSwatchCollectionRef &collection);
    // The controller if it exists already.
    static VQQuickLookController *currentViewer();
    // Shows `collection` and brings the preview to the front; a preview that was
    // not open yet opens beside `anchor`'s window.
    static void openBeside(const VQSwatchCollectionRef &collection, QWidget *anchor);
    // Where a window of `size` goes beside `anchor` (both frames, global
    // coordinates): to its right, else to its left, top edges level, inside `screen`.
    static QPoint placeBeside(const QRect &anchor, const QSize &size, const QRect &screen);

    QWidget *window() const { return _viewerWindow; }
    VQCollectionCanvas *canvas() const { return _canvas; }
    QScrollArea *scrollArea() const { return _scrollArea; }
    QSlider *sizeSlider() const { return _sizeSlider; }
    const VQSwatchCollectionRef &collection() const { return _collection; }

    // Rebuilds the swatches and the title from the collection.
    void reload();

    // The widest the window grows before its strip scrolls.
    static int maximumWidth();

  private:
    VQQuickLookController();
    void resizeToSlider(int side);
    void fitWindow();

    VQSwatchCollectionRef _collection;
    QWidget *_viewerWindow = nullptr;
    QScrollArea *_scrollArea = nullptr;
    VQCollectionCanvas *_canvas = nullptr;
    QSlider *_sizeSlider = nullptr;
};
