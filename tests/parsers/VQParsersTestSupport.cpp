#include "VQParsersTestSupport.h"

#include "vqcore/VQLog.h"

#include <QStringList>

#include <algorithm>

namespace
{
QStringList gLines;
void recordLine(const QString &line)
{
    gLines.append(line);
}
} // namespace

void VQParserTest::SetUp()
{
    VQLibraryTest::SetUp();
    gLines.clear();
    VQDebugLog::setLoggingEnabled(true);
    VQDebugLog::setSink(recordLine);
}

void VQParserTest::TearDown()
{
    VQDebugLog::setSink(nullptr);
    VQDebugLog::setLoggingEnabled(false);
    VQLibraryTest::TearDown();
}

int VQParserTest::logLinesContaining(const QString &text)
{
    return int(std::count_if(gLines.cbegin(), gLines.cend(), [&](const QString &line) { return line.contains(text); }));
}

QString VQDescribeColor(const VQColorRef &color)
{
    if (color->colorSpace() != VQColorSpace::CMYK)
        return color->hexValue();
    return QStringLiteral("cmyk(%1,%2,%3,%4)")
        .arg(color->component1())
        .arg(color->component2())
        .arg(color->component3())
        .arg(color->component4());
}

QString VQDescribeCollections(const std::optional<std::vector<VQSwatchCollectionRef>> &collections)
{
    if (!collections)
        return QStringLiteral("(no list)");
    QStringList parts;
    for (const VQSwatchCollectionRef &collection : *collections) {
        QStringList colors;
        for (const VQColorRef &color : collection->colors())
            colors << (color->hasStoredName() ? color->name() + QLatin1Char('=') : QString()) + VQDescribeColor(color);
        parts << collection->title() + QStringLiteral(": ") + colors.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral(" | "));
}
