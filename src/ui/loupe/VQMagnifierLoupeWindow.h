#pragma once
// The loupe's floating window: the magnifier above the colour readout, on a
// dark rounded background, kept 20 pixels from the pointer.

#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/loupe/VQScreenPreviewView.h"

#include <QWidget>

class QPainter;
class VQColorOverviewView;

// Paints the panel's dark rounded background into `bounds`.
void VQDrawLoupeFrame(QPainter &painter, const QRectF &bounds);
struct VQScreenArea;

class VQMagnifierLoupeWindow : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    explicit VQMagnifierLoupeWindow(VQScreenPreviewView::Capture capture);

    VQScreenPreviewView *previewView() const { return _previewView; }
    VQColorOverviewView *overviewView() const { return _overviewView; }
    std::optional<QColor> selectedColor() const { return _previewView->selectedColor(); }

    // Shows the magnifier for the pointer at `devicePoint` and moves the window beside it.
    void followPointer(QPoint devicePoint);
    // The sample around the pointer, outlined and named in the readout: 1, 3, 5 or 9.
    void setSampleSize(int n);

    // A window named "Loupe" to screen readers; its readout says the colour.
    QAccessible::Role accessibleRole() const override { return QAccessible::Window; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    VQScreenPreviewView *_previewView;
    VQColorOverviewView *_overviewView;
};

// The screens as the loupe's geometry sees them.
std::vector<VQScreenArea> VQCurrentScreenAreas();
// The device pixels of the screen that holds `devicePoint`; a null rectangle when none does.
QRect VQScreenDevicePixelsAt(QPoint devicePoint);
