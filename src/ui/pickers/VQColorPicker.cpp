#include "ui/pickers/VQColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQCMYKSlidersColorPicker.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "ui/pickers/VQGrayscaleColorPicker.h"
#include "ui/pickers/VQHSBColorPicker.h"
#include "ui/pickers/VQHSBPlaneColorPicker.h"
#include "ui/pickers/VQRGBSlidersColorPicker.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace
{
// Every picker class, listed once. A class joins the program by being added here
// (a static self-registration would be dropped by the linker from a static library).
std::vector<std::unique_ptr<VQColorPicker>> makeAllPickers()
{
    std::vector<std::unique_ptr<VQColorPicker>> pickers;
    pickers.push_back(std::make_unique<VQCMYKSlidersColorPicker>());
    pickers.push_back(std::make_unique<VQHSBPlaneColorPicker>());
    pickers.push_back(std::make_unique<VQColorWheelPicker>());
    pickers.push_back(std::make_unique<VQGrayscaleColorPicker>());
    pickers.push_back(std::make_unique<VQHSBColorPicker>());
    pickers.push_back(std::make_unique<VQRGBSlidersColorPicker>());
    return pickers;
}

// The library reaches the current picker through this.
class PickerSink final : public VQSelectedColorSink
{
  public:
    VQColorSpace currentColorSpace() const override { return VQColorPicker::currentColorPicker()->colorspace(); }
    void showColor(const VQColorRef &color) override { VQColorPicker::currentColorPicker()->selectColor(color); }
};

struct Registry {
    std::vector<std::unique_ptr<VQColorPicker>> owned;
    std::vector<VQColorPicker *> sorted;
    VQColorPicker *current = nullptr;
    PickerSink sink;
};

// Made on first use and kept to the end of the process: the pickers' views are
// widgets, which must not outlive the application object at exit.
Registry *gRegistry = nullptr;

Registry &registry()
{
    if (!gRegistry) {
        gRegistry = new Registry;
        gRegistry->owned = makeAllPickers();
        for (auto &picker : gRegistry->owned)
            gRegistry->sorted.push_back(picker.get());
        std::stable_sort(gRegistry->sorted.begin(), gRegistry->sorted.end(),
                         [](VQColorPicker *a, VQColorPicker *b) { return a->name() < b->name(); });
    }
    return *gRegistry;
}

VQColorPicker *pickerNamed(const QString &name)
{
    const auto &pickers = registry().sorted;
    for (VQColorPicker *picker : pickers)
        if (picker->name() == name)
            return picker;
    for (VQColorPicker *picker : pickers)
        if (QLatin1String(picker->untranslatedName()) == name)
            return picker;
    return nullptr;
}
} // namespace

VQColorPicker::VQColorPicker() : _color(VQColor::whiteColor()) {}

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
    if (!_view)
        _view = makeView();
    return _view;
}

const std::vector<VQColorPicker *> &VQColorPicker::availablePickers()
{
    return registry().sorted;
}

bool VQColorPicker::selectColorPickerNamed(const QString &name)
{
    VQColorPicker *picker = pickerNamed(name);
    if (!picker)
        return false;
    registry().current = picker;
    picker->view();
    if (VQSwatchCore *core = VQSwatchCore::sharedCore()) {
        picker->selectColor(core->selectedColor());
        core->setSelectedColor(core->selectedColor()->colorUsingColorSpace(picker->colorspace()), true);
    }
    // The English name: a change of interface language keeps the choice.
    VQUserDefaults::standard().setString(QString::fromLatin1(VQLastUsedColorPickerNameDefaultsKey),
                                         QString::fromLatin1(picker->untranslatedName()));
    return true;
}

namespace
{
// The remembered picker, else "Color Wheel", else the first.
VQColorPicker *rememberedPicker()
{
    const QString stored =
        VQUserDefaults::standard().stringForKey(QString::fromLatin1(VQLastUsedColorPickerNameDefaultsKey));
    VQColorPicker *picker = stored.isEmpty() ? nullptr : pickerNamed(stored);
    if (!picker)
        picker = pickerNamed(QStringLiteral("Color Wheel"));
    if (!picker && !registry().sorted.empty())
        picker = registry().sorted.front();
    return picker;
}
} // namespace

VQColorPicker *VQColorPicker::currentColorPicker()
{
    Registry &reg = registry();
    return reg.current ? reg.current : rememberedPicker();
}

void VQColorPicker::selectRememberedPicker()
{
    if (VQColorPicker *picker = rememberedPicker())
        selectColorPickerNamed(QString::fromLatin1(picker->untranslatedName()));
}

VQSelectedColorSink &VQColorPicker::selectedColorSink()
{
    return registry().sink;
}

void VQColorPicker::selectColorPickerOfColorSpace(VQColorSpace space)
{
    for (VQColorPicker *picker : availablePickers()) {
        if (picker->colorspace() != space)
            continue;
        selectColorPickerNamed(picker->name());
        VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQColorPickerDidForceChangeNotification));
        return;
    }
}

void VQColorPicker::resetForTesting()
{
    if (!gRegistry)
        return;
    delete gRegistry;
    gRegistry = nullptr;
}
