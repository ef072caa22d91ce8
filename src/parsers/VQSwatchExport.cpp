#include "parsers/VQSwatchExport.h"

#include "core/VQJson.h"
#include "parsers/VQGPLParser.h"
#include "vqcore/VQFileAccess.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QSet>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace
{

// Names in .ase count their units and the terminating zero in 16 bits.
constexpr qsizetype kLongestASEName = 0xFFFE;
// GIMP shows palettes this many colours wide at most when we choose.
constexpr int kMostColumns = 16;

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

// A channel as a byte: clamped to 0–1, × 255, rounded half up.
int channelByte(double channel)
{
    if (!std::isfinite(channel))
        return 0;
    return int(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
}

std::array<int, 3> rgbBytes(const VQColor &color)
{
    const VQRGBColor rgb = color.RGBColor();
    return {channelByte(rgb.r), channelByte(rgb.g), channelByte(rgb.b)};
}

QString displayTitle(const VQSwatchCollection &collection)
{
    return collection.title().isEmpty() ? QStringLiteral("(untitled)") : collection.title();
}

// -- .gpl ---------------------------------------------------------------------------

QByteArray gimpPalette(const VQSwatchCollection &collection, VQChangedNames &changed)
{
    changed.how = QStringLiteral("a palette row holds no control characters and no blanks at either end of a name, "
                                 "so each run of control characters became one space and blanks at either end were "
                                 "left out (a name of nothing else, whole)");
    // The name as a row holds it, counted when that is not the name itself.
    const auto rowName = [&changed](const QString &name) {
        QString written = VQPaletteRowName(name);
        if (written != name)
            ++changed.count;
        return written;
    };
    const std::vector<VQColorRef> colors = collection.colors();
    QByteArray out = "GIMP Palette\n";
    const QString title = rowName(collection.title());
    if (!title.isEmpty())
        out += "Name: " + title.toUtf8() + '\n';
    out += "Columns: " + QByteArray::number(std::min<qsizetype>(qsizetype(colors.size()), kMostColumns)) + '\n';
    out += "#\n";
    for (const VQColorRef &color : colors) {
        const std::array<int, 3> rgb = rgbBytes(*color);
        char numbers[16];
        std::snprintf(numbers, sizeof numbers, "%3d %3d %3d", rgb[0], rgb[1], rgb[2]);
        out += numbers;
        const QString name = color->storedName() ? rowName(*color->storedName()) : QString();
        if (!name.isEmpty())
            out += '\t' + name.toUtf8();
        out += '\n';
    }
    return out;
}

// -- .ase ---------------------------------------------------------------------------

class BigEndian
{
  public:
    void u16(std::uint32_t v) { _data.append(char(v >> 8 & 0xFF)).append(char(v & 0xFF)); }
    void u32(std::uint32_t v)
    {
        u16(v >> 16);
        u16(v & 0xFFFF);
    }
    void f32(double v) { u32(std::bit_cast<std::uint32_t>(std::isfinite(v) ? float(v) : 0.0f)); }
    // Unit count with the terminating zero, the UTF-16 units, the zero.
    void name(const QString &text)
    {
        u16(std::uint32_t(text.size() + 1));
        for (const QChar c : text)
            u16(c.unicode());
        u16(0);
    }
    void raw(QByteArrayView bytes) { _data.append(bytes); }
    const QByteArray &data() const { return _data; }

  private:
    QByteArray _data;
};

//   block: u16 type, u32 length of the body, body
void block(BigEndian &out, std::uint16_t type, const QByteArray &body)
{
    out.u16(type);
    out.u32(std::uint32_t(body.size()));
    out.raw(body);
}

std::optional<QByteArray> swatchExchange(const std::vector<VQSwatchCollectionRef> &collections, QString *error)
{
    const auto tooLong = [&](const VQSwatchCollection &collection, const QString &what) {
        setError(error, QStringLiteral("%1 in \"%2\" is longer than the %3 characters .ase allows.")
                            .arg(what, displayTitle(collection))
                            .arg(kLongestASEName));
        return std::nullopt;
    };
    BigEndian blocks;
    std::uint32_t count = 0;
    for (const VQSwatchCollectionRef &collection : collections) {
        if (collection->title().size() > kLongestASEName)
            return tooLong(*collection, QStringLiteral("The title"));
        BigEndian group;
        group.name(collection->title());
        block(blocks, 0xC001, group.data());
        ++count;
        for (const VQColorRef &color : collection->colors()) {
            const QString name = color->storedName().value_or(QString());
            if (name.size() > kLongestASEName)
                return tooLong(*collection, QStringLiteral("A color's name"));
            BigEndian entry;
            entry.name(name);
            const bool cmyk = color->colorSpace() == VQColorSpace::CMYK;
            entry.raw(cmyk ? "CMYK" : "RGB ");
            for (int i = 0; i < (cmyk ? 4 : 3); ++i)
                entry.f32(color->components()[std::size_t(i)]);
            entry.u16(2); // a normal colour: neither global nor spot
            block(blocks, 0x0001, entry.data());
            ++count;
        }
        block(blocks, 0xC002, {});
        ++count;
    }
    BigEndian out;
    out.raw("ASEF");
    out.u16(1);
    out.u16(0);
    out.u32(count);
    out.raw(blocks.data());
    return out.data();
}

// -- .css ---------------------------------------------------------------------------

// A title in a comment, every character kept: backslash, '*', '<', U+2028,
// U+2029 and the control characters (line breaks among them) as CSS escapes,
// a backslash, the code in hexadecimal and one space ("\3C " for '<'). The
// comment can then neither end early ("*/") nor close or open anything of an
// HTML page it is pasted into ("</style", "<!--"), and it stays one line.
QString commentText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool escape =
            u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029 || u == '\\' || u == '*' || u == '<';
        if (escape)
            out += QLatin1Char('\\') + QString::number(u, 16).toUpper() + QLatin1Char(' ');
        else
            out += c;
    }
    return out;
}

QByteArray customProperties(const std::vector<VQSwatchCollectionRef> &collections)
{
    QSet<QString> taken;
    const auto unique = [&taken](const QString &base) {
        QString name = base;
        for (int n = 2; taken.contains(name); ++n)
            name = base + QLatin1Char('-') + QString::number(n);
        taken.insert(name);
        return name;
    };
    QByteArray out = ":root {\n";
    for (const VQSwatchCollectionRef &collection : collections) {
        QString title = VQCSSIdentifier(collection->title());
        if (title.isEmpty())
            title = QStringLiteral("collection");
        out += "    /* " + commentText(collection->title()).toUtf8() + " */\n";
        const std::vector<VQColorRef> colors = collection->colors();
        for (std::size_t i = 0; i < colors.size(); ++i) {
            QString name = colors[i]->storedName() ? VQCSSIdentifier(*colors[i]->storedName()) : QString();
            if (name.isEmpty())
                name = QStringLiteral("color-%1").arg(i + 1);
            const std::array<int, 3> rgb = rgbBytes(*colors[i]);
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
            out += "    --" + unique(title + QLatin1Char('-') + name).toUtf8() + ": " + hex + ";\n";
        }
    }
    return out + "}\n";
}

} // namespace

QString VQCSSIdentifier(const QString &text)
{
    QString out;
    bool separator = false;
    const QString lower = text.toLower();
    for (const QChar c : lower) {
        const bool keep = (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_'))) ||
                          (c.unicode() >= 0x80 && c.isLetterOrNumber());
        if (!keep) {
            separator = true;
            continue;
        }
        if (separator && !out.isEmpty())
            out += QLatin1Char('-');
        separator = false;
        out += c;
    }
    return out;
}

std::optional<VQExportFormat> VQExportFormatNamed(const QString &name)
{
    const qsizetype index = VQExportExtensions().indexOf(name.toLower());
    if (index < 0)
        return std::nullopt;
    return VQExportFormat(index);
}

std::optional<VQExportFormat> VQExportFormatForPath(const QString &path)
{
    return VQExportFormatNamed(QFileInfo(path).suffix());
}

QStringList VQExportExtensions()
{
    return {QStringLiteral("gpl"), QStringLiteral("ase"), QStringLiteral("css"), QStringLiteral("json")};
}

bool VQExportFormatIsText(VQExportFormat format)
{
    return format != VQExportFormat::ASE;
}

std::optional<QByteArray> VQExportCollections(const std::vector<VQSwatchCollectionRef> &collections,
                                              VQExportFormat format, QString *error, VQChangedNames *changed)
{
    VQChangedNames none;
    VQChangedNames &names = changed ? *changed : none;
    names = {};
    if (collections.empty()) {
        setError(error, QStringLiteral("There are no collections to export."));
        return std::nullopt;
    }
    switch (format) {
    case VQExportFormat::GPL:
        if (collections.size() > 1) {
            setError(error, QStringLiteral("A GIMP palette holds one collection, and %1 were chosen: export them one "
                                           "at a time, or together as .ase or .json.")
                                .arg(collections.size()));
            return std::nullopt;
        }
        return gimpPalette(*collections.front(), names);
    case VQExportFormat::ASE:
        return swatchExchange(collections, error);
    case VQExportFormat::CSS:
        return customProperties(collections);
    case VQExportFormat::JSON: {
        QJsonArray array;
        for (const VQSwatchCollectionRef &collection : collections)
            array.append(VQJson::collection(*collection));
        return VQJson::print(array);
    }
    }
    return std::nullopt;
}

bool VQWriteExport(const std::vector<VQSwatchCollectionRef> &collections, VQExportFormat format, const QString &path,
                   QString *error, VQChangedNames *changed)
{
    QString reason;
    const std::optional<QByteArray> bytes = VQExportCollections(collections, format, &reason, changed);
    if (!bytes) {
        setError(error, reason);
        return false;
    }
    if (!VQReplaceFileAtomically(path, *bytes, &reason)) {
        setError(error, QStringLiteral("Could not write %1: %2.").arg(path, reason));
        return false;
    }
    return true;
}
