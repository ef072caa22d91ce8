#include "platform/VQScreenPicker.h"

#include "vqcore/VQLog.h"

#include <QList>

namespace
{
QList<VQPickCancelling *> gCancellings;
}

VQPickCancelling::VQPickCancelling(std::function<void()> cancel) : _cancel(std::move(cancel))
{
    gCancellings.append(this);
}

VQPickCancelling::~VQPickCancelling()
{
    gCancellings.removeOne(this);
}

bool VQPickCancelling::cancelAll()
{
    // A run that ends removes itself: work on a copy.
    const QList<VQPickCancelling *> running = gCancellings;
    for (VQPickCancelling *cancelling : running)
        if (gCancellings.contains(cancelling))
            cancelling->_cancel();
    return !running.isEmpty();
}

VQScreenPicker::~VQScreenPicker() = default;

void VQScreenPicker::cancel()
{
    if (!_running)
        return;
    VQLog(QStringLiteral("Cancelling the pick under way."));
    VQPickCancelling::cancelAll();
}

bool VQScreenPicker::pick()
{
    if (_running)
        return false;
    _running = true;
    start();
    return true;
}

void VQScreenPicker::finish(const VQPickOutcome &outcome)
{
    if (!_running)
        return;
    _running = false;
    emit finished(outcome);
}

VQModalRunPicker::VQModalRunPicker(Run run, QString description)
    : _run(std::move(run)), _description(std::move(description))
{
}

void VQModalRunPicker::start()
{
    QString failure;
    const std::optional<QColor> color = _run(&failure);
    if (color)
        finish(VQPickOutcome::picked(*color));
    else if (failure.isEmpty())
        finish(VQPickOutcome::cancelled());
    else
        finish(VQPickOutcome::failed(failure));
}

void VQRefusingPicker::start()
{
    finish(VQPickOutcome::failed(_reason));
}
