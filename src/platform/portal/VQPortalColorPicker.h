#pragma once
// The desktop portal's own color picker (org.freedesktop.portal.Screenshot's
// PickColor, interface version 2 and later): the desktop shows its picker and
// answers with a color. No magnifier and no arrow keys of ours: the desktop's
// picker decides how the user points.
//
// The call goes through a Request object (VQPortalRequest).

#include "platform/VQScreenPicker.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <array>
#include <chrono>
#include <optional>

namespace VQPortalColorPicker
{
// How long the portal may take to take the call (to reply with its Request)
// before the pick fails. Once it has, its picker runs until the user is done:
// it has its own Escape. VELLICO_PORTAL_REPLY_LIMIT_MS (milliseconds) sets
// another limit (see replyLimit).
inline constexpr std::chrono::milliseconds kDeadline{10000};
// kDeadline, or VELLICO_PORTAL_REPLY_LIMIT_MS when that is a positive number.
std::chrono::milliseconds replyLimit();

// The color from the portal's components (0–1 each): clamped, rounded to the
// nearest 8-bit value; nothing when a component is not a finite number.
std::optional<QColor> colorFromComponents(double red, double green, double blue);

// The outcome of a Response(code, results): 0 with a "color" of three
// doubles picks; 1 is the user's cancel; anything else fails with the reason.
// `color` is what results["color"] held, already read as three components
// (nothing when it was absent or of another type).
VQPickOutcome outcomeOf(uint code, const std::optional<std::array<double, 3>> &color);

} // namespace VQPortalColorPicker

class VQPortalCall;

// The screen picker that asks the desktop portal on the session bus to let
// the user pick a color. The pick fails when `deadline` passes without the
// portal taking the call (then the Request is closed); a cancel ends the
// wait and closes it.
class VQPortalPickColorPicker : public VQScreenPicker
{
    Q_OBJECT

  public:
    explicit VQPortalPickColorPicker(QString description,
                                     std::chrono::milliseconds deadline = VQPortalColorPicker::replyLimit());
    QString description() const override { return _description; }

  protected:
    void start() override;
    void stop() override;

  private:
    QString _description;
    std::chrono::milliseconds _deadline;
    QPointer<VQPortalCall> _call;
};
