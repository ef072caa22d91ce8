#pragma once
// The one colour value of the program. A colour keeps four components in RGB
// (the fourth is always 0) or CMYK, all doubles nominally 0–1 and never
// clamped, plus a name, an identifier and a modification time. Components and
// colour space never change after construction; name, identifier and date do.
// Colours are shared by reference (VQColorRef).

#include "vqcore/VQPropertyList.h"

class VQPlistSink;

#include <QColor>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

enum class VQColorSpace : int { RGB = 0, CMYK = 1 };

// Nothing for raw values other than 0 and 1.
std::optional<VQColorSpace> VQColorSpaceFromRawValue(std::int64_t raw);
// "RGB" or "CMYK".
QString VQColorSpaceName(VQColorSpace space);

struct VQCMYKColor;
struct VQHSVColor;
struct VQHSLColor;

// Red, green, blue, 0–1.
struct VQRGBColor {
    double r = 0, g = 0, b = 0;
    static VQRGBColor whiteColor() { return {1, 1, 1}; }
    VQCMYKColor toCMYK() const;
    VQHSVColor toHSV() const;
    VQHSLColor toHSL() const;
    friend bool operator==(const VQRGBColor &, const VQRGBColor &) = default;
};

// Hue as a fraction of a turn (0 <= h < 1 as produced here), saturation, value.
struct VQHSVColor {
    double h = 0, s = 0, v = 0;
    VQRGBColor toRGB() const;
    friend bool operator==(const VQHSVColor &, const VQHSVColor &) = default;
};

// Hue as a fraction of a turn, saturation, lightness.
struct VQHSLColor {
    double h = 0, s = 0, l = 0;
    VQRGBColor toRGB() const;
    friend bool operator==(const VQHSLColor &, const VQHSLColor &) = default;
};

// Cyan, magenta, yellow, black, 0–1.
struct VQCMYKColor {
    double c = 0, m = 0, y = 0, k = 0;
    VQRGBColor toRGB() const;
    friend bool operator==(const VQCMYKColor &, const VQCMYKColor &) = default;
};

enum class VQCopyTemplate : int; // VQCopyTemplate.h

class VQColor;
using VQColorRef = std::shared_ptr<VQColor>;

class VQColor : public std::enable_shared_from_this<VQColor>
{
  public:
    // Every constructor gives the colour a fresh identifier (a unique time stamp),
    // modification date 0 and no name.
    static VQColorRef makeRGB(double red, double green, double blue);
    static VQColorRef makeRGB(const VQRGBColor &rgb);
    static VQColorRef makeCMYK(double cyan, double magenta, double yellow, double black);
    static VQColorRef makeCMYK(const VQCMYKColor &cmyk);
    // Hue as a fraction of a turn; converted to RGB.
    static VQColorRef makeHSB(double hue, double saturation, double brightness);
    // From a Qt colour: RGB, HSV and HSL specs become RGB, CMYK stays CMYK; alpha is ignored.
    // Nothing for an invalid colour.
    static VQColorRef fromQColor(const QColor &color);
    static VQColorRef whiteColor();
    // Six hexadecimal digits with or without a leading "#"; the text must be 6 or
    // 7 user-perceived characters long. Nothing otherwise.
    static VQColorRef fromHexString(const QString &text);
    // Any colour text a user may type or paste: (#)RRGGBB, (#)RGB, a basic HTML
    // colour name as a prefix of the text, CSS rgb()/rgba() or hsl()/hsla().
    // Nothing when the text is none of these. Values are not clamped.
    static VQColorRef fromRGBString(const QString &text);
    // From the dictionary form. A colour space other than 0 or 1 is read as RGB.
    static VQColorRef fromDictionary(VQPlistNode dictionary);

    std::uint64_t colorID() const { return _colorID; }
    void setColorID(std::uint64_t id) { _colorID = id; }
    std::uint64_t modificationDate() const { return _modificationDate; }
    void setModificationDate(std::uint64_t date) { _modificationDate = date; }
    void updateModificationDate();

    VQColorSpace colorSpace() const { return _colorSpace; }
    double component1() const { return _components[0]; }
    double component2() const { return _components[1]; }
    double component3() const { return _components[2]; }
    double component4() const { return _components[3]; }
    const std::array<double, 4> &components() const { return _components; }

    // The stored name, or hexValue when there is none.
    QString name() const;
    // Stores the name and stamps the modification date.
    void setName(const QString &name);
    bool hasStoredName() const { return _name.has_value(); }
    const std::optional<QString> &storedName() const { return _name; }

    // "#RRGGBB", upper case, channels rounded half away from zero.
    QString hexValue() const;
    VQRGBColor RGBColor() const;
    VQCMYKColor CMYKColor() const;
    bool isGrayscale() const;
    bool isWhitish() const;

    // The colour as Qt draws it: device RGB or CMYK, alpha 1.
    QColor screenColor() const;
    // RGB colours only; a CMYK colour is a programming error (VQAbstractMethodException).
    QColor calibratedColorForDrawing() const;
    // A 24 × 24 image: the colour in a rounded rectangle with an "rgb" or "cmyk"
    // badge, its edge in `outline` (the frame colour of where it is shown).
    QImage swatch(qreal devicePixelRatio = 1.0, const QColor &outline = QColor(0, 0, 0, 128)) const;

    // Copies the colour as text in `format` (VQCopyTemplate.h).
    void writeToPasteboardWithTemplate(VQCopyTemplate format) const;

    VQPlist dictionaryRepresentation() const;
    // The same dictionary, as events (the library streams these straight to its file).
    void writeDictionary(VQPlistSink &sink) const;

    // Same object when `space` is this colour's own; otherwise a new colour
    // (fresh identifier, date 0, no name).
    VQColorRef colorUsingColorSpace(VQColorSpace space);

    // Space, components exactly, name (hex for unnamed) and identifier; the date takes no part.
    bool isEqualToColor(const VQColor &other) const;

  private:
    VQColor(VQColorSpace space, const std::array<double, 4> &components);
    // With a known identifier: reading the dictionary form must not draw (and so
    // use up) a fresh identifier for every colour it restores.
    VQColor(VQColorSpace space, const std::array<double, 4> &components, std::uint64_t colorID);
    // One allocation for the colour and its reference count.
    template <class... Args> static VQColorRef create(Args &&...args);

    std::uint64_t _colorID = 0;
    std::uint64_t _modificationDate = 0;
    std::array<double, 4> _components{};
    std::optional<QString> _name;
    VQColorSpace _colorSpace = VQColorSpace::RGB;
};

// A fixed order of two colours' contents (colour space, components, stored
// name), the same on every computer: negative, 0 or positive as `a` comes
// before, with or after `b`. Identifier and dates take no part. Merging uses
// it to settle a tie between two versions changed in the same second.
int VQColorContentOrder(const VQColor &a, const VQColor &b);

// Keys of the dictionary form.
inline constexpr const char *VQColorSpaceKey = "RZColorSpace";
inline constexpr const char *VQColorComponent1Key = "RZComponent1";
inline constexpr const char *VQColorComponent2Key = "RZComponent2";
inline constexpr const char *VQColorComponent3Key = "RZComponent3";
inline constexpr const char *VQColorComponent4Key = "RZComponent4";
inline constexpr const char *VQColorIDKey = "RZColorID";
inline constexpr const char *VQColorModificationDateKey = "RZModificationDate";
inline constexpr const char *VQColorNameKey = "RZName";
