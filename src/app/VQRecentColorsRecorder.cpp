#include "app/VQRecentColorsRecorder.h"

#include "app/VQPickController.h"
#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQNotificationCenter.h"

VQRecentColorsRecorder::VQRecentColorsRecorder(VQPickController &picks, QString path, QObject *parent)
    : QObject(parent), _colors(std::move(path))
{
    // A damaged file is set aside and said so in the log; the list starts again.
    _colors.load();
    connect(&picks, &VQPickController::finished, this, [this](const VQPickOutcome &outcome) {
        if (outcome.kind == VQPickOutcome::Kind::Picked)
            record(outcome.color.name(QColor::HexRgb));
    });
    _copyObserver = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQColorWasCopiedNotification), nullptr, [this](const VQNotification &notification) {
            if (notification.object)
                record(static_cast<const VQColor *>(notification.object)->hexValue());
        });
}

VQRecentColorsRecorder::~VQRecentColorsRecorder()
{
    VQNotificationCenter::defaultCenter().removeObserver(_copyObserver);
}

void VQRecentColorsRecorder::record(const QString &hex)
{
    QString error;
    if (_colors.add(hex) && !_colors.save(&error))
        VQLog(QStringLiteral("The recent colours could not be saved: %1").arg(error));
}
