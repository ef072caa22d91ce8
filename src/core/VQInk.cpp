#include "core/VQInk.h"

#include "core/VQContrast.h"

namespace
{

VQColorSpaces::Triple triple(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF()};
}

QColor opaqueOver(const QColor &color, const QColor &background)
{
    const QColor top = color.toRgb(), under = background.toRgb();
    const double alpha = top.alphaF();
    const auto blend = [alpha](double a, double b) { return a * alpha + b * (1 - alpha); };
    return QColor::fromRgbF(float(blend(top.redF(), under.redF())), float(blend(top.greenF(), under.greenF())),
                            float(blend(top.blueF(), under.blueF())));
}

} // namespace

namespace VQInk
{

bool isHighContrast(const QPalette &palette)
{
    return VQContrast::ratio(triple(palette.color(QPalette::WindowText)), triple(palette.color(QPalette::Window))) >=
           kHighContrastRatio;
}

QColor legible(const QColor &color, const QColor &background, double minimumRatio)
{
    const VQColorSpaces::Triple passing =
        VQContrast::nearestPassingColor(triple(opaqueOver(color, background)), triple(background), minimumRatio);
    return QColor::fromRgbF(float(passing[0]), float(passing[1]), float(passing[2]));
}

QColor frame(const QPalette &palette, const QColor &background)
{
    return legible(palette.color(isHighContrast(palette) ? QPalette::WindowText : QPalette::Mid), background);
}

QColor ring(const QPalette &palette, const QColor &background)
{
    return legible(palette.color(QPalette::Highlight), background);
}

QColor hint(const QPalette &palette, const QColor &background)
{
    return legible(palette.color(isHighContrast(palette) ? QPalette::WindowText : QPalette::PlaceholderText),
                   background, kTextRatio);
}

QColor icon(const QPalette &palette, const QColor &background)
{
    return legible(palette.color(QPalette::ButtonText), background);
}

qreal frameWidth(const QPalette &palette)
{
    return isHighContrast(palette) ? 2 : 1;
}

qreal ringWidth(const QPalette &palette)
{
    return isHighContrast(palette) ? 3 : 2;
}

QColor markOn(const QColor &color)
{
    const VQColorSpaces::Triple under = triple(color);
    return VQContrast::ratio({0, 0, 0}, under) >= VQContrast::ratio({1, 1, 1}, under) ? QColor(Qt::black)
                                                                                      : QColor(Qt::white);
}

} // namespace VQInk
