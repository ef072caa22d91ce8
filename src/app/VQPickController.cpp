#include "app/VQPickController.h"

#include "vqcore/VQLog.h"

#include <QCoreApplication>
#include <QTimer>

VQPickController::VQPickController(VQScreenPicker &picker, QObject *parent) : QObject(parent), _picker(picker)
{
    connect(&_picker, &VQScreenPicker::finished, this, &VQPickController::pickerFinished);
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &VQPickController::quitting);
}

VQPickController::~VQPickController() = default;

void VQPickController::pickInto(std::function<void(const QColor &)> take)
{
    pick(
        [take = std::move(take)](const VQPickOutcome &outcome) {
            if (outcome.kind == VQPickOutcome::Kind::Picked)
                take(outcome.color);
        },
        0, 0, VQPickUse::AskerOnly);
}

void VQPickController::pick(Done done, quint64 asker, int sampleSize, VQPickUse use)
{
    Request request{std::move(done), asker, sampleSize, use};
    if (_quitting) {
        tell(std::move(request), VQPickOutcome::cancelled(), false);
        return;
    }
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
    if (!_picker.pick(_current->sampleSize)) {
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
    _untold.push_back({std::move(request), outcome, emitFinished});
    QTimer::singleShot(0, this, &VQPickController::tellOne);
}

void VQPickController::tellOne()
{
    if (_untold.empty())
        return; // told already, as the program quit
    Untold told = std::move(_untold.front());
    _untold.pop_front();
    if (told.emitFinished)
        emit finished(told.outcome, told.request.use);
    if (told.request.done)
        told.request.done(told.outcome);
    startNext();
}

void VQPickController::quitting()
{
    _quitting = true;
    _picker.cancel();
    if (_current) { // a picker that ends later than the program: its asker hears a cancel now
        _untold.push_back({std::move(*_current), VQPickOutcome::cancelled(), true});
        _current.reset();
    }
    while (!_queue.empty()) {
        _untold.push_back({std::move(_queue.front()), VQPickOutcome::cancelled(), false});
        _queue.pop_front();
    }
    while (!_untold.empty())
        tellOne();
}

void VQPickController::startNext()
{
    if (_quitting || _current || !_untold.empty() || _queue.empty() || _picker.isRunning())
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
