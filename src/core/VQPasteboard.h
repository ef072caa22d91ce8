#pragma once
// The general pasteboard: the desktop's CLIPBOARD selection when the process
// has a display, otherwise a process-local text (the command-line program).
// Tests may install their own.

#include <QString>

#include <memory>

class VQPasteboard
{
  public:
    virtual ~VQPasteboard();

    // Replaces the pasteboard's contents with plain text.
    virtual void setString(const QString &text) = 0;
    // The plain text on the pasteboard; empty when there is none.
    virtual QString string() const = 0;

    static VQPasteboard &general();
    // Replaces the general pasteboard and returns the previous one (null when it
    // was the built-in one).
    // A new pasteboard over the system clipboard, as the built-in one.
    static std::unique_ptr<VQPasteboard> makeSystem();
    static std::unique_ptr<VQPasteboard> install(std::unique_ptr<VQPasteboard> pasteboard);
};
