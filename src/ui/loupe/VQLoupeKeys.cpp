#include "ui/loupe/VQLoupeKeys.h"

#include <Qt>

#include <xkbcommon/xkbcommon-keysyms.h>

VQLoupeCommand VQLoupeCommandForKey(std::uint32_t keysym, bool shift)
{
    using Kind = VQLoupeCommand::Kind;
    const int step = shift ? 10 : 1;
    switch (keysym) {
    case XKB_KEY_Escape:
        return {Kind::Cancel, {}};
    case XKB_KEY_Return:
    case XKB_KEY_KP_Enter:
        return {Kind::Pick, {}};
    case XKB_KEY_Left:
        return {Kind::Move, QPoint(-step, 0)};
    case XKB_KEY_Right:
        return {Kind::Move, QPoint(step, 0)};
    case XKB_KEY_Up:
        return {Kind::Move, QPoint(0, -step)};
    case XKB_KEY_Down:
        return {Kind::Move, QPoint(0, step)};
    default:
        return {};
    }
}

std::uint32_t VQLoupeKeysymFromQtKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape:
        return XKB_KEY_Escape;
    case Qt::Key_Return:
        return XKB_KEY_Return;
    case Qt::Key_Enter:
        return XKB_KEY_KP_Enter;
    case Qt::Key_Left:
        return XKB_KEY_Left;
    case Qt::Key_Right:
        return XKB_KEY_Right;
    case Qt::Key_Up:
        return XKB_KEY_Up;
    case Qt::Key_Down:
        return XKB_KEY_Down;
    default:
        return 0;
    }
}
