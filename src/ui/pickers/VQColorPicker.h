#pragma once
// The base of the six colour pickers, and the set of them one window shows.
//
// A picker owns a view that shows the library's selected colour and, when the
// user moves one of its controls, stores a new colour with
// VQSwatchCore::setSelectedColor(color, false) on the core it was made for.
// The library hands colours back with selectColor() when a caller asks it to
// (setSelectedColor(color, true)): the owner of the core installs the pickers
// (VQColorPickers) as the library's selected-colour sink.
//
// Showing a colour never writes to the library, so the selection does not drift
// although the controls round what they show.

#include "core/VQColor.h"
#include "core/VQSwatchCore.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QWidget;
class VQUserDefaults;

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

    // The colour last given to selectColor (white at first).
    const VQColorRef &color() const { return _color; }
    // The colour space in which the picker edits.
    virtual VQColorSpace colorspace() const { return VQColorSpace::RGB; }
    // The English name, which is also the key of its translation and what the
    // set stores under "RZLastUsedColorPickerName".
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
    // The library whose selection the picker edits.
    VQSwatchCore &core() const { return _core; }

  protected:
    // `core` outlives the picker.
    explicit VQColorPicker(VQSwatchCore &core);
    // Builds the controls; called once, by view().
    virtual QWidget *makeView() = 0;

  private:
    VQSwatchCore &_core;
    VQColorRef _color;
    QPointer<QWidget> _view;
};

// One of every picker over one library, the one on show, and where the library
// sends a colour to show (VQSwatchCore::setSelectedColorSink). Main thread only.
class VQColorPickers final : public VQSelectedColorSink
{
  public:
    // `core` and `settings` (where the choice is remembered) outlive the set.
    VQColorPickers(VQSwatchCore &core, VQUserDefaults &settings);
    ~VQColorPickers() override;
    VQColorPickers(const VQColorPickers &) = delete;
    VQColorPickers &operator=(const VQColorPickers &) = delete;

    // Every picker, sorted by name (plain text order).
    const std::vector<VQColorPicker *> &availablePickers() const { return _sorted; }
    // The picker of a class.
    template <class Picker> Picker *colorPicker() const;
    // The picker on show; before any was chosen, the one selectRememberedPicker
    // would choose. Reading it changes nothing.
    VQColorPicker *currentColorPicker() const;
    // Chooses the remembered picker, else "Color Wheel", else the first, as
    // selectColorPickerNamed does (the program's start-up).
    void selectRememberedPicker();
    // Makes the picker called `name` current (its display name, or the English
    // name it is stored under), gives it the selected colour, converts the
    // selection into its colour space and remembers it. False, changing nothing,
    // for an unknown name.
    bool selectColorPickerNamed(const QString &name);
    // Switches to the first picker (sorted order) that edits in `space` and posts
    // "VQColorPickerDidForceChangeNotification".
    void selectColorPickerOfColorSpace(VQColorSpace space);

    VQColorSpace currentColorSpace() const override;
    void showColor(const VQColorRef &color) override;

  private:
    VQColorPicker *pickerNamed(const QString &name) const;
    VQColorPicker *rememberedPicker() const;

    VQSwatchCore &_core;
    VQUserDefaults &_settings;
    std::vector<std::unique_ptr<VQColorPicker>> _owned;
    std::vector<VQColorPicker *> _sorted;
    VQColorPicker *_current = nullptr;
};

template <class Picker> Picker *VQColorPickers::colorPicker() const
{
    for (VQColorPicker *picker : _sorted)
        if (auto *found = dynamic_cast<Picker *>(picker))
            return found;
    return nullptr;
}
