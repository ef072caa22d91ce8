#include "platform/portal/VQPortalColorPicker.h"

#include "platform/VQPickFailure.h"

#include "vqcore/VQLog.h"

#include "platform/portal/VQPortalRequest.h"
#include "vqcore/VQLocalizedString.h"

#include <QDBusArgument>

#include <algorithm>
#include <cmath>

namespace
{
// results["color"] as three components, when it is a (ddd).
std::optional<std::array<double, 3>> componentsOf(const QVariant &value)
{
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    std::array<double, 3> components{};
    argument.beginStructure();
    argument >> components[0] >> components[1] >> components[2];
    argument.endStructure();
    return components;
}
} // namespace

std::optional<QColor> VQPortalColorPicker::colorFromComponents(double red, double green, double blue)
{
    const auto byte = [](double component) { return int(std::lround(std::clamp(component, 0.0, 1.0) * 255.0)); };
    if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue))
        return std::nullopt;
    return QColor(byte(red), byte(green), byte(blue));
}

VQPickOutcome VQPortalColorPicker::outcomeOf(uint code, const std::optional<std::array<double, 3>> &color)
{
    using Kind = VQPickOutcome::Kind;
    switch (code) {
    case 0: {
        if (!color)
            return {Kind::Failed, {}, QStringLiteral("the desktop portal answered without a color")};
        const std::optional<QColor> picked = colorFromComponents((*color)[0], (*color)[1], (*color)[2]);
        if (!picked)
            return {Kind::Failed, {}, QStringLiteral("the desktop portal answered with a color that is not a number")};
        return {Kind::Picked, *picked, {}};
    }
    case 1:
        return {Kind::Cancelled, {}, {}};
    case 2:
        return {Kind::Failed, {}, QStringLiteral("the desktop portal ended the pick without a color")};
    default:
        break;
    }
    return {Kind::Failed, {}, QStringLiteral("the desktop portal answered with the unknown response %1").arg(code)};
}

std::chrono::milliseconds VQPortalColorPicker::replyLimit()
{
    bool number = false;
    const int ms = qEnvironmentVariableIntValue("VELLICO_PORTAL_REPLY_LIMIT_MS", &number);
    return number && ms > 0 ? std::chrono::milliseconds(ms) : kDeadline;
}

VQPortalPickColorPicker::VQPortalPickColorPicker(QString description, std::chrono::milliseconds deadline)
    : _description(std::move(description)), _deadline(deadline)
{
}

void VQPortalPickColorPicker::stop()
{
    if (_call)
        _call->interrupt(); // answers Interrupted: a cancel
    else
        finish(VQPickOutcome::cancelled());
}

void VQPortalPickColorPicker::start()
{
    if (const QString problem = VQPortalRequest::busProblem(); !problem.isEmpty()) {
        finish(VQFailedPick(problem));
        return;
    }
    _call = new VQPortalCall(QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("PickColor"),
                             QString(), {}, _deadline, QStringLiteral("PickColor"), VQPortalRequest::Limit::Reply);
    connect(_call, &VQPortalCall::answered, this, [this](const VQPortalAnswer &answer) {
        _call.clear();
        VQPickOutcome outcome;
        switch (answer.kind) {
        case VQPortalAnswer::Kind::Answered:
            outcome = VQPortalColorPicker::outcomeOf(answer.code,
                                                     componentsOf(answer.results.value(QStringLiteral("color"))));
            break;
        case VQPortalAnswer::Kind::Refused:
            finish(VQFailedPick(QStringLiteral("the desktop portal refused to pick a color: %1").arg(answer.error)));
            return;
        case VQPortalAnswer::Kind::Late:
            finish(VQFailedPick(QStringLiteral("the desktop portal did not take the PickColor call within %1 s")
                                    .arg(QString::number(double(_deadline.count()) / 1000.0))));
            return;
        case VQPortalAnswer::Kind::Interrupted:
            outcome = VQPickOutcome::cancelled();
            break;
        }
        switch (outcome.kind) {
        case VQPickOutcome::Kind::Picked:
            VQLog(QStringLiteral("The desktop portal picked %1.").arg(outcome.color.name()));
            finish(outcome);
            return;
        case VQPickOutcome::Kind::Cancelled:
            VQLog(answer.kind == VQPortalAnswer::Kind::Interrupted
                      ? VQLocalizedString("The pick through the desktop portal was ended before it answered.")
                      : VQLocalizedString("The desktop portal's pick was cancelled."));
            finish(outcome);
            return;
        case VQPickOutcome::Kind::Failed:
            break;
        }
        finish(VQFailedPick(outcome.reason));
    });
    _call->start();
}
