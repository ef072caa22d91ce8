#pragma once
// What a key does in a loupe, the same in all three of them:
//
//   Return, keypad Enter   pick the sample around the crosshair: its mean
//   Escape                 cancel
//   arrow keys             move by one device pixel; with Shift by ten
//   S                      sample 1, 3 × 3, 5 × 5, 9 × 9 device pixels, then 1
//                          again (VQLoupeSample; the size chosen is remembered)
//   anything else          nothing
//
// Keys come as xkb keysyms (the X11 grab and the wlroots overlay report
// them); Qt's key codes are turned into keysyms first.

#include <QPoint>

#include <cstdint>

struct VQLoupeCommand {
    // SampleSize: the next size of sample (VQLoupeSample::chooseNext).
    enum class Kind { None, Pick, Cancel, Move, SampleSize };
    Kind kind = Kind::None;
    QPoint delta; // Move: device pixels

    friend bool operator==(const VQLoupeCommand &, const VQLoupeCommand &) = default;
};

// The command for `keysym`, with Shift held or not.
VQLoupeCommand VQLoupeCommandForKey(std::uint32_t keysym, bool shift);
// The keysym of a Qt key the loupes know (Qt::Key_Return, Qt::Key_Left…); 0 for the others.
std::uint32_t VQLoupeKeysymFromQtKey(int qtKey);
