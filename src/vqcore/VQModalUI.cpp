#include "vqcore/VQModalUI.h"

#include "vqcore/VQLocalizedString.h"

#include <cstdio>
#include <mutex>
#include <stdexcept>

namespace
{
std::mutex gModalMutex;
std::unique_ptr<VQModalUI> gShared;
} // namespace

VQModalUI::~VQModalUI() = default;

VQModalUI &VQModalUI::shared()
{
    std::lock_guard lock(gModalMutex);
    if (!gShared)
        gShared = std::make_unique<VQHeadlessModalUI>();
    return *gShared;
}

std::unique_ptr<VQModalUI> VQModalUI::install(std::unique_ptr<VQModalUI> ui)
{
    std::lock_guard lock(gModalMutex);
    std::swap(gShared, ui);
    return ui;
}

int VQAlertCancelButton(const VQAlert &alert)
{
    if (alert.buttons.size() <= 1)
        return 0;
    return int(alert.buttons.indexOf(VQLocalizedString("Cancel")));
}

VQAlertResponse VQHeadlessModalUI::runAlert(const VQAlert &alert)
{
    std::fprintf(stderr, "%s\n", alert.messageText.toUtf8().constData());
    if (!alert.informativeText.isEmpty())
        std::fprintf(stderr, "%s\n", alert.informativeText.toUtf8().constData());
    return {0, false};
}

std::optional<QString> VQHeadlessModalUI::runTextPrompt(const VQTextPrompt &)
{
    return std::nullopt;
}
std::optional<QString> VQHeadlessModalUI::runOpenPanel(const VQFilePanel &)
{
    return std::nullopt;
}
std::optional<QString> VQHeadlessModalUI::runSavePanel(const VQFilePanel &)
{
    return std::nullopt;
}
void VQHeadlessModalUI::beep() {}

VQScriptedModalUI &VQScriptedModalUI::answerAlert(int button, bool suppressed)
{
    _replies.emplace_back(VQAlertResponse{button, suppressed});
    return *this;
}

VQScriptedModalUI &VQScriptedModalUI::answerText(const QString &text)
{
    _replies.emplace_back(text);
    return *this;
}

VQScriptedModalUI &VQScriptedModalUI::answerCancel()
{
    _replies.emplace_back(Cancel{});
    return *this;
}

VQScriptedModalUI::Reply VQScriptedModalUI::takeReply(const QString &what)
{
    if (_replies.empty())
        throw std::logic_error(("no scripted reply for " + what).toStdString());
    Reply reply = std::move(_replies.front());
    _replies.pop_front();
    return reply;
}

VQAlertResponse VQScriptedModalUI::runAlert(const VQAlert &alert)
{
    _alerts.push_back(alert);
    const QString what = QStringLiteral("alert \"%1\" / \"%2\"").arg(alert.messageText, alert.informativeText);
    Reply reply = takeReply(what);
    if (auto *response = std::get_if<VQAlertResponse>(&reply)) {
        const int count = alert.buttons.isEmpty() ? 1 : int(alert.buttons.size());
        if (response->button < 0 || response->button >= count)
            throw std::logic_error(("scripted button out of range for " + what).toStdString());
        return *response;
    }
    throw std::logic_error(("scripted reply is not an alert answer for " + what).toStdString());
}

std::optional<QString> VQScriptedModalUI::pathOrText(const QString &what)
{
    Reply reply = takeReply(what);
    if (auto *text = std::get_if<QString>(&reply))
        return *text;
    if (std::holds_alternative<Cancel>(reply))
        return std::nullopt;
    throw std::logic_error(("scripted reply is an alert answer for " + what).toStdString());
}

std::optional<QString> VQScriptedModalUI::runTextPrompt(const VQTextPrompt &prompt)
{
    _prompts.push_back(prompt);
    return pathOrText(QStringLiteral("text prompt \"%1\"").arg(prompt.messageText));
}

std::optional<QString> VQScriptedModalUI::runOpenPanel(const VQFilePanel &panel)
{
    _openPanels.push_back(panel);
    return pathOrText(QStringLiteral("open panel (%1)").arg(panel.allowedExtensions.join(QLatin1Char(','))));
}

std::optional<QString> VQScriptedModalUI::runSavePanel(const VQFilePanel &panel)
{
    _savePanels.push_back(panel);
    return pathOrText(QStringLiteral("save panel (%1)").arg(panel.allowedExtensions.join(QLatin1Char(','))));
}

void VQScriptedModalUI::beep()
{
    ++_beeps;
}
