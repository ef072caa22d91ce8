#include "ui/pickers/VQColorPicker.h"

#include "ui/pickers/VQCMYKSlidersColorPicker.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "ui/pickers/VQGrayscaleColorPicker.h"
#include "ui/pickers/VQHSBColorPicker.h"
#include "ui/pickers/VQHSBPlaneColorPicker.h"
#include "ui/pickers/VQRGBSlidersColorPicker.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

VQColorPicker::VQColorPicker(VQSwatchCore &core) : _core(core), _color(VQColor::whiteColor()) {}

VQColorPicker::~VQColorPicker()
{
    // Widgets can only go while the application object still exists.
    if (_view && QApplication::instance()) {
        // The controls call back into the picker, whose derived part is gone
        // by now: an edited field commits when deleting the view takes its focus.
        for (QObject *control : _view->findChildren<QObject *>())
            QObject::disconnect(control, nullptr, _view.data(), nullptr);
        delete _view.data();
    }
}

QString VQColorPicker::name() const
{
    return VQLocalizedString(untranslatedName());
}

void VQColorPicker::selectColor(const VQColorRef &color)
{
    if (color && !color->isEqualToColor(*_color))
        _color = color;
}

QWidget *VQColorPicker::view()
{
    if (!_view) {
        _view = makeView();
        // The wheel, the square and the sliders keep their geometry in a
        // right-to-left layout: hue runs as on every wheel, values grow to the right.
        _view->setLayoutDirection(Qt::LeftToRight);
    }
    return _view;
}

// -- the set ----------------------------------------------------------------------

VQColorPickers::VQColorPickers(VQSwatchCore &core, VQUserDefaults &settings) : _core(core), _settings(settings)
{
    // Every picker class, listed once.
    _owned.push_back(std::make_unique<VQCMYKSlidersColorPicker>(core));
    _owned.push_back(std::make_unique<VQHSBPlaneColorPicker>(core));
    _owned.push_back(std::make_unique<VQColorWheelPicker>(core));
    _owned.push_back(std::make_unique<VQGrayscaleColorPicker>(core));
    _owned.push_back(std::make_unique<VQHSBColorPicker>(core));
    _owned.push_back(std::make_unique<VQRGBSlidersColorPicker>(core));
    for (auto &picker : _owned)
        _sorted.push_back(picker.get());
    std::stable_sort(_sorted.begin(), _sorted.end(),
                     [](VQColorPicker *a, VQColorPicker *b) { return a->name() < b->name(); });
}

VQColorPickers::~VQColorPickers() = default;

VQColorPicker *VQColorPickers::pickerNamed(const QString &name) const
{
    for (VQColorPicker *picker : _sorted)
        if (picker->name() == name)
            return picker;
    for (VQColorPicker *picker : _sorted)
        if (QLatin1String(picker->untranslatedName()) == name)
            return picker;
    return nullptr;
}

VQColorPicker *VQColorPickers::rememberedPicker() const
{
    const QString stored = _settings.stringForKey(QString::fromLatin1(VQLastUsedColorPickerNameDefaultsKey));
    VQColorPicker *picker = stored.isEmpty() ? nullptr : pickerNamed(stored);
    if (!picker)
        picker = pickerNamed(QStringLiteral("Color Wheel"));
    if (!picker && !_sorted.empty())
        picker = _sorted.front();
    return picker;
}

VQColorPicker *VQColorPickers::currentColorPicker() const
{
    return _current ? _current : rememberedPicker();
}

void VQColorPickers::selectRememberedPicker()
{
    if (VQColorPicker *picker = rememberedPicker())
        selectColorPickerNamed(QString::fromLatin1(picker->untranslatedName()));
}

bool VQColorPickers::selectColorPickerNamed(const QString &name)
{
    VQColorPicker *picker = pickerNamed(name);
    if (!picker)
        return false;
    _current = picker;
    picker->view();
    picker->selectColor(_core.selectedColor());
    _core.setSelectedColor(_core.selectedColor()->colorUsingColorSpace(picker->colorspace()), true);
    // The English name: a change of interface language keeps the choice.
    _settings.setString(QString::fromLatin1(VQLastUsedColorPickerNameDefaultsKey),
                        QString::fromLatin1(picker->untranslatedName()));
    return true;
}

void VQColorPickers::selectColorPickerOfColorSpace(VQColorSpace space)
{
    for (VQColorPicker *picker : _sorted) {
        if (picker->colorspace() != space)
            continue;
        selectColorPickerNamed(picker->name());
        VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQColorPickerDidForceChangeNotification));
        return;
    }
}

VQColorSpace VQColorPickers::currentColorSpace() const
{
    return currentColorPicker()->colorspace();
}

void VQColorPickers::showColor(const VQColorRef &color)
{
    currentColorPicker()->selectColor(color);
}
