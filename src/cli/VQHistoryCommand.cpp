// vellico-cli history [--json] | history --clear: the recent colours, newest first.
#include "cli/VQCommandLine_p.h"

#include "core/VQJson.h"
#include "core/VQRecentColors.h"

#include <QJsonArray>

VQCommandResult VQCliHistory(const VQCliOptions &options)
{
    if (options.positional.size() != 1)
        return VQCliUsageError(QStringLiteral("history takes no operand"));
    VQRecentColors recent;
    QString message;
    const bool readable = recent.load(&message);
    if (options.flag("clear")) {
        // A damaged file was set aside by load(): clearing then starts the new, empty one.
        recent.clear();
        QString error;
        if (!recent.save(&error))
            return VQCliFailure(QStringLiteral("The recent colors could not be cleared: %1").arg(error));
        return {0, QString(), readable ? QString() : message + QLatin1Char('\n')};
    }
    if (!readable)
        return VQCliFailure(message);
    VQCommandResult result;
    if (options.json()) {
        result.out = QString::fromUtf8(VQJson::print(QJsonArray::fromStringList(recent.colors())));
    } else {
        for (const QString &color : recent.colors())
            result.out += color + QLatin1Char('\n');
    }
    return result;
}
