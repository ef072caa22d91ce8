#include "ui/tools/VQContrastSummary.h"

#include "vqcore/VQLocalizedString.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace
{

double channel(double value)
{
    return std::clamp(std::isfinite(value) ? value : 0.0, 0.0, 1.0);
}

VQColorSpaces::Triple triple(const VQRGBColor &color)
{
    return {channel(color.r), channel(color.g), channel(color.b)};
}

// The colour at 8 bits a channel, as "#RRGGBB" writes it.
VQRGBColor rounded(const VQRGBColor &color)
{
    const auto byte = [](double value) { return std::round(channel(value) * 255.0) / 255.0; };
    return {byte(color.r), byte(color.g), byte(color.b)};
}

QString hexOf(const VQRGBColor &color)
{
    const VQRGBColor bytes = rounded(color);
    return QStringLiteral("#%1%2%3")
        .arg(int(std::lround(bytes.r * 255)), 2, 16, QLatin1Char('0'))
        .arg(int(std::lround(bytes.g * 255)), 2, 16, QLatin1Char('0'))
        .arg(int(std::lround(bytes.b * 255)), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString passText(bool passes)
{
    return passes ? VQLocalizedString("passes") : VQLocalizedString("fails");
}

} // namespace

VQRGBColor VQContrastSummary::againstFromStored(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = hex.match(text.trimmed());
    if (!match.hasMatch())
        return VQRGBColor::whiteColor();
    const uint value = match.captured(1).toUInt(nullptr, 16);
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

VQContrastSummary::VQContrastSummary(const VQRGBColor &selected, const VQRGBColor &against)
    : _selected(selected), _against(rounded(against))
{
}

void VQContrastSummary::setAgainst(const VQRGBColor &color)
{
    _against = rounded(color);
}

void VQContrastSummary::swap()
{
    const VQRGBColor selected = _selected;
    _selected = _against;
    _against = rounded(selected);
}

QString VQContrastSummary::selectedHex() const
{
    return hexOf(_selected);
}

QString VQContrastSummary::againstHex() const
{
    return hexOf(_against);
}

double VQContrastSummary::ratio() const
{
    return VQContrast::ratio(triple(_selected), triple(_against));
}

QString VQContrastSummary::ratioText() const
{
    return QString::fromStdString(VQContrast::ratioText(ratio()));
}

QString VQContrastSummary::ratioToolTip() const
{
    return VQLocalizedString("Contrast ratio of %1 and %2 (WCAG 2.2): %3")
        .arg(selectedHex(), againstHex(), ratioText());
}

std::array<VQContrastSummary::Badge, 4> VQContrastSummary::badges() const
{
    const VQContrast::Grades grades = VQContrast::grades(ratio());
    struct Row {
        const char *label;
        bool large;
        bool passes;
        const char *needs;
    };
    const Row rows[4] = {
        {"AA", false, grades.aaNormal, "4.5:1"},
        {"AAA", false, grades.aaaNormal, "7:1"},
        {"AA", true, grades.aaLarge, "3:1"},
        {"AAA", true, grades.aaaLarge, "4.5:1"},
    };
    std::array<Badge, 4> badges;
    for (int i = 0; i < 4; ++i) {
        const Row &row = rows[i];
        const QString text = row.large ? VQLocalizedString("large text") : VQLocalizedString("normal text");
        badges[size_t(i)] = {
            QString::fromLatin1(row.label), row.large, row.passes,
            VQLocalizedString("%1 %2: %3 (needs %4)")
                .arg(QString::fromLatin1(row.label), text, passText(row.passes), QString::fromLatin1(row.needs))};
    }
    return badges;
}

QString VQContrastSummary::lightnessContrastText() const
{
    const double lc = VQContrast::apcaLightnessContrast(triple(_selected), triple(_against));
    // No "-0" for a contrast that rounds to nothing.
    const long rounded = std::lround(lc);
    return QStringLiteral("Lc %1").arg(rounded == 0 ? 0 : rounded);
}

QString VQContrastSummary::lightnessContrastToolTip() const
{
    const double lc = VQContrast::apcaLightnessContrast(triple(_selected), triple(_against));
    return VQLocalizedString("APCA lightness contrast of %1 as text on %2: Lc %3")
        .arg(selectedHex(), againstHex(), QString::number(std::abs(lc) < 0.05 ? 0.0 : lc, 'f', 1));
}

bool VQContrastSummary::passes() const
{
    return VQContrast::grades(ratio()).aaNormal;
}

std::optional<VQRGBColor> VQContrastSummary::nearestPassing() const
{
    if (passes())
        return std::nullopt;
    const VQColorSpaces::Triple nearest = VQContrast::nearestPassingColor(triple(_selected), triple(_against));
    return rounded({nearest[0], nearest[1], nearest[2]});
}

QString VQContrastSummary::nearestToolTip() const
{
    const std::optional<VQRGBColor> nearest = nearestPassing();
    if (!nearest)
        return VQLocalizedString("Passes AA for normal text on %1").arg(againstHex());
    const VQContrastSummary passing(*nearest, _against);
    return VQLocalizedString("Nearest color that passes AA for normal text on %1: %2 (%3); click to select it")
        .arg(againstHex(), hexOf(*nearest), passing.ratioText());
}

QString VQContrastSummary::text() const
{
    QStringList parts;
    parts << VQLocalizedString("%1 on %2: %3").arg(selectedHex(), againstHex(), ratioText());
    for (const Badge &badge : badges())
        parts << badge.toolTip;
    parts << QStringLiteral("APCA ") + lightnessContrastText();
    if (const std::optional<VQRGBColor> nearest = nearestPassing())
        parts << VQLocalizedString("nearest passing AA: %1").arg(hexOf(*nearest));
    return parts.join(QStringLiteral("; "));
}

VQContrastChoices VQContrastChoices::make(const QStringList &recent,
                                          const std::vector<VQSwatchCollectionRef> &collections)
{
    VQContrastChoices choices;
    choices.recent.title = VQLocalizedString("Recent Colors");
    for (const QString &text : recent) {
        const VQColorRef color = VQColor::fromHexString(text);
        if (!color)
            continue;
        if (int(choices.recent.entries.size()) < kRecentLimit)
            choices.recent.entries.push_back({color->hexValue(), color->hexValue()});
        else
            ++choices.recent.more;
    }
    for (const VQSwatchCollectionRef &collection : collections) {
        const std::vector<VQColorRef> colors = collection->colors();
        if (colors.empty())
            continue;
        if (int(choices.collections.size()) >= kCollectionLimit) {
            ++choices.moreCollections;
            continue;
        }
        Group group;
        group.title = collection->title().isEmpty() ? VQLocalizedString("Untitled Collection") : collection->title();
        for (const VQColorRef &color : colors) {
            if (int(group.entries.size()) >= kColorsPerCollection) {
                ++group.more;
                continue;
            }
            const QString hex = hexOf(color->RGBColor());
            const QString label =
                color->hasStoredName() && !color->name().isEmpty() ? color->name() + QStringLiteral("  ") + hex : hex;
            group.entries.push_back({hex, label});
        }
        choices.collections.push_back(std::move(group));
    }
    return choices;
}
