#pragma once
// The loupe over a frozen screen where the compositor offers no screencopy
// but the desktop portal offers Screenshot (GNOME, KDE Plasma): one picture
// of the whole desktop, shown again on one fullscreen, frameless, stay-on-top
// window of ours per screen, and the loupe runs there as over screencopy:
//
//   pointer                       the crosshair and the magnifier follow it
//   click                         take the sample around the crosshair from the
//                                 picture: its mean (VQLoupeSample)
//   the loupes' keys (VQLoupeKeys) pick, cancel, move the crosshair by pixels
//                                 across screens where one continues; keys
//                                 pressed before the picture shows act once it does
//   the keyboard taken elsewhere  cancel
//
// The windows go up before the picture is taken, clear and with a blank
// pointer, and the picture is asked for once the compositor has drawn them:
// a desktop that draws the pointer into its screenshots (KDE Plasma) draws
// ours, which shows nothing, and the loupe starts where the pointer rests.
// Not where the compositor draws a fullscreen window alone (sway), which would
// hide the desktop from the picture: there they go up after it.
//
// The loupe measures each screen in the picture's pixels (VQScreenshotLayout):
// a screen at the picture's scale is picked in its own device pixels.
// A screen added, removed or resized, or the desktop closing one of the
// windows, ends the run with that reason. The windows are gone when
// finished() comes, whatever ended the run: nothing of ours keeps the
// keyboard or the pointer.

#include "platform/VQScreenPicker.h"

#include <QString>

#include <memory>

class VQScreenshotLoupe : public VQScreenPicker
{
    Q_OBJECT

  public:
    // Each pick takes the screenshot, then runs the loupe over it.
    // `clearFirst`: the windows go up clear before the picture is taken.
    // `screenSizesKnown`: Qt knows the screens' device sizes (false on XWayland).
    // `x11Windows`: our windows are X11 windows, named to the portal as its dialogs' parent.
    VQScreenshotLoupe(QString description, bool clearFirst, bool screenSizesKnown = true, bool x11Windows = false);
    ~VQScreenshotLoupe() override;
    QString description() const override { return _description; }

    struct Run;

  protected:
    void start() override;
    void stop() override;

  private:
    void cleanUp();
    void ended();

    QString _description;
    bool _clearFirst;
    bool _screenSizesKnown;
    bool _x11Windows;
    std::unique_ptr<Run> _run;
};
