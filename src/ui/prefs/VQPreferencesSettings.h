#pragma once
// The settings the preferences show, as plain values: read from and written
// to the user defaults exactly as the preferences do, without a widget.
// The shortcut is not here: the recorder reads and writes its own record.

#include "core/VQRecentColors.h"

#include <QString>

#include <cstdint>

class VQUserDefaults;

struct VQPreferencesSettings {
    bool synchronize = false;           // "VQSynchronizeWithiCloud"
    QString syncFolderPath;             // "VQSyncFolderPath"; empty: none chosen
    bool useLowercase = false;          // "VQUseLowercase"
    std::int64_t cursor = 0;            // "VQCursor": the row of the cursor choice
    std::int64_t copyType = 0;          // "VQCopyType"
    std::int64_t alternateCopyType = 1; // "VQAlternateCopyFormat", or the partner of the copy type
    bool activateWhenUsingLoupe = true; // the inverse of "VQDontActivateWhenUsingLoupe"
    bool debugLogging = false;          // "RZLoggingEnabled" (the log writes it itself)
    bool recordRecentColors = true;     // the inverse of "VQDontRecordRecentColors"
    std::int64_t recentColorsLimit = VQRecentColors::kDefaultLimit; // "VQRecentColorsLimit", 1–500

    static VQPreferencesSettings load(const VQUserDefaults &defaults);
    // Writes every setting the Done button saves, in the order the preferences
    // save them; `cursor` only when a row is chosen (≥ 0). The debug log
    // switch is not written here.
    void save(VQUserDefaults &defaults) const;

    bool operator==(const VQPreferencesSettings &) const = default;
};
