#include "ui/loupe/VQFrozenLoupe.h"
#include "ui/loupe/VQLoupeTurn.h"

#include "platform/VQPickFailure.h"
#include "platform/VQScreenPicker.h"

#include "platform/wlr/VQWlrOverlay.h"
#include "ui/loupe/VQFrozenLoupeState.h"
#include "ui/loupe/VQFrozenLoupeView.h"
#include "vqcore/VQLog.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>

#include <xkbcommon/xkbcommon-keysyms.h>

#include <linux/input-event-codes.h>

namespace
{
bool gRunning = false;
} // namespace

bool VQFrozenLoupe::isRunning()
{
    return gRunning;
}

std::optional<QColor> VQFrozenLoupe::selectColor(QString *failure)
{
    const auto fail = [failure](const QString &reason) { return VQFailPick(failure, reason); };
    const VQLoupeTurn turn(gRunning);
    if (!turn.taken())
        return fail(VQLoupeTurn::busyReason());

    QEventLoop loop;
    std::optional<VQFrozenLoupeState> state;
    std::optional<VQOverlayInput> early; // the pointer's place, told before the state exists
    std::unique_ptr<VQWlrOverlay> overlay;
    bool ended = false;
    QString why;
    std::optional<QColor> picked;

    const auto end = [&](const QString &reason) {
        if (ended)
            return;
        ended = true;
        why = reason;
        loop.quit();
    };
    const auto repaint = [&](const QList<int> &outputs) {
        for (int output : outputs)
            overlay->update(output);
    };
    const auto pick = [&] {
        const std::optional<VQOutputPixel> pixel = state->current();
        if (!pixel)
            return; // nothing under the crosshair yet: the user has not pointed anywhere
        picked = QColor(overlay->capture().outputs.at(pixel->output).image.pixel(pixel->pixel));
        end(QString());
    };
    const auto handle = [&](const VQOverlayInput &input) {
        if (!state) {
            if (input.kind == VQOverlayInput::Kind::PointerMoved)
                early = input;
            return;
        }
        switch (input.kind) {
        case VQOverlayInput::Kind::PointerMoved:
            repaint(state->pointAt(input.output, input.devicePoint));
            break;
        case VQOverlayInput::Kind::ButtonPressed:
            if (input.button == BTN_LEFT)
                pick();
            break;
        case VQOverlayInput::Kind::KeyPressed: {
            const int step = input.shift ? 10 : 1;
            switch (input.keysym) {
            case XKB_KEY_Escape:
                end(QString());
                break;
            case XKB_KEY_Return:
            case XKB_KEY_KP_Enter:
                pick();
                break;
            case XKB_KEY_Left:
                repaint(state->nudge(QPoint(-step, 0)));
                break;
            case XKB_KEY_Right:
                repaint(state->nudge(QPoint(step, 0)));
                break;
            case XKB_KEY_Up:
                repaint(state->nudge(QPoint(0, -step)));
                break;
            case XKB_KEY_Down:
                repaint(state->nudge(QPoint(0, step)));
                break;
            default:
                break;
            }
            break;
        }
        }
    };
    const auto paint = [&](QPainter &painter, int output, const QImage &frozen) {
        if (state) {
            VQPaintFrozenOutput(painter, frozen, *state, output);
        } else {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QPoint(0, 0), frozen);
        }
    };

    QElapsedTimer clock;
    clock.start();
    QString error;
    overlay = VQWlrOverlay::open(paint, handle, end, VQWlrScreencopy::kTimeout, &error);
    if (!overlay)
        return fail(error);
    state.emplace(overlay->capture().layout());
    VQLog(QStringLiteral("The frozen screen shows %1 outputs, %2 ms after the request.")
              .arg(overlay->capture().outputs.size())
              .arg(clock.elapsed()));
    if (early)
        handle(*early);

    // Also ends when the application quits: that exits every running loop.
    const VQPickCancelling cancelling([&] { end(QString()); });
    if (!ended)
        loop.exec();
    overlay.reset(); // the surfaces go, and with them the keyboard and the pointer
    if (!why.isEmpty())
        return fail(why);
    return picked;
}
