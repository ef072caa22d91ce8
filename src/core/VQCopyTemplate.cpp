#include "core/VQCopyTemplate.h"

#include "core/VQCSSColor.h"
#include "core/VQPasteboard.h"
#include "core/VQUserFormats.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace
{

// channel × scale truncated toward zero; far-out values saturate instead of
// overflowing the conversion, NaN counts as 0.
long long truncated(double channel, double scale)
{
    const double value = std::trunc(channel * scale);
    if (std::isnan(value))
        return 0;
    if (value >= double(LLONG_MAX))
        return LLONG_MAX;
    if (value <= double(LLONG_MIN))
        return LLONG_MIN;
    return static_cast<long long>(value);
}

QString integer(double channel, double scale)
{
    return QString::number(truncated(channel, scale));
}

// printf's %0.3f, without the locale: the decimal separator is always ".".
QString fixed3(double value)
{
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return QString::fromLatin1(text, result.ptr - text);
}

// A double as the platform prints one by default: %0.15g, plus ".0" when the
// result has no decimal point, exponent or "n" (nan, inf).
QString defaultDouble(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    QString printed = QString::fromLatin1(text, result.ptr - text);
    if (!printed.contains(QLatin1Char('.')) && !printed.contains(QLatin1Char('e')) &&
        !printed.contains(QLatin1Char('n')))
        printed += QLatin1String(".0");
    return printed;
}

// The source-code formats 6–9: a grey colour has a constructor of its own.
struct SourceFormat {
    const char *rgb;
    const char *grey;
};
constexpr SourceFormat kSourceFormats[] = {
    {"[NSColor colorWithDeviceRed:%1 green:%2 blue:%3 alpha:1.0]", "[NSColor colorWithDeviceWhite:%1 alpha:1.0]"},
    {"[NSColor colorWithCalibratedRed:%1 green:%2 blue:%3 alpha:1.0]",
     "[NSColor colorWithCalibratedWhite:%1 alpha:1.0]"},
    {"CGColorCreateGenericRGB(%1, %2, %3, 1.0)", "CGColorCreateGenericGray(%1, 1.0)"},
    {"[UIColor colorWithRed:%1 green:%2 blue:%3 alpha:1.0]", "[UIColor colorWithWhite:%1 alpha:1.0]"},
};

QString triple(const QString &open, const QString &a, const QString &b, const QString &c, const QString &close)
{
    return open + a + QLatin1String(", ") + b + QLatin1String(", ") + c + close;
}

// By raw value.
constexpr const char *kTemplateNames[VQCopyTemplateCount] = {
    "hex-bare", "hex",   "rgb255", "rgb1", "rgb", "rgba", "nscolor-device", "nscolor-calibrated", "cgcolor", "uicolor",
    "hsla",     "oklch", "oklab",  "lab",  "lch", "hwb",  "display-p3",
};

} // namespace

std::optional<VQCopyTemplate> VQCopyTemplateFromRawValue(std::int64_t raw)
{
    if (raw >= 0 && raw < VQCopyTemplateCount)
        return VQCopyTemplate(raw);
    // The user formats' numbers; the settings are read only for such a number.
    if (raw < VQUserFormatFirstRawValue || raw >= VQUserFormatFirstRawValue + 10000)
        return std::nullopt;
    if (raw >= VQUserFormatFirstRawValue + std::int64_t(VQStoredUserFormats(VQUserDefaults::standard()).size()))
        return std::nullopt;
    return VQCopyTemplate(raw);
}

QString VQCopyTemplateName(VQCopyTemplate format)
{
    if (int(format) >= 0 && int(format) < VQCopyTemplateCount)
        return QString::fromLatin1(kTemplateNames[int(format)]);
    const std::vector<VQUserFormat> formats = VQStoredUserFormats(VQUserDefaults::standard());
    const std::size_t index = std::size_t(int(format) - VQUserFormatFirstRawValue);
    return index < formats.size() ? formats[index].name : QString();
}

std::optional<VQCopyTemplate> VQCopyTemplateFromName(const QString &name)
{
    for (int raw = 0; raw < VQCopyTemplateCount; ++raw) {
        if (name.compare(QLatin1String(kTemplateNames[raw]), Qt::CaseInsensitive) == 0)
            return VQCopyTemplate(raw);
    }
    // A user format by its name; the built-in names come first.
    const std::vector<VQUserFormat> formats = VQStoredUserFormats(VQUserDefaults::standard());
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (name.compare(formats[i].name, Qt::CaseInsensitive) == 0)
            return VQCopyTemplate(VQUserFormatFirstRawValue + int(i));
    }
    return std::nullopt;
}

QString VQCopyText(const VQColor &color, VQCopyTemplate format, bool lowercase)
{
    const VQRGBColor rgb = color.RGBColor();
    if (int(format) >= VQUserFormatFirstRawValue) {
        // A user format: its template decides the case; one that is not valid (or gone) copies nothing.
        const std::vector<VQUserFormat> formats = VQStoredUserFormats(VQUserDefaults::standard());
        const std::size_t index = std::size_t(int(format) - VQUserFormatFirstRawValue);
        if (index >= formats.size())
            return QString();
        return VQUserFormatText(formats[index].pattern, {rgb.r, rgb.g, rgb.b}).value_or(QString());
    }
    const bool grey = color.isGrayscale();
    const QString R = integer(rgb.r, 255), G = integer(rgb.g, 255), B = integer(rgb.b, 255);
    const QString r3 = fixed3(rgb.r), g3 = fixed3(rgb.g), b3 = fixed3(rgb.b);

    QString text;
    switch (format) {
    case VQCopyTemplate::HexRGBWithoutHash:
        text = color.hexValue().mid(1);
        break;
    case VQCopyTemplate::HexRGBWithHash:
        text = color.hexValue();
        break;
    case VQCopyTemplate::RGB255:
        text = triple(QStringLiteral("("), R, G, B, QStringLiteral(")"));
        break;
    case VQCopyTemplate::RGB1:
        text = triple(QStringLiteral("("), defaultDouble(rgb.r), defaultDouble(rgb.g), defaultDouble(rgb.b),
                      QStringLiteral(")"));
        break;
    case VQCopyTemplate::CSS3RGB:
        text = triple(QStringLiteral("rgb("), R, G, B, QStringLiteral(")"));
        break;
    case VQCopyTemplate::CSS3RGBA:
        text = triple(QStringLiteral("rgba("), R, G, B, QStringLiteral(", 1)"));
        break;
    case VQCopyTemplate::NSColorDevice:
    case VQCopyTemplate::NSColorCalibrated:
    case VQCopyTemplate::CGColorRef:
    case VQCopyTemplate::UIColor: {
        const SourceFormat &source = kSourceFormats[int(format) - int(VQCopyTemplate::NSColorDevice)];
        text = grey ? QString::fromLatin1(source.grey).arg(r3) : QString::fromLatin1(source.rgb).arg(r3, g3, b3);
        break;
    }
    case VQCopyTemplate::CSS3HSLA: {
        const VQHSLColor hsl = rgb.toHSL();
        text = QLatin1String("hsla(") + integer(hsl.h, 360) + QLatin1String(", ") + integer(hsl.s, 100) +
               QLatin1String("%, ") + integer(hsl.l, 100) + QLatin1String("%, 1.0)");
        break;
    }
    case VQCopyTemplate::OKLCH:
    case VQCopyTemplate::OKLab:
    case VQCopyTemplate::Lab:
    case VQCopyTemplate::LCH:
    case VQCopyTemplate::HWB:
    case VQCopyTemplate::DisplayP3: {
        char written[VQCSSColor::kMaxWrittenLength];
        const auto notation = VQCSSColor::Notation(int(format) - int(VQCopyTemplate::OKLCH));
        text = QString::fromLatin1(written, qsizetype(VQCSSColor::write(notation, {rgb.r, rgb.g, rgb.b}, written)));
        break;
    }
    }
    if (lowercase && int(format) < 6)
        text = text.toLower();
    return text;
}

void VQColor::writeToPasteboardWithTemplate(VQCopyTemplate format) const
{
    const bool lowercase = VQUserDefaults::standard().boolForKey(QLatin1String(VQUseLowercaseDefaultsKey));
    VQPasteboard::general().setString(VQCopyText(*this, format, lowercase));
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQColorWasCopiedNotification), this);
}

std::int64_t VQAlternateCopyFormatPartner(std::int64_t copyType)
{
    if (copyType == VQCopyTemplateCount - 1 && copyType % 2 == 0)
        return copyType - 1; // the last format, alone in its pair
    return copyType % 2 != 0 ? copyType - 1 : copyType + 1;
}

std::int64_t VQStoredAlternateCopyFormat(const VQUserDefaults &defaults)
{
    const QString alternate = QString::fromLatin1(VQAlternateCopyFormatDefaultsKey);
    bool isNumber = false;
    const std::int64_t stored = defaults.stringForKey(alternate).trimmed().toLongLong(&isNumber);
    if (defaults.hasKey(alternate) && isNumber)
        return stored;
    return VQAlternateCopyFormatPartner(defaults.integerForKey(QString::fromLatin1(VQDefaultCopyFormatDefaultsKey)));
}
