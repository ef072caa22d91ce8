#pragma once
// Decides whether a key combination may become a shortcut, in this order:
//   1. the delegate's veto;
//   2. combinations another program holds (the desktop's own shortcuts and
//      other programs' global keys: a grab the X server refuses), and keys
//      without a name;
//   3. the program's own commands: the keys of the main window (VQMainWindowShortcuts).
// Each refusal comes with the texts of the alert that tells the user why.

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class SRValidator;

struct SRValidationError {
    QString messageText;     // "The key combination Ctrl + C can't be used!"
    QString informativeText; // why; the alert's one button is "OK"
};

class SRValidatorDelegate
{
  public:
    virtual ~SRValidatorDelegate();
    // True vetoes the combination; `reason` may say why ("it's already used" otherwise).
    virtual bool shortcutValidatorIsKeyCodeAndFlagsTaken(SRValidator &validator, int keyCode, std::uint32_t carbonFlags,
                                                         QString *reason) = 0;
};

// One of the program's own commands and the keys that run it.
struct SRCommandShortcut {
    QString title;
    QString keyEquivalent;    // the key's name as SRStringForKeyCode gives it ("C")
    std::uint32_t cocoaFlags; // the modifiers it is run with
};

class SRValidator
{
  public:
    // Whether another program holds (keyCode, carbonFlags): true held, false
    // free, nothing when the question could not be asked (counts as held).
    using HeldElsewhereQuery = std::function<std::optional<bool>(int keyCode, std::uint32_t carbonFlags)>;

    explicit SRValidator(SRValidatorDelegate *delegate = nullptr) : _delegate(delegate) {}

    void setDelegate(SRValidatorDelegate *delegate) { _delegate = delegate; }

    // Where step 2 asks (the global shortcut service, through the
    // preferences); none means nothing is held elsewhere.
    void setHeldElsewhereQuery(HeldElsewhereQuery query) { _heldElsewhere = std::move(query); }
    // The program's own commands, from the main window's table of keys.
    static QList<SRCommandShortcut> applicationCommands();

    // Steps 1 to 3 above; on refusal fills `error` when given.
    bool isKeyCodeAndFlagsTaken(int keyCode, std::uint32_t carbonFlags, SRValidationError *error);
    // Step 3 alone, against `commands`.
    bool isKeyCodeAndFlagsTakenInMenu(int keyCode, std::uint32_t carbonFlags, const QList<SRCommandShortcut> &commands,
                                      SRValidationError *error) const;

  private:
    SRValidatorDelegate *_delegate;
    HeldElsewhereQuery _heldElsewhere;
};
