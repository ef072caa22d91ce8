#pragma once
// The base of the six colour pickers and their registry.
//
// A picker owns a view that shows the library's selected colour and, when the
// user moves one of its controls, stores a new colour with
// VQSwatchCore::setSelectedColor(color, false). The library hands colours back
// with selectColor() when a caller asks it to (setSelectedColor(color, true)):
// the registry installs itself as the library's selected-colour sink.
//
// Showing a colour never writes to the library, so the selection does not drift
// although the controls round what they show.

#include "core/VQColor.h"

class VQSelectedColorSink;

#include <QPointer>
#include <QString>

#include <vector>

class QWidget;

inline constexpr const char *VQLastUsedColorPickerNameDefaultsKey = "RZLastUsedColorPickerName";
inline constexpr const char *VQColorPickerDidForceChangeNotification = "VQColorPickerDidForceChangeNotification";

class VQColorPicker
{
  public:
    // The room the main window gives a picker's view, above the selection
    // readout; a view larger than this is cut off there, so every view fits.
    static constexpr int kMaximumViewWidth = 240;
    static constexpr int kMaximumViewHeight = 214;

    virtual ~VQColorPicker();
    VQColorPicker(const VQColorPicker &) = delete;
    VQColorPicker &operator=(const VQColorPicker &) = delete;

    // --- The registry (main thread only) ---

    // One shared instance of every picker, sorted by name (plain text order).
    static const std::vector<VQColorPicker *> &availablePickers();
    // The shared instance of a picker class.
    template <class Picker> static Picker *sharedColorPicker();
    // The picker on show; before any was chosen, the one selectRememberedPicker
    // would choose. Reading it changes nothing.
    static VQColorPicker *currentColorPicker();
    // Chooses the remembered picker, else "Color Wheel", else the first, as
    // selectColorPickerNamed does (the program's start-up).
    static void selectRememberedPicker();
    // Where the library sends a colour to show (VQSwatchCore::setSelectedColorSink):
    // the current picker.
    static VQSelectedColorSink &selectedColorSink();
    // Makes the picker called `name` current (its display name, or the English
    // name it is stored under), gives it the selected colour, converts the
    // selection into its colour space and remembers it. False, changing nothing,
    // for an unknown name.
    static bool selectColorPickerNamed(const QString &name);
    // Switches to the first picker (sorted order) that edits in `space` and posts
    // "VQColorPickerDidForceChangeNotification".
    static void selectColorPickerOfColorSpace(VQColorSpace space);
    // Forgets every picker, its view and the choice (tests).
    static void resetForTesting();

    // --- One picker ---

    // The colour last given to selectColor (white at first).
    const VQColorRef &color() const { return _color; }
    // The colour space in which the picker edits.
    virtual VQColorSpace colorspace() const { return VQColorSpace::RGB; }
    // The English name, which is also the key of its translation and what the
    // registry stores under "RZLastUsedColorPickerName".
    virtual const char *untranslatedName() const = 0;
    // The name shown in the chooser.
    QString name() const;
    // Shows `color` in the controls without storing anything in the library.
    // Overrides call this first.
    virtual void selectColor(const VQColorRef &color);
    // The picker's view, built on first use and kept. The host may reparent it;
    // it stays alive as long as the picker.
    QWidget *view();
    bool isViewLoaded() const { return !_view.isNull(); }

  protected:
    VQColorPicker();
    // Builds the controls; called once, by view().
    virtual QWidget *makeView() = 0;

  private:
    VQColorRef _color;
    QPointer<QWidget> _view;
};

template <class Picker> Picker *VQColorPicker::sharedColorPicker()
{
    for (VQColorPicker *picker : availablePickers())
        if (auto *found = dynamic_cast<Picker *>(picker))
            return found;
    return nullptr;
}
