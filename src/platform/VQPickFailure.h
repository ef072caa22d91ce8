#pragma once
// How every picker ends without a colour for a reason other than the user's
// cancelling: the reason goes to the log and, when the caller asked, to it.

#include "vqcore/VQLog.h"

#include <QColor>
#include <QString>

#include <optional>

inline std::optional<QColor> VQFailPick(QString *failure, const QString &reason)
{
    VQLog(QStringLiteral("No color is picked: %1.").arg(reason));
    if (failure)
        *failure = reason;
    return std::nullopt;
}
