#pragma once
// Diagnostics. VQLog(message) evaluates its message only while logging is on
// ("RZLoggingEnabled" in the user defaults), and records the calling function,
// the source file and the line with it.

#include <QString>

// The program's folder in the XDG state folder: $XDG_STATE_HOME/Vellico, or
// ~/.local/state/Vellico when XDG_STATE_HOME is unset or not absolute. Not created.
QString VQStateFolderPath();

class VQDebugLog
{
  public:
    static bool isLoggingEnabled();
    static void setLoggingEnabled(bool enabled);
    // Re-reads the defaults; called at start-up and when the preference changes.
    static void reloadFromDefaults();
    // The log file in the XDG state folder (~/.local/state/Vellico/Vellico.log).
    static QString logFilePath();

    static void write(const QString &message, const char *method, const char *file, int line);

    // Test hook: every written line is also handed to this sink (nullptr to remove),
    // one line at a time whichever thread logs it.
    using Sink = void (*)(const QString &line);
    static void setSink(Sink sink);
};

#define VQLog(message)                                                                                                 \
    do {                                                                                                               \
        if (VQDebugLog::isLoggingEnabled())                                                                            \
            VQDebugLog::write(QString(message), Q_FUNC_INFO, __FILE__, __LINE__);                                      \
    } while (0)
