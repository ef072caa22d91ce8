#include "app/VQPickCommand.h"

#include "core/VQColor.h"
#include "vqcore/VQUserDefaults.h"

QString VQPickText(const QColor &color, const VQPickOptions &options)
{
    if (!options.format)
        return color.name(QColor::HexRgb).toUpper();
    const VQColorRef value = VQColor::fromQColor(color);
    if (!value)
        return color.name(QColor::HexRgb).toUpper();
    const bool lowercase = VQUserDefaults::standard().boolForKey(QLatin1String(VQUseLowercaseDefaultsKey));
    return VQCopyText(*value, *options.format, lowercase);
}
