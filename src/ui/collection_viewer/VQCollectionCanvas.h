#pragma once
// A horizontal strip of equal square items, as tall as the canvas: item i
// sits at (i·h, 0, h, h) and the canvas is at least 115 wide. The colour
// preview window keeps it in a scroll area, so hundreds of colours scroll
// instead of stretching the window.

#include <QWidget>

class QSlider;

// The frame of item `index` and the canvas width for `count` items of side `side`.
QRect VQCanvasItemFrame(int index, int side);
int VQCanvasWidth(int count, int side);

class VQCollectionCanvas : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int kMinimumWidth = 115;

    explicit VQCollectionCanvas(QWidget *parent = nullptr);

    void addItem(QWidget *view);
    void removeItem(QWidget *view);
    void removeAllItems();
    int itemCount() const { return int(_items.size()); }
    // Lays the items out at the canvas's current height.
    void relayout();
    // Items of a new side: the canvas grows or shrinks with them.
    void setItemSide(int side);
    int itemSide() const { return _side; }

  private:
    std::vector<QWidget *> _items;
    int _side = 96;
};
