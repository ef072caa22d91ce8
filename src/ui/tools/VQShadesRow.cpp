#include "ui/tools/VQShadesRow.h"

#include "core/VQShades.h"
#include "core/VQSwatchCore.h"
#include "ui/tools/VQSwatchStrip.h"
#include "vqcore/VQLocalizedString.h"

VQShadesRow::VQShadesRow(VQSwatchCore &core, QWidget *parent)
    : VQSwatchToolRow(core, VQLocalizedString("Add as collection"), parent)
{
    setObjectName(QStringLiteral("VQShadesRow"));
    strip()->setAccessibleName(VQLocalizedString("Shades"));
    // Nine cells as wide as the window's row lets them be.
    strip()->setMaximumCellWidth(26);
    selectionChanged();
}

QString VQShadesRow::collectionTitle() const
{
    return _base ? VQShades::collectionTitle(*_base) : QString();
}

void VQShadesRow::selectionChanged()
{
    const VQColorRef selected = core().selectedColor();
    if (!selected) {
        _base = nullptr;
        showColors({}, VQLocalizedString("No color selected"));
        return;
    }
    const QString hex = selected->hexValue();
    for (const VQColorRef &step : allColors())
        if (step->hexValue() == hex)
            return VQSwatchToolRow::selectionChanged();
    _base = selected;
    const VQRGBColor rgb = selected->RGBColor();
    std::vector<VQColorRef> steps;
    for (const VQColorSpaces::Triple &step : VQShades::of({rgb.r, rgb.g, rgb.b}))
        steps.push_back(VQColor::makeRGB(step[0], step[1], step[2]));
    showColors(std::move(steps), QString());
}
