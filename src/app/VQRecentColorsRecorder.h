#pragma once
// Keeps the recent colours (VQRecentColors) as the program is used: every
// colour picked from the screen, copied, pasted or typed goes to the front of
// the list, which is saved at once in the state folder. How many are kept and
// whether any are recorded come from the user defaults (see VQRecentColors.h),
// read again before each colour and whenever the preferences are saved.

#include "core/VQRecentColors.h"

#include <QObject>

class QColor;
class VQPickController;
class VQSwatchPreferencesController;

class VQRecentColorsRecorder : public QObject
{
    Q_OBJECT

  public:
    explicit VQRecentColorsRecorder(VQPickController &picks, QString path = VQRecentColors::defaultPath(),
                                    QObject *parent = nullptr);
    ~VQRecentColorsRecorder() override;

    const VQRecentColors &colors() const { return _colors; }
    // Puts `hex` first and saves the list, unless recording is off; what goes wrong goes to the log.
    void record(const QString &hex);
    // The stored settings changed: a lower limit drops the oldest colours at once.
    void settingsChanged();
    // Forgets every colour (also while recording is off) and saves the empty list.
    void clear();
    // Follows the preferences: their saved settings at once, and their "Clear".
    void followPreferences(const VQSwatchPreferencesController &preferences);

  signals:
    // The list changed (and was saved, or the log says why not).
    void colorsChanged();

  private:
    void save();

    VQRecentColors _colors;
    quint64 _copyObserver = 0;
    quint64 _entryObserver = 0;
};
