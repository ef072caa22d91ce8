#include "ui/accessibility/VQAccessibleText.h"

#include "core/VQColor.h"
#include "core/VQColorNames.h"
#include "vqcore/VQLocalizedString.h"

#include <cmath>

namespace
{
long long percentOf(double fraction)
{
    return std::llround(fraction * 100);
}

long long degreesOf(double turns)
{
    return std::llround(turns * 360) % 360;
}
} // namespace

namespace VQAccessibleText
{

QString component(const QString &name, double value, Unit unit)
{
    switch (unit) {
    case Unit::Degrees:
        return VQLocalizedString("%1 %2°").arg(name, QString::number(degreesOf(value / 360)));
    case Unit::Percent:
        return VQLocalizedString("%1 %2%").arg(name, QString::number(percentOf(value)));
    case Unit::Whole:
        break;
    }
    return VQLocalizedString("%1 %2").arg(name, QString::number(std::llround(value)));
}

QString wheel(double hue, double saturation)
{
    return VQLocalizedString("Hue %1°, saturation %2%").arg(degreesOf(hue)).arg(percentOf(saturation));
}

QString brightness(double value)
{
    return VQLocalizedString("Brightness %1%").arg(percentOf(value));
}

QString saturationBrightness(double saturation, double brightness)
{
    return VQLocalizedString("Saturation %1%, brightness %2%").arg(percentOf(saturation)).arg(percentOf(brightness));
}

QString color(const VQColor &color, const VQColorNames &names)
{
    QString value = color.hexValue();
    if (color.colorSpace() == VQColorSpace::CMYK) {
        const VQCMYKColor cmyk = color.CMYKColor();
        value = VQLocalizedString("cyan %1%, magenta %2%, yellow %3%, black %4%")
                    .arg(percentOf(cmyk.c))
                    .arg(percentOf(cmyk.m))
                    .arg(percentOf(cmyk.y))
                    .arg(percentOf(cmyk.k));
    }
    const VQRGBColor rgb = color.RGBColor();
    const VQColorNames::Match match = names.nearest({rgb.r, rgb.g, rgb.b});
    if (match.name.isEmpty())
        return VQLocalizedString("Color %1").arg(value);
    return (match.exact ? VQLocalizedString("Color %1, %2") : VQLocalizedString("Color %1, close to %2"))
        .arg(value, match.name);
}

QString noColor()
{
    return VQLocalizedString("No color selected");
}

QString collection(const QString &title, int count)
{
    return VQLocalizedString("%1, %n color(s)", count).arg(title);
}

QString swatch(const QString &label, int index, int count)
{
    return VQLocalizedString("%1 (%2 of %3)").arg(label, QString::number(index + 1), QString::number(count));
}

QString loupe(const QString &colorText, const QString &sampleSize)
{
    return VQLocalizedString("%1, sample %2").arg(colorText, sampleSize);
}

} // namespace VQAccessibleText
