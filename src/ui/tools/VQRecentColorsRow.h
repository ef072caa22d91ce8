#pragma once
// The recent colours (VQRecentColors), newest first, as a row of the window's
// tools: as many as fit, each with its hex value and name as a tooltip, or a
// short line while there are none. Its button adds the whole list as a
// collection, "Recent Colors". The shell hands it the list whenever it changes.

#include "ui/tools/VQSwatchToolRow.h"

#include <QStringList>

class VQRecentColorsRow : public VQSwatchToolRow
{
    Q_OBJECT

  public:
    static constexpr int kCellWidth = 16;

    explicit VQRecentColorsRow(VQSwatchCore &core, QWidget *parent = nullptr);

    // "#RRGGBB" texts, newest first; others are left out.
    void setRecentColors(const QStringList &colors);

  protected:
    QString collectionTitle() const override;
};
