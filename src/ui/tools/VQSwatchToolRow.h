#pragma once
// A row of the window's colour tools built on a swatch strip: the strip, and
// at its end a small button that adds the row's colours to the library as a
// new collection. A swatch chosen (click, Return) becomes the selection and
// the picker follows; the swatch of the selected colour is drawn as current.
// Without colours the row says so in one short line. The rows (shades, recent
// colours) say what they show and what the collection is called.

#include "core/VQColor.h"
#include "core/VQSwatchCollection.h"

#include <QWidget>

#include <vector>

class QLabel;
class QToolButton;
class VQSwatchCore;
class VQSwatchStrip;

class VQSwatchToolRow : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int kHeight = 18;

    // Selects in and adds to `core`, which outlives the row.
    VQSwatchToolRow(VQSwatchCore &core, const QString &addToolTip, QWidget *parent = nullptr);
    ~VQSwatchToolRow() override;

    VQSwatchStrip *strip() const { return _strip; }
    QToolButton *addButton() const { return _addButton; }
    // The line shown in place of the strip while it has no colours.
    QLabel *emptyLabel() const { return _empty; }

    // Adds a collection holding the row's colours (all of them, also those the
    // strip has no room for); nothing when there are none, or when the library
    // would pass its limits (the user is told why). The new collection, or null.
    VQSwatchCollectionRef addAsCollection();

    // "#RRGGBB  name" (a name that is not exactly the colour's: "≈ name"): a swatch's tooltip.
    static QString label(const VQColor &color);

  protected:
    // Shows `colors` (as many as fit, see setFittingCellWidth), or `emptyText` when there are none.
    void showColors(std::vector<VQColorRef> colors, const QString &emptyText);
    // Shows only as many swatches as fit at this width each (0: all of them, narrowed to fit).
    void setFittingCellWidth(int width);
    const std::vector<VQColorRef> &allColors() const { return _colors; }
    // What the collection the button adds is called.
    virtual QString collectionTitle() const = 0;
    // The selection changed; the row marks the swatch of its colour. Rows that
    // follow the selection show their new colours first.
    virtual void selectionChanged();
    VQSwatchCore &core() const { return _core; }

    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void layOutStrip();
    void updateTone();
    void markSelected();

    VQSwatchCore &_core;
    VQSwatchStrip *_strip = nullptr;
    QLabel *_empty = nullptr;
    QToolButton *_addButton = nullptr;
    std::vector<VQColorRef> _colors;
    int _fittingCellWidth = 0;
    quint64 _observer = 0;
};
