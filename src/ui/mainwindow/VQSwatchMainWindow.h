#pragma once
// The main window: a frameless window hanging under the tray icon with the
// picker chooser, the eyedropper and the gear button on top, the colour picker on its canvas
// with the selection readout below it, and the collapsible collection lane at
// the bottom. It paints and lays out; the delegate decides what it shows.

#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/mainwindow/VQMainWindowKeys.h"
#include "ui/mainwindow/VQMainWindowPlacement.h"

#include <QPointer>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QToolButton;
class VQSelectionCanvas;
class VQSelectionControl;
class VQSelectedColorNameLabel;
class VQSwatchCore;

class VQSwatchMainWindow : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    static constexpr int kWidth = 274;
    static constexpr int kArrowHeight = 8;
    // The lane of collection buttons; showing or hiding it changes the window's height by as much.
    static constexpr int kLaneHeight = 36;
    // A widget with this property true gets Escape itself instead of the window closing.
    static constexpr const char *kKeepsEscapeProperty = "VQKeepsEscape";

    // The window of the library `core`, which outlives it.
    explicit VQSwatchMainWindow(VQSwatchCore &core, QWidget *parent = nullptr);
    ~VQSwatchMainWindow() override;

    // Puts `view` on the canvas, centred across and touching its top, in place
    // of the one shown before (which is hidden, not deleted: pickers own their views).
    void setPickerView(QWidget *view);
    QWidget *pickerView() const { return _pickerView; }
    // The picker chooser, left of the gear button.
    void setChooser(QWidget *chooser);
    // What the collection lane shows.
    void setLaneContent(QWidget *content);
    // Adds a row of colour tools under the canvas, above the lane's toggle, in
    // the order added. A row has a fixed height; the window grows by it.
    void addToolRow(QWidget *row);

    // Where a panel over the lane goes (window coordinates): the content's width,
    // from the canvas's top down to the lane's bottom (the toggle's while the lane is hidden).
    QRect overLaneArea() const;

    // Moves the window and turns its pointing triangle towards the icon.
    void applyPlacement(const VQMainWindowPlacement &placement);
    VQMainWindowPlacement::ArrowEdge arrowEdge() const { return _arrowEdge; }
    // The window's size for the current lane state.
    QSize windowSize() const;

    // A note above the picker (no tray, or what this desktop does not offer); empty hides it.
    void setNote(const QString &note);
    QString note() const;
    // Where the compositor places windows (Wayland): no triangle, no move, the
    // window's size without the triangle's room.
    void setPlacedByCompositor(bool placed);
    // An ordinary framed window instead of the frameless one hanging from the tray.
    void setOrdinaryWindow(bool ordinary);

    bool isLaneVisible() const { return _laneVisible; }
    // Shows or hides the lane: the window grows or shrinks by kLaneHeight over
    // `durationMs` (0: at once); the toggle button is off meanwhile.
    void setLaneVisible(bool visible, int durationMs);

    QToolButton *gearButton() const { return _gearButton; }
    // Starts the loupe; its tooltip names the global shortcut.
    QToolButton *eyedropperButton() const { return _eyedropperButton; }
    QToolButton *laneToggleButton() const { return _laneToggle; }
    VQSelectionControl *selectionControl() const { return _selectionControl; }
    VQSelectionCanvas *canvas() const { return _canvas; }
    VQSelectedColorNameLabel *colorNameLabel() const { return _colorName; }

    // Whether the colour wheel is the picker shown; decides what Up and Down do.
    void setColorWheelShown(bool shown) { _colorWheelShown = shown; }

    // A window to screen readers (a frameless top-level widget would be a mere pane).
    QAccessible::Role accessibleRole() const override { return QAccessible::Window; }

  signals:
    void gearButtonClicked();
    void eyedropperClicked();
    void laneToggleClicked();
    // A key the window answers (see VQMainWindowKeys); it was consumed.
    void keyActionTriggered(VQMainWindowKeyAction action);
    // The lane's height changed (while animating too): the delegate re-places the window.
    void sizeChanged();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void updateMask();
    void updateIcons();
    void layOutPickerView();

    QWidget *_chooserSlot = nullptr;
    QToolButton *_eyedropperButton = nullptr;
    QToolButton *_gearButton = nullptr;
    VQSelectionCanvas *_canvas = nullptr;
    QWidget *_pickerArea = nullptr;
    QPointer<QWidget> _pickerView;
    VQSelectionControl *_selectionControl = nullptr;
    VQSelectedColorNameLabel *_colorName = nullptr;
    QToolButton *_laneToggle = nullptr;
    QBoxLayout *_toolRows = nullptr;
    QWidget *_lane = nullptr;
    QBoxLayout *_outerLayout = nullptr;
    QLabel *_note = nullptr;
    bool _placedByCompositor = false;
    bool _laneVisible = true;
    int _laneShownHeight = kLaneHeight;
    bool _colorWheelShown = false;
    VQMainWindowPlacement::ArrowEdge _arrowEdge = VQMainWindowPlacement::ArrowEdge::Top;
    int _arrowX = kWidth / 2;
};

// The named pictures of the main window, drawn in code in `ink`: "Eyedropper",
// "Gear", "HideCollections" and "ShowCollections".
QIcon VQMainWindowIcon(const QString &name, const QColor &ink);
