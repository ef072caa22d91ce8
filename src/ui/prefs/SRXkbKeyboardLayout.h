#pragma once
// Key characters from an xkb keymap: the keymap of the X server's keyboard in
// the program, or one compiled from layout names (no display needed).

#include "ui/prefs/SRCommon.h"

#include <QString>

#include <memory>

struct xkb_keymap;

class SRXkbKeyboardLayout : public SRKeyboardLayout
{
  public:
    // Takes a reference of its own on `keymap`.
    explicit SRXkbKeyboardLayout(xkb_keymap *keymap);
    ~SRXkbKeyboardLayout() override;

    // Compiles the keymap of a layout ("us", "de", "fr" with the "pc105"
    // model and the "evdev" rules; empty for xkb's default layout); null when
    // xkb does not know it.
    static std::unique_ptr<SRXkbKeyboardLayout> fromNames(const QString &layout, const QString &variant = {});
    // Compiles a keymap from its text form; null when it does not compile.
    static std::unique_ptr<SRXkbKeyboardLayout> fromText(const QByteArray &keymapText);

    // The key's character when some key of the keymap types its symbol
    // without modifiers or with Shift (with NumLock on, for the keypad), in
    // any of the keymap's layouts. Symbols that need AltGr or another layout
    // key cannot be held as a shortcut, so they have none.
    std::optional<QString> characterForKeyCode(int keyCode) const override;

  private:
    xkb_keymap *_keymap;
};
