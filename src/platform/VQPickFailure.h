#pragma once
// How every picker ends without a colour for a reason other than the user's
// cancelling: the reason goes to the log and into the outcome.

#include "platform/VQScreenPicker.h"
#include "vqcore/VQLog.h"

#include <QString>

inline VQPickOutcome VQFailedPick(const QString &reason)
{
    VQLog(QStringLiteral("No color is picked: %1.").arg(reason));
    return VQPickOutcome::failed(reason);
}
