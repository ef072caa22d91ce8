#pragma once
// The colours picked or copied lately, newest first, as "#RRGGBB". Kept in
// recent-colors.json in the state folder, written atomically and read
// tolerantly: a damaged file is set aside, said so in the log, and the list
// starts empty. QtCore only.

#include <QString>
#include <QStringList>

class VQUserDefaults;

// A colour the user entered by hand (pasted or typed) became the selection;
// object: the VQColor. The recent colours take it in.
inline constexpr const char *VQColorWasEnteredNotification = "VQColorWasEnteredNotification";

// How many recent colours are kept (absent, 0 or no number: the default;
// otherwise clamped to 1–500), and whether none are recorded (absent: they are).
inline constexpr const char *VQRecentColorsLimitDefaultsKey = "VQRecentColorsLimit";
inline constexpr const char *VQDontRecordRecentColorsDefaultsKey = "VQDontRecordRecentColors";

class VQRecentColors
{
  public:
    static constexpr int kDefaultLimit = 50;
    static constexpr int kMinimumLimit = 1;
    static constexpr int kMaximumLimit = 500;

    // $XDG_STATE_HOME/Vellico/recent-colors.json (~/.local/state/Vellico/… when unset).
    static QString defaultPath();

    explicit VQRecentColors(QString path = defaultPath());

    const QString &path() const { return _path; }
    // Newest first, "#RRGGBB" in capitals, no two alike.
    const QStringList &colors() const { return _colors; }

    int limit() const { return _limit; }
    // Clamped to kMinimumLimit–kMaximumLimit; the oldest colours beyond it are dropped.
    void setLimit(int limit);

    // While off, add() does nothing; the list is kept as it is.
    bool isEnabled() const { return _enabled; }
    void setEnabled(bool enabled) { _enabled = enabled; }
    // The limit and the switch as the user defaults hold them.
    static int storedLimit(const VQUserDefaults &defaults);
    static bool storedEnabled(const VQUserDefaults &defaults);
    // Takes both from the defaults; true when that dropped colours beyond the limit.
    bool applySettings(const VQUserDefaults &defaults);

    // Puts the colour first, moving it there when it is in the list already.
    // "#RRGGBB" or "RRGGBB" in either case; false (and nothing changes) for any
    // other text, or while off.
    bool add(const QString &hex);
    void clear() { _colors.clear(); }

    // Reads the file. A missing file is an empty list. A damaged one is set aside
    // as "recent-colors.json (set aside STAMP)", the list starts empty, and
    // `message` says what was wrong and where the file went; false then.
    bool load(QString *message = nullptr);
    // Writes the list, creating the folder; false with `error` set when it could
    // not, or when a damaged file that load() could not set aside is still there.
    bool save(QString *error = nullptr) const;

  private:
    QString _path;
    QStringList _colors;
    int _limit = kDefaultLimit;
    bool _enabled = true;
    bool _damagedFileInPlace = false; // a damaged file that could not be set aside: never written over
};
