#include "app/VQRequestController.h"

#include "app/VQPickController.h"
#include "app/VQVellicoApplication.h"
#include "core/VQColor.h"
#include "core/VQCopyTemplate.h"
#include "vqcore/VQLog.h"
#include "vqcore/VQUserDefaults.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

VQRequestController::VQRequestController(VQPickController &picks, Hooks hooks, QObject *parent)
    : QObject(parent), _picks(picks), _hooks(std::move(hooks))
{
}

QString VQRequestController::pickAnswer(const VQPickOutcome &outcome, int copyTemplate)
{
    const VQColorRef color = outcome.kind == VQPickOutcome::Kind::Picked ? VQColor::fromQColor(outcome.color) : nullptr;
    if (!color)
        return outcome.kind == VQPickOutcome::Kind::Failed && !outcome.reason.isEmpty()
                   ? QStringLiteral("failed ") + outcome.reason
                   : QStringLiteral("cancelled");
    const std::optional<VQCopyTemplate> format = VQCopyTemplateFromRawValue(copyTemplate);
    return QStringLiteral("picked ") +
           (format ? VQCopyText(*color, *format,
                                VQUserDefaults::standard().boolForKey(QLatin1String(VQUseLowercaseDefaultsKey)))
                   : color->hexValue());
}

void VQRequestController::performChannelMessage(const QString &message, const Reply &reply, quint64 asker)
{
    // A request right after start waits for the rest of the program to be built.
    if (_hooks.prepare)
        _hooks.prepare();
    const VQLaunchOptions options = VQLaunchOptions::parseChannelMessage(message);
    if (!options.error.isEmpty()) {
        reply(QStringLiteral("error ") + options.error);
        return;
    }
    // Started again with nothing to do: the user wants the window.
    if (options.requests.isEmpty()) {
        if (_hooks.toggleWindow)
            _hooks.toggleWindow();
        reply(QStringLiteral("ok"));
        return;
    }
    performRequests(options.requests, reply, asker);
}

void VQRequestController::performRequests(const QList<VQLaunchOptions::Request> &requests, const Reply &reply,
                                          quint64 asker)
{
    if (_hooks.prepare)
        _hooks.prepare();
    performRequestsFrom(requests, 0, QStringLiteral("ok"), reply, asker);
}

void VQRequestController::takeClipboardFocus(std::function<void()> then)
{
    if (_hooks.askForFocus)
        _hooks.askForFocus();
    // Whichever comes first goes on, once: the focus, or the end of the wait.
    auto *waiting = new QObject(this);
    const auto goOn = [this, waiting, then] {
        if (waiting->property("over").toBool())
            return;
        waiting->setProperty("over", true);
        waiting->deleteLater();
        // The compositor sends the clipboard's offer with the focus: let it arrive first.
        QTimer::singleShot(0, this, then);
    };
    connect(qApp, &QGuiApplication::focusWindowChanged, waiting, [goOn](QWindow *window) {
        if (window)
            goOn();
    });
    QTimer::singleShot(kClipboardFocusWaitMs, Qt::PreciseTimer, waiting, goOn);
}

void VQRequestController::performRequestsFrom(QList<VQLaunchOptions::Request> requests, qsizetype from, QString answer,
                                              Reply reply, quint64 asker)
{
    auto *app = qobject_cast<VQVellicoApplication *>(QCoreApplication::instance());
    for (qsizetype index = from; index < requests.size(); ++index) {
        const VQLaunchOptions::Request &request = requests[index];
        switch (request.command) {
        case VQLaunchOptions::Command::Copy:
            // Writing the clipboard needs an input event of ours besides the focus,
            // which a command from another process cannot bring: a copy is tried as it is.
            if (app)
                app->copy();
            break;
        case VQLaunchOptions::Command::CopyAlternate:
            if (app)
                app->copyAlternate();
            break;
        case VQLaunchOptions::Command::Paste:
            // Reading the clipboard needs the focus: the rest waits for it, a moment at most.
            if (_hooks.hasClipboardFocus && !_hooks.hasClipboardFocus()) {
                takeClipboardFocus([this, requests, index, answer, reply, asker] {
                    if (_hooks.hasClipboardFocus && !_hooks.hasClipboardFocus())
                        VQLog("The compositor did not give Vellico the keyboard focus: the clipboard may not follow.");
                    if (auto *later = qobject_cast<VQVellicoApplication *>(QCoreApplication::instance()))
                        later->paste();
                    performRequestsFrom(requests, index + 1, answer, reply, asker);
                });
                return;
            }
            if (app)
                app->paste();
            break;
        case VQLaunchOptions::Command::Pick:
            // The rest waits for the pick's outcome, which comes later.
            _picks.pick(
                [this, requests, index, reply, asker,
                 copyTemplate = request.copyTemplate](const VQPickOutcome &outcome) {
                    performRequestsFrom(requests, index + 1, pickAnswer(outcome, copyTemplate), reply, asker);
                },
                asker, request.sampleSize);
            return;
        }
    }
    if (reply)
        reply(answer);
}
