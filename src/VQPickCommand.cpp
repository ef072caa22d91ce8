#include "VQPickCommand.h"

#include "core/VQColor.h"
#include "ui/loupe/VQMagnifierLoupe.h"
#include "vqcore/VQUserDefaults.h"

#include <QTextStream>

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

int VQPickCommand(VQPlatform &platform, const VQPickOptions &options, QTextStream &out,
                  const std::function<void(const QColor &)> &picked)
{
    const std::optional<QColor> color = VQMagnifierLoupe::selectColor(platform);
    if (!color)
        return 1;
    out << VQPickText(*color, options) << '\n';
    out.flush();
    if (picked)
        picked(*color);
    return 0;
}
