#pragma once
// The keys the main window answers while it has the keyboard focus. Other
// windows (alerts, the organiser, the shortcut recorder) see their keys
// untouched, so Escape still cancels there.

#include <Qt>

enum class VQMainWindowKeyAction {
    None,           // the key goes on to the focused control
    CloseWindow,    // Escape
    BrightnessUp,   // Up, while the colour wheel is shown
    BrightnessDown, // Down, likewise
    Copy,           // Ctrl+C
    CopyAlternate,  // Ctrl+Alt+C
    Paste,          // Ctrl+V
};

VQMainWindowKeyAction VQMainWindowKeyActionFor(int key, Qt::KeyboardModifiers modifiers, bool colorWheelShown);
