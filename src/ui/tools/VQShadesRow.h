#pragma once
// The shades and tints of the selected colour (VQShades), darkest first, as a
// row of the window's tools. It follows the selection, except that choosing
// one of its own swatches keeps the row as it is, so that one can walk along
// it; its button adds the nine colours as "Shades of NAME".

#include "ui/tools/VQSwatchToolRow.h"

class VQShadesRow : public VQSwatchToolRow
{
    Q_OBJECT

  public:
    explicit VQShadesRow(VQSwatchCore &core, QWidget *parent = nullptr);

    // The colour whose shades are shown.
    const VQColorRef &baseColor() const { return _base; }

  protected:
    QString collectionTitle() const override;
    void selectionChanged() override;

  private:
    VQColorRef _base;
};
