#pragma once
// One collection in the lane: draws its colours, opens its colour menu, opens
// the colour preview (Ctrl+click), offers a remove part in its top-left
// corner, and after a half-second press drags its collection. Drops are
// handled by the lane, which tells the button to light up while a drag is
// over it.

#include "core/VQSwatchCollection.h"
#include "ui/accessibility/VQAccessibleControl.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

enum class VQColorButtonPart { Main = 0, Remove = 1 };

// The lane's well under the buttons: the window shaded a little towards its
// text (further while a drag is over the lane), in a light or a dark palette.
QColor VQLaneColor(const QPalette &palette, bool dragging = false);

class VQColorButton : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    explicit VQColorButton(QWidget *parent = nullptr);
    ~VQColorButton() override;

    const VQSwatchCollectionRef &collection() const { return _collection; }
    void setCollection(VQSwatchCollectionRef collection);

    bool isMouseInside() const { return _mouseInside; }
    // A drag is over the button (the lane decides).
    void setDraggingInside(bool inside);
    bool isDraggingInside() const { return _draggingInside; }
    // The lane turns hovering off while a page slides.
    void setHoverEnabled(bool enabled) { _hoverEnabled = enabled; }

    // The button whose collection is being dragged, or null.
    static VQColorButton *draggedButton();

    // In widget coordinates (y grows downwards): the remove part near the
    // top-left corner and the menu triangle near the bottom-right one.
    QRect removeButtonRect() const;
    QRect triangleRect() const;

    // A menu button named by its collection's title and number of colours:
    // pressing opens the colour menu, its menu action the editing one.
    QAccessible::Role accessibleRole() const override { return QAccessible::ButtonMenu; }
    QStringList accessibleActions() const override;
    void doAccessibleAction(const QString &name) override;

  signals:
    // A click: the colour menu, in editing mode for a right click or with Alt held.
    // With the keyboard focus: Space for the menu, the menu key or Shift+F10 for editing.
    void menuRequested(bool editing);
    // A press and release on the remove part.
    void removeRequested();
    // A collection drag started here has ended, however it ended.
    void dragFinished();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

  private:
    void enableDragging();
    void startDrag(const QPoint &hotSpot);
    void resetPress();

    VQSwatchCollectionRef _collection;
    bool _mouseInside = false;
    bool _hoverEnabled = true;
    bool _allowDragging = false;
    bool _draggingInside = false;
    bool _highlighted = false;
    bool _removeButtonHighlighted = false;
    VQColorButtonPart _dragOriginPart = VQColorButtonPart::Main;
    QPoint _pressPoint;
    QTimer _mouseDownTimer;
};
