#include "ui/loupe/VQFrozenLoupe.h"

#include "platform/VQPickFailure.h"
#include "platform/wlr/VQWlrOverlay.h"
#include "ui/loupe/VQFrozenLoupeState.h"
#include "ui/loupe/VQFrozenLoupeView.h"
#include "ui/loupe/VQLoupeKeys.h"
#include "ui/loupe/VQLoupeSample.h"
#include "vqcore/VQLog.h"

#include <QElapsedTimer>
#include <QPainter>

#include <linux/input-event-codes.h>

struct VQFrozenLoupe::Run {
    std::optional<VQFrozenLoupeState> state;
    std::optional<VQOverlayInput> early; // the pointer's place, told before the state exists
    std::unique_ptr<VQWlrOverlay> overlay;
    bool ending = false;
};

VQFrozenLoupe::VQFrozenLoupe(QString description) : _description(std::move(description)) {}

VQFrozenLoupe::~VQFrozenLoupe() = default;

void VQFrozenLoupe::endSoon(const VQPickOutcome &outcome)
{
    if (!_run || _run->ending)
        return;
    _run->ending = true;
    QMetaObject::invokeMethod(
        this,
        [this, outcome] {
            _run.reset(); // the surfaces go, and with them the keyboard and the pointer
            finish(outcome);
        },
        Qt::QueuedConnection);
}

// From outside the overlay's handlers (the asker left, the program quits): the run ends now.
void VQFrozenLoupe::stop()
{
    _run.reset();
    finish(VQPickOutcome::cancelled());
}

void VQFrozenLoupe::start()
{
    _run = std::make_unique<Run>();
    Run &run = *_run;
    const auto repaint = [&run](const QList<int> &outputs) {
        for (int output : outputs)
            run.overlay->update(output);
    };
    const auto pick = [this, &run] {
        const std::optional<VQOutputPixel> pixel = run.state->current();
        if (!pixel)
            return; // nothing under the crosshair yet: the user has not pointed anywhere
        endSoon(VQPickOutcome::picked(run.state->sampleMean(run.overlay->capture().outputs.at(pixel->output).image)));
    };
    const auto handle = [&run, repaint, pick, this](const VQOverlayInput &input) {
        if (run.ending)
            return;
        if (!run.state) {
            if (input.kind == VQOverlayInput::Kind::PointerMoved)
                run.early = input;
            return;
        }
        switch (input.kind) {
        case VQOverlayInput::Kind::PointerMoved:
            repaint(run.state->pointAt(input.output, input.devicePoint));
            break;
        case VQOverlayInput::Kind::ButtonPressed:
            if (input.button == BTN_LEFT)
                pick();
            break;
        case VQOverlayInput::Kind::KeyPressed: {
            const VQLoupeCommand command = VQLoupeCommandForKey(input.keysym, input.shift);
            switch (command.kind) {
            case VQLoupeCommand::Kind::Cancel:
                endSoon(VQPickOutcome::cancelled());
                break;
            case VQLoupeCommand::Kind::Pick:
                pick();
                break;
            case VQLoupeCommand::Kind::Move:
                repaint(run.state->nudge(command.delta));
                break;
            case VQLoupeCommand::Kind::SampleSize:
                repaint(run.state->chooseNextSampleSize());
                break;
            case VQLoupeCommand::Kind::None:
                break;
            }
            break;
        }
        }
    };
    const auto paint = [&run](QPainter &painter, int output, const QImage &frozen) {
        if (run.state) {
            VQPaintFrozenOutput(painter, frozen, *run.state, output);
        } else {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QPoint(0, 0), frozen);
        }
    };
    const auto ended = [this](const QString &why) {
        endSoon(why.isEmpty() ? VQPickOutcome::cancelled() : VQFailedPick(why));
    };

    QElapsedTimer clock;
    clock.start();
    QString error;
    run.overlay = VQWlrOverlay::open(paint, handle, ended, VQWlrScreencopy::kTimeout, &error);
    if (!run.overlay) {
        _run.reset();
        finish(VQFailedPick(error));
        return;
    }
    run.state.emplace(run.overlay->capture().layout());
    run.state->setSampleSize(VQLoupeSample::forPick(askedSampleSize()));
    VQLog(QStringLiteral("The frozen screen shows %1 outputs, %2 ms after the request.")
              .arg(run.overlay->capture().outputs.size())
              .arg(clock.elapsed()));
    if (run.early)
        handle(*run.early);
}
