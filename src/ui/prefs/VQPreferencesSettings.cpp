#include "ui/prefs/VQPreferencesSettings.h"

#include "core/VQCopyTemplate.h"
#include "core/VQRecentColors.h"
#include "core/sync/VQiCloudSynchronizationManager.h"
#include "vqcore/VQUserDefaults.h"

#include <algorithm>

namespace
{
constexpr const char *kDontActivateWhenUsingLoupe = "VQDontActivateWhenUsingLoupe";
constexpr const char *kCursor = "VQCursor";
constexpr const char *kLoggingEnabled = "RZLoggingEnabled";

QString key(const char *name)
{
    return QString::fromLatin1(name);
}
} // namespace

VQPreferencesSettings VQPreferencesSettings::load(const VQUserDefaults &defaults)
{
    VQPreferencesSettings settings;
    settings.synchronize = defaults.boolForKey(key(VQSynchronizeWithiCloudDefaultsKey));
    settings.syncFolderPath = defaults.stringForKey(key(VQSyncFolderPathDefaultsKey));
    settings.useLowercase = defaults.boolForKey(key(VQUseLowercaseDefaultsKey));
    settings.cursor = defaults.integerForKey(key(kCursor));
    settings.copyType = defaults.integerForKey(key(VQDefaultCopyFormatDefaultsKey));
    settings.alternateCopyType = VQStoredAlternateCopyFormat(defaults);
    settings.activateWhenUsingLoupe = !defaults.boolForKey(key(kDontActivateWhenUsingLoupe));
    settings.debugLogging = defaults.boolForKey(key(kLoggingEnabled));
    settings.recordRecentColors = VQRecentColors::storedEnabled(defaults);
    settings.recentColorsLimit = VQRecentColors::storedLimit(defaults);
    return settings;
}

void VQPreferencesSettings::save(VQUserDefaults &defaults) const
{
    defaults.setBool(key(VQSynchronizeWithiCloudDefaultsKey), synchronize);
    if (syncFolderPath.isEmpty())
        defaults.removeObjectForKey(key(VQSyncFolderPathDefaultsKey));
    else
        defaults.setString(key(VQSyncFolderPathDefaultsKey), syncFolderPath);
    defaults.setBool(key(VQUseLowercaseDefaultsKey), useLowercase);
    if (cursor >= 0)
        defaults.setInteger(key(kCursor), cursor);
    defaults.setInteger(key(VQDefaultCopyFormatDefaultsKey), copyType);
    defaults.setInteger(key(VQAlternateCopyFormatDefaultsKey), alternateCopyType);
    defaults.setBool(key(kDontActivateWhenUsingLoupe), !activateWhenUsingLoupe);
    defaults.setBool(key(VQDontRecordRecentColorsDefaultsKey), !recordRecentColors);
    defaults.setInteger(
        key(VQRecentColorsLimitDefaultsKey),
        std::clamp<std::int64_t>(recentColorsLimit, VQRecentColors::kMinimumLimit, VQRecentColors::kMaximumLimit));
}
