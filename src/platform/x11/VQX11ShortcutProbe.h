#pragma once
// What the shortcut recorder asks the window system while the user records a
// shortcut: whether another program already holds a combination, and the
// keyboard layout the keys are named after. The answers come from a short
// connection of their own, so they never disturb the registered hot key.

#include "platform/VQKeyCombo.h"

#include <QByteArray>

#include <optional>

namespace VQShortcutProbe
{
// True when another program holds `combo` as a global key (the X server
// refuses the grab with BadAccess); false when it is free or no key of the
// keyboard types it; nothing when the question cannot be asked (no X server).
std::optional<bool> isHeldElsewhere(const VQKeyCombo &combo);

// The current keyboard map in xkb's text form (for xkb_keymap_new_from_string),
// empty when there is no X server to ask.
QByteArray currentKeymapText();
} // namespace VQShortcutProbe
