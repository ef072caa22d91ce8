#include "platform/VQScreenPicker.h"

#include "vqcore/VQLog.h"

#include <QCoreApplication>

VQScreenPicker::VQScreenPicker()
{
    // A pick still under way when the program quits ends as a cancel: the grabs and windows go.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &VQScreenPicker::cancel);
}

VQScreenPicker::~VQScreenPicker() = default;

void VQScreenPicker::cancel()
{
    if (!_running)
        return;
    VQLog(QStringLiteral("Cancelling the pick under way."));
    stop();
}

bool VQScreenPicker::pick(int sampleSize)
{
    if (_running)
        return false;
    _running = true;
    _sampleSize = sampleSize;
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

void VQRefusingPicker::start()
{
    finish(VQPickOutcome::failed(_reason));
}
