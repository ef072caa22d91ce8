#include "VQParsersTestSupport.h"

#include "VQLog.h"

namespace {
QStringList gLines;
void recordLine(const QString &line) { gLines.append(line); }
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

QStringList &VQParserTest::logLines() { return gLines; }

int VQParserTest::logLinesContaining(const QString &text)
{
    int count = 0;
    for (const QString &line : gLines)
        count += line.contains(text);
    return count;
}

QString VQDescribeCollections(const std::optional<std::vector<VQSwatchCollectionRef>> &collections)
{
    if (!collections)
        return QStringLiteral("(no list)");
    QStringList parts;
    for (const VQSwatchCollectionRef &collection : *collections) {
        QStringList colors;
        for (const VQColorRef &color : collection->colors()) {
            const QString value = color->colorSpace() == VQColorSpace::CMYK
                                      ? QStringLiteral("cmyk(%1,%2,%3,%4)")
                                            .arg(color->component1())
                                            .arg(color->component2())
                                            .arg(color->component3())
                                            .arg(color->component4())
                                      : color->hexValue();
            colors << (color->hasStoredName() ? color->name() + QLatin1Char('=') : QString()) + value;
        }
        parts << collection->title() + QStringLiteral(": ") + colors.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral(" | "));
}
