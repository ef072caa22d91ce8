// vellico-cli parse TEXT / format TEXT --template N: colour text in and out,
// exactly as the desktop program reads a pasted colour and writes a copied one.
#include "cli/VQCommandLine_p.h"

#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "core/VQJson.h"

#include <QJsonObject>
#include <QLocale>

namespace
{

VQCommandResult notAColour(const QString &text)
{
    return VQCliFailure(QStringLiteral("\"%1\" is not a color. Vellico reads (#)RRGGBB, (#)RGB, the basic HTML color "
                                       "names, rgb(r, g, b), rgba(…), hsl(h, s%, l%) and hsla(…).")
                            .arg(text));
}

// The shortest text that reads back as the same double.
QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The command's one operand: the colour text.
std::optional<QString> colourText(const VQCliOptions &options, VQCommandResult *error)
{
    if (options.positional.size() != 2) {
        *error = VQCliUsageError(
            QStringLiteral("%1 takes one color text (quote it if it has spaces)").arg(options.positional.value(0)));
        return std::nullopt;
    }
    return options.positional[1];
}

} // namespace

VQCommandResult VQCliParse(const VQCliOptions &options)
{
    VQCommandResult result;
    const std::optional<QString> text = colourText(options, &result);
    if (!text)
        return result;
    const VQColorRef color = VQColor::fromRGBString(*text);
    if (!color)
        return notAColour(*text);
    if (options.json()) {
        result.out = QString::fromUtf8(VQJson::print(VQJson::color(*color)));
    } else {
        const VQRGBColor rgb = color->RGBColor();
        result.out = QStringLiteral("%1\tRGB %2 %3 %4\n")
                         .arg(color->hexValue(), shortest(rgb.r), shortest(rgb.g), shortest(rgb.b));
    }
    return result;
}

VQCommandResult VQCliFormat(const VQCliOptions &options)
{
    VQCommandResult result;
    const std::optional<QString> text = colourText(options, &result);
    if (!text)
        return result;
    if (!options.has("template"))
        return VQCliUsageError(QStringLiteral("format needs --template N (0–10)"));
    bool isNumber = false;
    const qint64 raw = options.value("template").toLongLong(&isNumber);
    const std::optional<VQCopyTemplate> format = isNumber ? VQCopyTemplateFromRawValue(raw) : std::nullopt;
    if (!format)
        return VQCliUsageError(
            QStringLiteral("unknown template \"%1\": the templates are 0–10").arg(options.value("template")));
    const VQColorRef color = VQColor::fromRGBString(*text);
    if (!color)
        return notAColour(*text);
    const QString copied = VQCopyText(*color, *format, options.flag("lowercase"));
    if (options.json()) {
        result.out = QString::fromUtf8(VQJson::print(QJsonObject{
            {QStringLiteral("template"), int(*format)},
            {QStringLiteral("text"), copied},
            {QStringLiteral("color"), VQJson::color(*color)},
        }));
    } else {
        result.out = copied + QLatin1Char('\n');
    }
    return result;
}
