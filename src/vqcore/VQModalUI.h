#pragma once
// Every modal question the program asks goes through one service: alerts with
// buttons and an optional suppression box, a text prompt, open and save panels,
// and the beep. The desktop program installs the widget implementation; tests
// install VQScriptedModalUI and answer in advance.

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

// Warning: something needs the user's decision; Informational: only news (the About box).
enum class VQAlertStyle { Warning, Informational };

struct VQAlert {
    QString messageText;
    QString informativeText;
    QStringList buttons; // first = default button; empty means a single "OK"
    bool showsSuppressionButton = false;
    QString suppressionText = {}; // empty: "Do not show this message again"
    VQAlertStyle style = VQAlertStyle::Warning;
};

// The button that Escape and the window's close button answer: the one titled
// "Cancel", or an alert's only button; -1 when there is none, and then
// neither dismisses the alert.
int VQAlertCancelButton(const VQAlert &alert);

struct VQAlertResponse {
    int button = 0; // index into VQAlert::buttons
    bool suppressed = false;
};

struct VQTextPrompt {
    QString messageText;
    QString informativeText;
    QString text;        // the text the field starts with
    QStringList buttons; // first = accept, second = cancel
};

struct VQFilePanel {
    QString title;
    QStringList allowedExtensions; // without the dot; empty = any file
    QString directory;             // where the panel starts
    QString proposedName;          // save panels: the file name offered
    bool choosesFolders = false;   // open panels: a folder is chosen, not a file
    QString fileKind;              // how the type list names those files ("Palette files")
};

class VQModalUI
{
  public:
    virtual ~VQModalUI();

    virtual VQAlertResponse runAlert(const VQAlert &alert) = 0;
    // The entered text, or nothing when cancelled.
    virtual std::optional<QString> runTextPrompt(const VQTextPrompt &prompt) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<QString> runOpenPanel(const VQFilePanel &panel) = 0;
    virtual std::optional<QString> runSavePanel(const VQFilePanel &panel) = 0;
    virtual void beep() = 0;

    // The installed service; a VQHeadlessModalUI until something else is installed.
    static VQModalUI &shared();
    // Takes ownership; returns the previous service.
    static std::unique_ptr<VQModalUI> install(std::unique_ptr<VQModalUI> ui);
};

// For programs without a display: every alert is printed to standard error and
// answered with its first button; prompts and panels are cancelled.
class VQHeadlessModalUI : public VQModalUI
{
  public:
    VQAlertResponse runAlert(const VQAlert &alert) override;
    std::optional<QString> runTextPrompt(const VQTextPrompt &prompt) override;
    std::optional<QString> runOpenPanel(const VQFilePanel &panel) override;
    std::optional<QString> runSavePanel(const VQFilePanel &panel) override;
    void beep() override;
};

// Answers from a script, in order, and records everything it was asked.
// An unexpected question (nothing scripted, or a reply of the wrong kind)
// throws std::logic_error naming it, so a test fails loudly.
class VQScriptedModalUI : public VQModalUI
{
  public:
    struct Cancel {
    };
    using Reply = std::variant<VQAlertResponse, QString, Cancel>;

    VQScriptedModalUI &answerAlert(int button, bool suppressed = false);
    VQScriptedModalUI &answerText(const QString &text); // prompt text or panel path
    VQScriptedModalUI &answerCancel();

    VQAlertResponse runAlert(const VQAlert &alert) override;
    std::optional<QString> runTextPrompt(const VQTextPrompt &prompt) override;
    std::optional<QString> runOpenPanel(const VQFilePanel &panel) override;
    std::optional<QString> runSavePanel(const VQFilePanel &panel) override;
    void beep() override;

    const std::vector<VQAlert> &alerts() const { return _alerts; }
    const std::vector<VQTextPrompt> &prompts() const { return _prompts; }
    const std::vector<VQFilePanel> &openPanels() const { return _openPanels; }
    const std::vector<VQFilePanel> &savePanels() const { return _savePanels; }
    int beeps() const { return _beeps; }
    bool allRepliesUsed() const { return _replies.empty(); }

  private:
    Reply takeReply(const QString &what);
    std::optional<QString> pathOrText(const QString &what);

    std::deque<Reply> _replies;
    std::vector<VQAlert> _alerts;
    std::vector<VQTextPrompt> _prompts;
    std::vector<VQFilePanel> _openPanels;
    std::vector<VQFilePanel> _savePanels;
    int _beeps = 0;
};
