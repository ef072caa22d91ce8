#include "core/VQUserFormats.h"

#include "vqcore/VQUserDefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace
{

using VQColorSpaces::Triple;

// One space of the placeholders: its channels, how each is scaled, and the decimals it has by default.
struct PlaceholderSpace {
    const char *name;
    const char *channels; // one letter a channel
    int decimals;
    Triple (*convert)(const Triple &rgb);
};

Triple toRGB255(const Triple &rgb)
{
    return {rgb[0] * 255, rgb[1] * 255, rgb[2] * 255};
}
Triple identity(const Triple &rgb)
{
    return rgb;
}
Triple toHSL(const Triple &rgb)
{
    const Triple hsl = VQColorSpaces::sRGBToHSL(rgb);
    return {hsl[0], hsl[1] * 100, hsl[2] * 100};
}
Triple toHWB(const Triple &rgb)
{
    const Triple hwb = VQColorSpaces::sRGBToHWB(rgb);
    return {hwb[0], hwb[1] * 100, hwb[2] * 100};
}
Triple toOKLab(const Triple &rgb)
{
    return VQColorSpaces::sRGBToOKLab(rgb);
}
Triple toOKLCH(const Triple &rgb)
{
    return VQColorSpaces::rectangularToPolar(VQColorSpaces::sRGBToOKLab(rgb));
}
Triple toLab(const Triple &rgb)
{
    return VQColorSpaces::XYZD50ToLab(
        VQColorSpaces::XYZD65ToXYZD50(VQColorSpaces::toXYZD65(VQColorSpaces::Space::SRGB, rgb)));
}
Triple toLCH(const Triple &rgb)
{
    return VQColorSpaces::rectangularToPolar(toLab(rgb));
}
Triple toP3(const Triple &rgb)
{
    return VQColorSpaces::fromXYZD65(VQColorSpaces::Space::DisplayP3,
                                     VQColorSpaces::toXYZD65(VQColorSpaces::Space::SRGB, rgb));
}

constexpr PlaceholderSpace kSpaces[] = {
    {"rgb", "rgb", 0, toRGB255}, {"srgb", "rgb", 3, identity}, {"hsl", "hsl", 0, toHSL},
    {"hwb", "hwb", 0, toHWB},    {"oklch", "lch", 4, toOKLCH}, {"oklab", "lab", 4, toOKLab},
    {"lab", "lab", 2, toLab},    {"lch", "lch", 2, toLCH},     {"p3", "rgb", 4, toP3},
};

// `value` with exactly `decimals` decimals, "." for the point, no exponent, no "-0".
QString fixed(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0 || !std::isfinite(rounded))
        rounded = 0;
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, decimals);
    return QString::fromLatin1(text, result.ptr - text);
}

// The text of one placeholder's contents ("oklch.l:4", "HEX"), or nothing.
std::optional<QString> expand(const QString &inside, const Triple &rgb, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (inside == QLatin1String("hex") || inside == QLatin1String("HEX")) {
        QString hex;
        for (double channel : rgb)
            hex += QStringLiteral("%1").arg(int(std::lround(std::clamp(channel, 0.0, 1.0) * 255)), 2, 16,
                                            QLatin1Char('0'));
        return inside == QLatin1String("HEX") ? hex.toUpper() : hex;
    }
    const QString name = inside.section(QLatin1Char(':'), 0, 0);
    const QString space = name.section(QLatin1Char('.'), 0, 0);
    const QString channel = name.section(QLatin1Char('.'), 1);
    for (const PlaceholderSpace &candidate : kSpaces) {
        if (space != QLatin1String(candidate.name))
            continue;
        const int index = channel.size() == 1 ? QString::fromLatin1(candidate.channels).indexOf(channel[0]) : -1;
        if (index < 0)
            return fail(QStringLiteral("{%1}: %2 has the channels %3")
                            .arg(inside, space,
                                 QString::fromLatin1(candidate.channels)
                                     .split(QString(), Qt::SkipEmptyParts)
                                     .join(QStringLiteral(", "))));
        int decimals = candidate.decimals;
        if (inside.contains(QLatin1Char(':'))) {
            bool ok = false;
            decimals = inside.section(QLatin1Char(':'), 1).toInt(&ok);
            if (!ok || decimals < 0 || decimals > 6)
                return fail(QStringLiteral("{%1}: the decimals after \":\" are 0 to 6").arg(inside));
        }
        return fixed(candidate.convert(rgb)[index], decimals);
    }
    return fail(QStringLiteral("{%1} is no placeholder: they are {hex}, {HEX} and {SPACE.CHANNEL} or "
                               "{SPACE.CHANNEL:DECIMALS} with the spaces rgb, srgb, hsl, hwb, oklch, oklab, lab, lch "
                               "and p3")
                    .arg(inside));
}

} // namespace

std::optional<QString> VQUserFormatText(const QString &pattern, const Triple &rgb, QString *error)
{
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && i + 1 < pattern.size() && pattern[i + 1] == c) {
            text += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('}')) {
            if (error)
                *error = QStringLiteral("a \"}\" without its \"{\" (write \"}}\" for the brace)");
            return std::nullopt;
        }
        if (c != QLatin1Char('{')) {
            text += c;
            continue;
        }
        const qsizetype end = pattern.indexOf(QLatin1Char('}'), i + 1);
        if (end < 0) {
            if (error)
                *error = QStringLiteral("a \"{\" without its \"}\" (write \"{{\" for the brace)");
            return std::nullopt;
        }
        const std::optional<QString> expanded = expand(pattern.mid(i + 1, end - i - 1), rgb, error);
        if (!expanded)
            return std::nullopt;
        text += *expanded;
        i = end;
    }
    return text;
}

std::vector<VQUserFormat> VQStoredUserFormats(const VQUserDefaults &defaults)
{
    std::vector<VQUserFormat> formats;
    const QJsonArray array =
        QJsonDocument::fromJson(defaults.stringForKey(QLatin1String(VQUserFormatsDefaultsKey)).toUtf8()).array();
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        const QString name = object.value(QLatin1String("name")).toString().trimmed();
        if (!name.isEmpty())
            formats.push_back({name, object.value(QLatin1String("template")).toString()});
    }
    return formats;
}

void VQStoreUserFormats(VQUserDefaults &defaults, const std::vector<VQUserFormat> &formats)
{
    QJsonArray array;
    for (const VQUserFormat &format : formats)
        array.append(QJsonObject{{QStringLiteral("name"), format.name}, {QStringLiteral("template"), format.pattern}});
    defaults.setString(QLatin1String(VQUserFormatsDefaultsKey),
                       QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}
