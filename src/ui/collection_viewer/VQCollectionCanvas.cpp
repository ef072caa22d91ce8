#include "ui/collection_viewer/VQCollectionCanvas.h"

#include <algorithm>

QRect VQCanvasItemFrame(int index, int side)
{
    return {index * side, 0, side, side};
}

int VQCanvasWidth(int count, int side)
{
    return std::max(VQCollectionCanvas::kMinimumWidth, count * side);
}

VQCollectionCanvas::VQCollectionCanvas(QWidget *parent) : QWidget(parent)
{
    relayout();
}

void VQCollectionCanvas::addItem(QWidget *view)
{
    view->setParent(this);
    _items.push_back(view);
    view->show();
    relayout();
}

void VQCollectionCanvas::removeItem(QWidget *view)
{
    const auto it = std::find(_items.begin(), _items.end(), view);
    if (it == _items.end())
        return;
    _items.erase(it);
    delete view;
    relayout();
}

void VQCollectionCanvas::removeAllItems()
{
    if (_items.empty())
        return;
    for (QWidget *item : _items)
        delete item;
    _items.clear();
    relayout();
}

void VQCollectionCanvas::setItemSide(int side)
{
    _side = std::max(1, side);
    relayout();
}

void VQCollectionCanvas::relayout()
{
    for (std::size_t i = 0; i < _items.size(); ++i)
        _items[i]->setGeometry(VQCanvasItemFrame(int(i), _side));
    setFixedSize(VQCanvasWidth(int(_items.size()), _side), _side);
}
