#pragma once
// The loupe over a frozen screen, for wlroots compositors (sway, river,
// Hyprland…), where no program may read the screen live or grab the input:
// every output is captured once and shown again, unchanged, on a surface of
// ours over it, and the loupe runs on those surfaces.
//
//   pointer                       the crosshair and the magnifier follow it
//   click                         take the sample around the crosshair from the
//                                 capture: its mean (VQLoupeSample)
//   the loupes' keys (VQLoupeKeys) pick, cancel, move the crosshair by device
//                                 pixels across outputs where one continues
//   the keyboard taken elsewhere  cancel
//
// An output added or removed, or the compositor closing a surface, ends the
// run with that reason. The surfaces are gone when finished() comes, whatever
// ended the run.

#include "platform/VQScreenPicker.h"

#include <QString>

#include <memory>

class VQFrozenLoupe : public VQScreenPicker
{
    Q_OBJECT

  public:
    explicit VQFrozenLoupe(QString description);
    ~VQFrozenLoupe() override;
    QString description() const override { return _description; }

  protected:
    void start() override;
    void stop() override;

  private:
    struct Run;
    // Ends the run once the overlay's own handler that asked for it has returned.
    void endSoon(const VQPickOutcome &outcome);

    QString _description;
    std::unique_ptr<Run> _run;
};
