#include "ui/loupe/VQLoupeKeys.h"

#include "platform/VQKeyCode.h"

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
    case XKB_KEY_s:
    case XKB_KEY_S: // with Shift, where the keysym is the shifted one
        return {Kind::SampleSize, {}};
    default:
        return {};
    }
}

std::uint32_t VQLoupeKeysymFromQtKey(int qtKey)
{
    // The keypad's Enter picks as Return does.
    return qtKey == Qt::Key_Enter ? std::uint32_t(XKB_KEY_KP_Enter) : VQKeyCode::keysymFromQtKey(qtKey);
}
