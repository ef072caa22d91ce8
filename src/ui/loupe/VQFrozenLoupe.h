#pragma once
// The loupe over a frozen screen, for wlroots compositors (sway, river,
// Hyprland…), where no program may read the screen live or grab the input:
// every output is captured once and shown again, unchanged, on a surface of
// ours over it, and the loupe runs on those surfaces.
//
//   pointer                       the crosshair and the magnifier follow it
//   click, Return, keypad Enter   take the pixel under the crosshair from the capture
//   arrow keys                    move the crosshair by one device pixel (Shift: ten),
//                                 across outputs where one continues
//   Escape, the keyboard taken    cancel
//   elsewhere
//
// An output added or removed, or the compositor closing a surface, ends the
// run with that reason. The surfaces are gone when selectColor returns,
// whatever ended the run.

#include <QColor>
#include <QString>

#include <optional>

class VQFrozenLoupe
{
  public:
    // The picked color; nothing when the user canceled or the run failed
    // (then `failure`, when given, says why in one line), or when another
    // frozen loupe runs.
    static std::optional<QColor> selectColor(QString *failure = nullptr);
    static bool isRunning();
};
