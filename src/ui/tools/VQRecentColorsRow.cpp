#include "ui/tools/VQRecentColorsRow.h"

#include "ui/tools/VQSwatchStrip.h"
#include "vqcore/VQLocalizedString.h"

VQRecentColorsRow::VQRecentColorsRow(VQSwatchCore &core, QWidget *parent)
    : VQSwatchToolRow(core, VQLocalizedString("Save the recent colors as a collection"), parent)
{
    setObjectName(QStringLiteral("VQRecentColorsRow"));
    strip()->setAccessibleName(VQLocalizedString("Recent colors"));
    setFittingCellWidth(kCellWidth);
    setRecentColors({});
}

void VQRecentColorsRow::setRecentColors(const QStringList &colors)
{
    std::vector<VQColorRef> shown;
    for (const QString &hex : colors)
        if (const VQColorRef color = VQColor::fromHexString(hex))
            shown.push_back(color);
    showColors(std::move(shown), VQLocalizedString("No recent colors yet"));
}

QString VQRecentColorsRow::collectionTitle() const
{
    return VQLocalizedString("Recent Colors");
}
