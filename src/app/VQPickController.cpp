#include "app/VQPickController.h"

#include "vqcore/VQLog.h"

#include <QTimer>

VQPickController::VQPickController(VQScreenPicker &picker, QObject *parent) : QObject(parent), _picker(picker)
{
    connect(&_picker, &VQScreenPicker::finished, this, &VQPickController::pickerFinished);
}

VQPickController::~VQPickController() = default;

void VQPickController::pick(Done done, quint64 asker)
{
    Request request{std::move(done), asker};
    if (isPicking() || _picker.isRunning()) {
        VQLog(QStringLiteral("A pick runs: the new one waits for it."));
        _queue.push_back(std::move(request));
        return;
    }
    start(std::move(request));
}

void VQPickController::start(Request request)
{
    emit aboutToPick();
    _current = std::move(request);
    if (!_picker.pick()) {
        // Someone else's pick holds the picker: this one cannot start.
        Request refused = std::move(*_current);
        _current.reset();
        tell(std::move(refused), VQPickOutcome::failed(QStringLiteral("a loupe is already running")), false);
    }
}

void VQPickController::pickerFinished(const VQPickOutcome &outcome)
{
    if (!_current)
        return; // a pick that was not asked here
    Request finished = std::move(*_current);
    _current.reset();
    tell(std::move(finished), outcome, true);
}

void VQPickController::tell(Request request, const VQPickOutcome &outcome, bool emitFinished)
{
    ++_telling;
    QTimer::singleShot(0, this, [this, request = std::move(request), outcome, emitFinished] {
        if (emitFinished)
            emit finished(outcome);
        if (request.done)
            request.done(outcome);
        --_telling;
        startNext();
    });
}

void VQPickController::startNext()
{
    if (_current || _telling || _queue.empty() || _picker.isRunning())
        return;
    Request next = std::move(_queue.front());
    _queue.pop_front();
    start(std::move(next));
}

void VQPickController::askerLeft(quint64 asker)
{
    if (asker == 0)
        return;
    if (_current && _current->asker == asker) {
        VQLog(QStringLiteral("The start that asked for the pick went away: cancelling it."));
        _picker.cancel();
    }
    for (auto it = _queue.begin(); it != _queue.end();) {
        if (it->asker != asker) {
            ++it;
            continue;
        }
        VQLog(QStringLiteral("The start that asked for a waiting pick went away: it is dropped."));
        Request dropped = std::move(*it);
        it = _queue.erase(it);
        tell(std::move(dropped), VQPickOutcome::cancelled(), false);
    }
}
