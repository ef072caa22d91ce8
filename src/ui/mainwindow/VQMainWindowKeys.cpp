#include "ui/mainwindow/VQMainWindowKeys.h"

VQMainWindowKeyAction VQMainWindowKeyActionFor(int key, Qt::KeyboardModifiers modifiers, bool colorWheelShown)
{
    // The keypad flag says where a key sits, not what the user held.
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Escape:
            return VQMainWindowKeyAction::CloseWindow;
        case Qt::Key_Up:
            return colorWheelShown ? VQMainWindowKeyAction::BrightnessUp : VQMainWindowKeyAction::None;
        case Qt::Key_Down:
            return colorWheelShown ? VQMainWindowKeyAction::BrightnessDown : VQMainWindowKeyAction::None;
        default:
            return VQMainWindowKeyAction::None;
        }
    }
    if (held == Qt::ControlModifier && key == Qt::Key_C)
        return VQMainWindowKeyAction::Copy;
    if (held == (Qt::ControlModifier | Qt::AltModifier) && key == Qt::Key_C)
        return VQMainWindowKeyAction::CopyAlternate;
    if (held == Qt::ControlModifier && key == Qt::Key_V)
        return VQMainWindowKeyAction::Paste;
    return VQMainWindowKeyAction::None;
}
