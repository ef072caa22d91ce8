#include "core/VQColor.h"

#include "vqcore/VQPlistWriter.h"

#include "vqcore/VQClock.h"
#include "vqcore/VQException.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <climits>
#include <compare>
#include <cmath>
#include <cstdio>

// The badges live in the static library's resource file, which a static
// library has to register by hand. Q_INIT_RESOURCE declares its init function
// at block scope, so it must be called from a function in the global namespace.
static void VQInitCoreResources()
{
    Q_INIT_RESOURCE(core);
}

namespace
{

// Size of a swatch in points, and the corner radius of its rounded rectangle.
constexpr qreal kSwatchSide = 24.0;
constexpr qreal kSwatchCornerRadius = 3.0;
// Where the "rgb"/"cmyk" badge goes, in points: its lower left corner 5 from
// the left and 16 up from the bottom, which puts it near the top left.
constexpr qreal kBadgeLeft = 5.0;
constexpr qreal kBadgeBottomUp = 16.0;
// The badge images hold twice as many pixels as they cover points, so they stay
// sharp on a 2× screen (see scripts/make-swatch-badges.sh).
constexpr qreal kBadgeScale = 2.0;

struct Badges {
    QImage rgb;
    QImage cmyk;
};

// Loaded once; a missing image stays null and is then simply not drawn.
const Badges &badges()
{
    static const Badges loaded = [] {
        VQInitCoreResources();
        Badges b{QImage(QStringLiteral(":/images/rgb")), QImage(QStringLiteral(":/images/cmyk"))};
        for (QImage *image : {&b.rgb, &b.cmyk})
            if (!image->isNull())
                image->setDevicePixelRatio(kBadgeScale);
        return b;
    }();
    return loaded;
}

// A channel for drawing only: Qt refuses or warns about floats outside 0–1,
// and a NaN must not reach its integer conversions. Stored values are never clamped.
float drawable(double value)
{
    if (!(value > 0.0)) // also NaN
        return 0.0f;
    return value < 1.0 ? float(value) : 1.0f;
}

// channel × 255, rounded half away from zero, as the int the hex text prints.
// Values far outside 0–1 saturate instead of overflowing the conversion.
int hexByte(double channel)
{
    const double scaled = std::round(channel * 255.0);
    if (std::isnan(scaled))
        return 0;
    if (scaled >= double(INT_MAX))
        return INT_MAX;
    if (scaled <= double(INT_MIN))
        return INT_MIN;
    return int(scaled);
}

} // namespace

// --- colour spaces ----------------------------------------------------------

std::optional<VQColorSpace> VQColorSpaceFromRawValue(std::int64_t raw)
{
    switch (raw) {
    case 0:
        return VQColorSpace::RGB;
    case 1:
        return VQColorSpace::CMYK;
    default:
        return std::nullopt;
    }
}

QString VQColorSpaceName(VQColorSpace space)
{
    return space == VQColorSpace::CMYK ? QStringLiteral("CMYK") : QStringLiteral("RGB");
}

// --- component records --------------------------------------------------------

// Plain subtraction of the grey part; the chromatic parts are not divided by (1 − k).
VQCMYKColor VQRGBColor::toCMYK() const
{
    const double k = std::min({1.0 - r, 1.0 - g, 1.0 - b});
    return {1.0 - r - k, 1.0 - g - k, 1.0 - b - k, k};
}

// The inverse of toCMYK, with a floor at 0 for each channel.
VQRGBColor VQCMYKColor::toRGB() const
{
    const auto channel = [this](double ink) { return ink + k < 1.0 ? 1.0 - (ink + k) : 0.0; };
    return {channel(c), channel(m), channel(y)};
}

// Hue in degrees first, then as a fraction of a turn (0 <= h < 1).
VQHSVColor VQRGBColor::toHSV() const
{
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;
    if (delta == 0.0)
        return {0.0, 0.0, max};

    const double dR = (max - r) * 60.0 / delta + 180.0;
    const double dG = (max - g) * 60.0 / delta + 180.0;
    const double dB = (max - b) * 60.0 / delta + 180.0;
    double hue;
    // Exact comparisons, red before green: red wins a tie, then green.
    if (r == max)
        hue = dB - dG;
    else if (g == max)
        hue = 120.0 + dR - dB;
    else
        hue = 240.0 + dG - dR;
    if (hue < 0.0)
        hue += 360.0;
    if (hue >= 360.0)
        hue -= 360.0;
    return {hue / 360.0, delta / max, max};
}

VQRGBColor VQHSVColor::toRGB() const
{
    if (s == 0.0)
        return {v, v, v};

    const double x = h * 360.0 / 60.0;
    const double i = std::floor(x);
    const double f = x - i;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - f * s);
    const double t = v * (1.0 - (1.0 - f) * s);

    // The hue wraps: a hue of exactly 1.0 (sector 6, which pickers can hand
    // us at the end of their range) is sector 0, the same red as a hue of 0.
    // Hues beyond either end wrap the same way rather than piling into one sector.
    double sector = std::fmod(i, 6.0);
    if (sector < 0.0)
        sector += 6.0;
    switch (std::isfinite(sector) ? int(sector) : 0) {
    case 0:
        return {v, t, p};
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    default:
        return {v, p, q};
    }
}

VQHSLColor VQRGBColor::toHSL() const
{
    // The extra 1.0 and 0.0 bound the extremes to the unit range.
    const double min = std::min({r, g, b, 1.0});
    const double max = std::max({r, g, b, 0.0});
    const double l = (max + min) / 2.0;
    const double delta = max - min;
    // Greys within a tolerance count as neutral.
    if (std::fabs(delta) < 0.001)
        return {0.0, 0.0, l};

    const double s = l < 0.5 ? delta / (max + min) : delta / (2.0 - max - min);
    double hue;
    // Exact comparisons, red before green.
    if (r == max)
        hue = (g - b) / delta;
    else if (g == max)
        hue = 2.0 + (b - r) / delta;
    else
        hue = 4.0 + (r - g) / delta;
    hue *= 60.0;
    if (hue < 0.0)
        hue += 360.0;
    return {hue / 360.0, s, l};
}

// The hue-to-channel method of CSS colours.
VQRGBColor VQHSLColor::toRGB() const
{
    if (s == 0.0)
        return {l, l, l};

    const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double p = 2.0 * l - q;
    const auto channel = [p, q](double t) {
        if (t < 0.0)
            t += 1.0;
        else if (t > 1.0)
            t -= 1.0;
        if (6.0 * t < 1.0)
            return p + (q - p) * 6.0 * t;
        if (2.0 * t < 1.0)
            return q;
        if (3.0 * t < 2.0)
            return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
        return p;
    };
    return {channel(h + 1.0 / 3.0), channel(h), channel(h - 1.0 / 3.0)};
}

// --- construction ---------------------------------------------------------------

template <class... Args> VQColorRef VQColor::create(Args &&...args)
{
    // make_shared needs a public constructor; this local class lends it ours.
    struct Shared : VQColor {
        explicit Shared(Args &&...a) : VQColor(std::forward<Args>(a)...) {}
    };
    return std::make_shared<Shared>(std::forward<Args>(args)...);
}

VQColor::VQColor(VQColorSpace space, const std::array<double, 4> &components)
    : VQColor(space, components, VQUniqueTimestamp::colorIDs().next())
{
}

VQColor::VQColor(VQColorSpace space, const std::array<double, 4> &components, std::uint64_t colorID)
    : _colorID(colorID), _components(components), _colorSpace(space)
{
}

VQColorRef VQColor::makeRGB(double red, double green, double blue)
{
    return create(VQColorSpace::RGB, std::array<double, 4>{red, green, blue, 0.0});
}

VQColorRef VQColor::makeRGB(const VQRGBColor &rgb)
{
    return makeRGB(rgb.r, rgb.g, rgb.b);
}

VQColorRef VQColor::makeCMYK(double cyan, double magenta, double yellow, double black)
{
    return create(VQColorSpace::CMYK, std::array<double, 4>{cyan, magenta, yellow, black});
}

VQColorRef VQColor::makeCMYK(const VQCMYKColor &cmyk)
{
    return makeCMYK(cmyk.c, cmyk.m, cmyk.y, cmyk.k);
}

VQColorRef VQColor::makeHSB(double hue, double saturation, double brightness)
{
    return makeRGB(VQHSVColor{hue, saturation, brightness}.toRGB());
}

VQColorRef VQColor::fromQColor(const QColor &color)
{
    if (!color.isValid())
        return nullptr;
    // QColor's equality includes its colour model, so a colour equals its own
    // conversion exactly when it is already held in that model.
    if (color == color.toCmyk()) {
        float c = 0, m = 0, y = 0, k = 0;
        color.getCmykF(&c, &m, &y, &k);
        return makeCMYK(c, m, y, k);
    }
    if (color == color.toExtendedRgb()) {
        // toRgb() would clamp these to 0–1; the extended values are kept as they are.
        return makeRGB(color.redF(), color.greenF(), color.blueF());
    }
    const QColor rgb = color.toRgb();
    return makeRGB(rgb.redF(), rgb.greenF(), rgb.blueF());
}

VQColorRef VQColor::whiteColor()
{
    return makeRGB(VQRGBColor::whiteColor());
}

// Called once per colour when a library loads, so every key is looked up
// once and nothing is allocated beyond the colour and its name.
VQColorRef VQColor::fromDictionary(VQPlistNode dictionary)
{
    // Missing or not a number: RGB. Any number other than 0 or 1 also reads as
    // RGB, so that one odd record does not cost the rest of the library.
    VQColorSpace space = VQColorSpace::RGB;
    if (const auto raw = dictionary[VQColorSpaceKey].toUInt64())
        space = VQColorSpaceFromRawValue(std::int64_t(*raw)).value_or(VQColorSpace::RGB);

    const auto component = [&dictionary](const char *key) { return dictionary[key].toDouble().value_or(0.0); };
    std::array<double, 4> components{component(VQColorComponent1Key), component(VQColorComponent2Key),
                                     component(VQColorComponent3Key), 0.0};
    // An RGB colour's fourth slot is always 0, whatever the record says.
    if (space == VQColorSpace::CMYK)
        components[3] = component(VQColorComponent4Key);

    // A stored identifier is taken as it is. A fresh one is drawn only when the
    // record has none: every draw within the same second moves the identifier
    // counter one second further, which a large library would push far ahead.
    const auto storedID = dictionary[VQColorIDKey].toUInt64();
    VQColorRef color = storedID ? create(space, components, *storedID) : create(space, components);

    // A stored date wins; a name without one is dated "now", as setName dates it.
    const auto date = dictionary[VQColorModificationDateKey].toUInt64();
    if (auto name = dictionary[VQColorNameKey].toString()) {
        color->_name = std::move(*name);
        if (!date)
            color->updateModificationDate();
    }
    if (date)
        color->_modificationDate = *date;
    return color;
}

// --- properties -----------------------------------------------------------------

void VQColor::updateModificationDate()
{
    _modificationDate = VQClock::now();
}

QString VQColor::name() const
{
    return _name ? *_name : hexValue();
}

void VQColor::setName(const QString &name)
{
    _name = name;
    updateModificationDate();
}

QString VQColor::hexValue() const
{
    const VQRGBColor rgb = RGBColor();
    // As printf prints an int with %X: a negative channel shows its two's complement.
    char text[32];
    const int length = std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(hexByte(rgb.r)),
                                     unsigned(hexByte(rgb.g)), unsigned(hexByte(rgb.b)));
    return QString::fromLatin1(text, std::clamp(length, 0, int(sizeof text) - 1));
}

VQRGBColor VQColor::RGBColor() const
{
    if (_colorSpace == VQColorSpace::CMYK)
        return VQCMYKColor{_components[0], _components[1], _components[2], _components[3]}.toRGB();
    return {_components[0], _components[1], _components[2]};
}

VQCMYKColor VQColor::CMYKColor() const
{
    if (_colorSpace == VQColorSpace::CMYK)
        return {_components[0], _components[1], _components[2], _components[3]};
    return RGBColor().toCMYK();
}

bool VQColor::isGrayscale() const
{
    const VQRGBColor c = RGBColor();
    return std::fabs(c.r - c.g) < 0.005 && std::fabs(c.r - c.b) < 0.005 && std::fabs(c.g - c.b) < 0.005;
}

bool VQColor::isWhitish() const
{
    const VQRGBColor c = RGBColor();
    return std::fabs(c.r - c.g) < 0.05 && std::fabs(c.r - c.b) < 0.05 && std::fabs(c.g - c.b) < 0.05 && c.r > 0.8;
}

// --- drawing ----------------------------------------------------------------------

QColor VQColor::screenColor() const
{
    const auto &v = _components;
    if (_colorSpace == VQColorSpace::CMYK)
        return QColor::fromCmykF(drawable(v[0]), drawable(v[1]), drawable(v[2]), drawable(v[3]), 1.0f);
    return QColor::fromRgbF(drawable(v[0]), drawable(v[1]), drawable(v[2]), 1.0f);
}

QColor VQColor::calibratedColorForDrawing() const
{
    if (_colorSpace != VQColorSpace::RGB)
        VQ_THROW_ABSTRACT("calibratedColorForDrawing");
    return QColor::fromRgbF(drawable(_components[0]), drawable(_components[1]), drawable(_components[2]), 1.0f);
}

QImage VQColor::swatch(qreal devicePixelRatio, const QColor &outline) const
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int pixels = std::max(1, int(std::lround(kSwatchSide * ratio)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, kSwatchSide, kSwatchSide), kSwatchCornerRadius, kSwatchCornerRadius);
    painter.fillPath(shape, screenColor());

    // The outline lies inside the shape: a 1-point pen centred on the shape
    // inset by half a point (radius 3 − 0.5) covers exactly its inner edge.
    constexpr qreal lineWidth = 1.0;
    constexpr qreal inset = lineWidth / 2;
    QPainterPath edge;
    edge.addRoundedRect(QRectF(inset, inset, kSwatchSide - lineWidth, kSwatchSide - lineWidth),
                        kSwatchCornerRadius - inset, kSwatchCornerRadius - inset);
    painter.strokePath(edge, QPen(outline, lineWidth));

    const QImage &badge = _colorSpace == VQColorSpace::CMYK ? badges().cmyk : badges().rgb;
    if (!badge.isNull()) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        const qreal badgeHeight = badge.height() / badge.devicePixelRatio();
        painter.drawImage(QPointF(kBadgeLeft, kSwatchSide - kBadgeBottomUp - badgeHeight), badge);
    }
    painter.end();
    return image;
}

// --- dictionary form, conversion, equality ---------------------------------------

void VQColor::writeDictionary(VQPlistSink &sink) const
{
    sink.beginDictionary();
    sink.key(VQColorSpaceKey);
    sink.integer(std::uint64_t(static_cast<int>(_colorSpace)));
    sink.key(VQColorComponent1Key);
    sink.real(_components[0]);
    sink.key(VQColorComponent2Key);
    sink.real(_components[1]);
    sink.key(VQColorComponent3Key);
    sink.real(_components[2]);
    sink.key(VQColorComponent4Key);
    sink.real(_components[3]);
    sink.key(VQColorIDKey);
    sink.integer(_colorID);
    sink.key(VQColorModificationDateKey);
    sink.integer(_modificationDate);
    // An unnamed colour is written under its hex text, which then reads back as its name.
    sink.key(VQColorNameKey);
    sink.string(name());
    sink.endDictionary();
}

VQPlist VQColor::dictionaryRepresentation() const
{
    VQPlistTreeBuilder builder;
    writeDictionary(builder);
    return builder.take();
}

VQColorRef VQColor::colorUsingColorSpace(VQColorSpace space)
{
    if (space == _colorSpace)
        return shared_from_this();
    if (space == VQColorSpace::CMYK)
        return makeCMYK(CMYKColor());
    return makeRGB(RGBColor());
}

bool VQColor::isEqualToColor(const VQColor &other) const
{
    if (this == &other)
        return true;
    if (_colorSpace != other._colorSpace)
        return false;
    for (std::size_t i = 0; i < _components.size(); ++i)
        if (_components[i] != other._components[i])
            return false;
    if (name() != other.name())
        return false;
    return _colorID == other._colorID;
}

int VQColorContentOrder(const VQColor &a, const VQColor &b)
{
    if (a.colorSpace() != b.colorSpace())
        return int(a.colorSpace()) < int(b.colorSpace()) ? -1 : 1;
    for (std::size_t i = 0; i < a.components().size(); ++i) {
        // IEEE total order: also NaNs and signed zeros are ordered one way.
        const auto order = std::strong_order(a.components()[i], b.components()[i]);
        if (order != 0)
            return order < 0 ? -1 : 1;
    }
    const std::optional<QString> &na = a.storedName(), &nb = b.storedName();
    if (na.has_value() != nb.has_value())
        return na.has_value() ? 1 : -1;
    if (!na)
        return 0;
    const int names = QString::compare(*na, *nb, Qt::CaseSensitive);
    return names < 0 ? -1 : names > 0 ? 1 : 0;
}
