#include "app/VQRecentColorsRecorder.h"

#include "app/VQPickController.h"
#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "ui/prefs/VQSwatchPreferencesController.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQNotificationCenter.h"
#include "vqcore/VQUserDefaults.h"

VQRecentColorsRecorder::VQRecentColorsRecorder(VQPickController &picks, QString path, QObject *parent)
    : QObject(parent), _colors(std::move(path))
{
    // A damaged file is set aside and said so in the log; the list starts again.
    _colors.load();
    _colors.applySettings(VQUserDefaults::standard());
    connect(&picks, &VQPickController::finished, this, [this](const VQPickOutcome &outcome) {
        if (outcome.kind == VQPickOutcome::Kind::Picked)
            record(outcome.color.name(QColor::HexRgb));
    });
    const auto recordColor = [this](const VQNotification &notification) {
        if (notification.object)
            record(static_cast<const VQColor *>(notification.object)->hexValue());
    };
    VQNotificationCenter &center = VQNotificationCenter::defaultCenter();
    _copyObserver = center.addObserver(QString::fromLatin1(VQColorWasCopiedNotification), nullptr, recordColor);
    _entryObserver = center.addObserver(QString::fromLatin1(VQColorWasEnteredNotification), nullptr, recordColor);
}

VQRecentColorsRecorder::~VQRecentColorsRecorder()
{
    VQNotificationCenter::defaultCenter().removeObserver(_copyObserver);
    VQNotificationCenter::defaultCenter().removeObserver(_entryObserver);
}

void VQRecentColorsRecorder::record(const QString &hex)
{
    // The preferences may have changed the settings since the last colour.
    const bool trimmed = _colors.applySettings(VQUserDefaults::standard());
    if (_colors.add(hex) || trimmed)
        save();
}

void VQRecentColorsRecorder::settingsChanged()
{
    if (_colors.applySettings(VQUserDefaults::standard()))
        save();
}

void VQRecentColorsRecorder::clear()
{
    _colors.clear();
    save();
}

void VQRecentColorsRecorder::followPreferences(const VQSwatchPreferencesController &preferences)
{
    connect(&preferences, &VQSwatchPreferencesController::didFinish, this, &VQRecentColorsRecorder::settingsChanged);
    connect(&preferences, &VQSwatchPreferencesController::recentColorsClearClicked, this,
            &VQRecentColorsRecorder::clear);
}

void VQRecentColorsRecorder::save()
{
    QString error;
    if (!_colors.save(&error))
        VQLog(QStringLiteral("The recent colours could not be saved: %1").arg(error));
    emit colorsChanged();
}
