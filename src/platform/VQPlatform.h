#pragma once
// The desktop services that Qt does not offer portably: which window is active
// and activating it again, global hot keys, screen capture in device pixels,
// pointer tracking. main() chooses one implementation for the session's
// platform (X11, or the do-nothing fallback) and hands it to the delegate;
// nothing else in the program talks to the window system directly.

#include <QtGlobal>

#include <memory>
#include <optional>

class VQPlatform
{
  public:
    virtual ~VQPlatform();

    // Identifies a top-level window of any program (an X11 window id); 0 is none.
    using WindowID = quint64;

    // The window the window manager reports as active, or 0 when it tells none.
    virtual WindowID activeWindow() const = 0;
    // Asks the window manager to activate `window`; false when it could not be asked.
    virtual bool activateWindow(WindowID window) = 0;

    // The X11 implementation on "xcb", the fallback (which logs a warning) elsewhere.
    static std::unique_ptr<VQPlatform> createForPlatform(const QString &platformName);
};

// Does nothing and answers "none": for platforms without an implementation,
// and for tests that need no window system.
class VQNullPlatform : public VQPlatform
{
  public:
    WindowID activeWindow() const override { return 0; }
    bool activateWindow(WindowID) override { return false; }
};
