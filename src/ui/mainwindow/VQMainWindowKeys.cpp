#include "ui/mainwindow/VQMainWindowKeys.h"

#include "platform/VQKeyCode.h"

const std::vector<VQMainWindowShortcut> &VQMainWindowShortcuts()
{
    using A = VQMainWindowKeyAction;
    static const std::vector<VQMainWindowShortcut> table = {
        {A::Copy, QT_TRANSLATE_NOOP("Vellico", "Copy"), Qt::Key_C, Qt::ControlModifier, VQKeyCode::C},
        {A::CopyAlternate, QT_TRANSLATE_NOOP("Vellico", "Copy Alternate Format"), Qt::Key_C,
         Qt::ControlModifier | Qt::AltModifier, VQKeyCode::C},
        {A::Paste, QT_TRANSLATE_NOOP("Vellico", "Paste"), Qt::Key_V, Qt::ControlModifier, VQKeyCode::V},
        {A::CopyColorName, QT_TRANSLATE_NOOP("Vellico", "Copy Color Name"), Qt::Key_N,
         Qt::ControlModifier | Qt::AltModifier, VQKeyCode::N},
        {A::NewCollection, QT_TRANSLATE_NOOP("Vellico", "New Collection"), Qt::Key_N, Qt::ControlModifier,
         VQKeyCode::N},
        {A::FindColor, QT_TRANSLATE_NOOP("Vellico", "Find Color..."), Qt::Key_F, Qt::ControlModifier, VQKeyCode::F},
        {A::Preferences, QT_TRANSLATE_NOOP("Vellico", "Preferences..."), Qt::Key_Comma, Qt::ControlModifier, 43},
        {A::Help, QT_TRANSLATE_NOOP("Vellico", "Help"), Qt::Key_F1, Qt::NoModifier, VQKeyCode::F1},
        {A::Quit, QT_TRANSLATE_NOOP("Vellico", "Quit"), Qt::Key_Q, Qt::ControlModifier, VQKeyCode::Q},
        {A::CloseWindow, QT_TRANSLATE_NOOP("Vellico", "Close Window"), Qt::Key_Escape, Qt::NoModifier,
         VQKeyCode::Escape},
        {A::SwapContrastColors, QT_TRANSLATE_NOOP("Vellico", "Swap with Selection"), Qt::Key_X, Qt::NoModifier,
         VQKeyCode::X},
    };
    return table;
}

QKeySequence VQMainWindowShortcutFor(VQMainWindowKeyAction action)
{
    for (const VQMainWindowShortcut &shortcut : VQMainWindowShortcuts())
        if (shortcut.action == action)
            return shortcut.sequence();
    return {};
}

VQMainWindowKeyAction VQMainWindowKeyActionFor(int key, Qt::KeyboardModifiers modifiers, bool colorWheelShown)
{
    // The keypad flag says where a key sits, not what the user held.
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::NoModifier && colorWheelShown) {
        if (key == Qt::Key_Up)
            return VQMainWindowKeyAction::BrightnessUp;
        if (key == Qt::Key_Down)
            return VQMainWindowKeyAction::BrightnessDown;
    }
    for (const VQMainWindowShortcut &shortcut : VQMainWindowShortcuts())
        if (shortcut.key == key && shortcut.modifiers == held)
            return shortcut.action;
    return VQMainWindowKeyAction::None;
}
