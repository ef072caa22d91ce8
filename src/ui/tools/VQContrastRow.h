#pragma once
// The window's contrast row: the selected colour against a second colour.
// From left to right: the second colour's swatch (drop a colour on it, or
// open its menu with a click, a right click, the menu key or Return: pick from
// the screen, white, black, a recent colour, a colour of a collection, swap,
// copy the summary; Alt+click picks from the screen), the WCAG ratio, the AA
// and AAA badges for normal and large text, APCA Lc, and the nearest colour
// that passes AA for normal text (a click or Return selects it) or a check
// mark when the selection passes. What it shows is a VQContrastSummary; the
// second colour is remembered in the settings.

#include "core/VQColor.h"
#include "ui/tools/VQContrastSummary.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class VQSwatchCore;
class VQUserDefaults;
class VQContrastAgainstSwatch;
class VQContrastReadout;
class VQContrastNearestSwatch;

class VQContrastRow : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int kHeight = 28;

    // Starts with the second colour remembered in `defaults` (white when none or unreadable).
    VQContrastRow(VQSwatchCore &core, VQUserDefaults &defaults, QWidget *parent = nullptr);
    ~VQContrastRow() override;

    const VQContrastSummary &summary() const { return _summary; }
    // Sets the second colour and remembers it.
    void setAgainstColor(const VQRGBColor &color);
    // The selection takes the second colour and the second colour the selection.
    void swapColors();
    // Selects the nearest colour that passes, when the selection does not.
    void selectNearest();
    // Whether the menu offers a pick from the screen.
    void setPickingAvailable(bool available) { _pickingAvailable = available; }
    // Where the menu takes the recent colours from: newest first, "#RRGGBB".
    void setRecentColors(std::function<QStringList()> recent) { _recent = std::move(recent); }
    // Opens the second colour's menu at `globalPosition`.
    void showMenu(const QPoint &globalPosition);

  signals:
    // The user asked to pick the second colour from the screen.
    void pickRequested();

  private:
    void selectionChanged();
    void refresh();

    VQSwatchCore &_core;
    VQUserDefaults &_defaults;
    VQContrastSummary _summary;
    quint64 _observer = 0;
    bool _pickingAvailable = false;
    std::function<QStringList()> _recent;
    VQContrastAgainstSwatch *_againstSwatch = nullptr;
    VQContrastReadout *_readout = nullptr;
    VQContrastNearestSwatch *_nearestSwatch = nullptr;
};
