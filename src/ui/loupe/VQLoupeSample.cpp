#include "ui/loupe/VQLoupeSample.h"

#include "ui/loupe/VQLoupeGeometry.h"
#include "vqcore/VQUserDefaults.h"

int VQLoupeSample::next(int n)
{
    switch (n) {
    case 3:
        return 5;
    case 5:
        return 9;
    case 9:
        return 1;
    default:
        return 3;
    }
}

QString VQLoupeSample::text(int n)
{
    const int size = VQIsSampleSize(n) ? n : 1;
    return QStringLiteral("%1×%1").arg(size);
}

int VQLoupeSample::fromText(const QString &stored)
{
    bool ok = false;
    const int n = stored.trimmed().toInt(&ok);
    return ok && VQIsSampleSize(n) ? n : 1;
}

int VQLoupeSample::remembered()
{
    return fromText(VQUserDefaults::standard().stringForKey(QLatin1String(DefaultsKey)));
}

void VQLoupeSample::remember(int n)
{
    if (!VQIsSampleSize(n))
        return;
    VQUserDefaults &defaults = VQUserDefaults::standard();
    defaults.setInteger(QLatin1String(DefaultsKey), n);
    defaults.synchronize(); // a pick in a process of its own ends right after
}

int VQLoupeSample::chooseNext(int n)
{
    const int chosen = next(n);
    remember(chosen);
    return chosen;
}

int VQLoupeSample::forPick(int asked)
{
    return VQIsSampleSize(asked) ? asked : remembered();
}

QRect VQLoupeSample::cells(QPoint pointer, int n, const QRect &bounds)
{
    const QRect magnified = VQLoupeGeometry::sampleRect(pointer);
    const QRect square = VQSampleSquare(pointer, n, bounds.isNull() ? magnified : bounds.intersected(magnified));
    return square.isEmpty() ? QRect() : square.translated(-magnified.topLeft());
}

VQSampleMean VQLoupeSample::meanOfCells(const QImage &magnified, QPoint pointer, int n, const QRect &bounds)
{
    const QRect square = cells(pointer, n, bounds);
    if (square.isEmpty())
        return {};
    const QPoint centre(VQLoupeGeometry::SampleRadius, VQLoupeGeometry::SampleRadius);
    return VQMeanOfSquare(magnified.copy(square), centre - square.topLeft(), n);
}
