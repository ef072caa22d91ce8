#include "platform/VQScreenPicker.h"

VQScreenPicker::~VQScreenPicker() = default;

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
