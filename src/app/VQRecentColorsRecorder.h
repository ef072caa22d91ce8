#pragma once
// Keeps the recent colours (VQRecentColors) as the program is used: every
// colour picked from the screen and every colour copied goes to the front of
// the list, which is saved at once in the state folder.

#include "core/VQRecentColors.h"

#include <QObject>

class QColor;
class VQPickController;

class VQRecentColorsRecorder : public QObject
{
    Q_OBJECT

  public:
    explicit VQRecentColorsRecorder(VQPickController &picks, QString path = VQRecentColors::defaultPath(),
                                    QObject *parent = nullptr);
    ~VQRecentColorsRecorder() override;

    const VQRecentColors &colors() const { return _colors; }
    // Puts `hex` first and saves the list; what goes wrong goes to the log.
    void record(const QString &hex);

  private:
    VQRecentColors _colors;
    quint64 _copyObserver = 0;
};
