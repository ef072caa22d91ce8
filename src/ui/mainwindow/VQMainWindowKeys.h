#pragma once
// The keys the main window answers while it has the keyboard focus. Other
// windows (alerts, the organiser, the shortcut recorder) see their keys
// untouched, so Escape still cancels there.
//
// VQMainWindowShortcuts() is the one table of these keys: the menus show
// their shortcuts from it, the window runs them, and the shortcut recorder
// refuses them as taken.

#include <QKeySequence>
#include <Qt>

#include <vector>

enum class VQMainWindowKeyAction {
    None,           // the key goes on to the focused control
    CloseWindow,    // Escape
    BrightnessUp,   // Up, while the colour wheel is shown
    BrightnessDown, // Down, likewise
    Copy,           // Ctrl+C
    CopyAlternate,  // Ctrl+Alt+C
    Paste,          // Ctrl+V
    CopyColorName,  // Ctrl+Alt+N (Ctrl+Shift+C stays free: it is a common global shortcut)
    NewCollection,  // Ctrl+N: a new collection holding the selected colour
    FindColor,      // Ctrl+F: the search over the lane
    Preferences,    // Ctrl+,
    Help,           // F1
    Quit,           // Ctrl+Q
    // X: the selection and the contrast row's second colour change places.
    SwapContrastColors,
};

// A command of the window and its keys.
struct VQMainWindowShortcut {
    VQMainWindowKeyAction action;
    const char *title; // the command's English title, as the menus and the recorder's refusals name it
    int key;           // Qt::Key
    Qt::KeyboardModifiers modifiers;
    int keyCode; // the same key as a virtual key code (VQKeyCode), for the recorder

    QKeySequence sequence() const { return QKeySequence(QKeyCombination(modifiers, Qt::Key(key))); }
};

const std::vector<VQMainWindowShortcut> &VQMainWindowShortcuts();
// The keys of `action` for a menu item; empty for a command without keys.
QKeySequence VQMainWindowShortcutFor(VQMainWindowKeyAction action);

VQMainWindowKeyAction VQMainWindowKeyActionFor(int key, Qt::KeyboardModifiers modifiers, bool colorWheelShown);
