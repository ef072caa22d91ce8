#pragma once
// The shortcut recorder's state, without a widget: recording, the held
// modifiers, the recorded combination and its record in the user defaults,
// validation, and the transition between the idle and the recording look.
//
//   idle --click / Space--> recording --valid, free combination--> idle (new combo, saved, delegate told)
//                              |  \--taken--> alert, still recording
//                              \--Escape/Backspace/Delete without modifiers, snap-back--> idle (unchanged)
//
// SRRecorderControl draws it and feeds it the keyboard.

#include "platform/VQKeyCombo.h"
#include "ui/prefs/SRCommon.h"
#include "ui/prefs/SRValidator.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

class SRRecorderCell;

class SRRecorderCellDelegate
{
  public:
    virtual ~SRRecorderCellDelegate();
    // After every load, recording and clearing.
    virtual void shortcutRecorderCellKeyComboDidChange(SRRecorderCell &cell, const VQKeyCombo &combo) = 0;
    // A veto: true refuses the combination; `reason` may say why.
    virtual bool shortcutRecorderCellIsKeyCodeAndFlagsTaken(SRRecorderCell &cell, int keyCode, std::uint32_t flags,
                                                            QString *reason)
    {
        return false;
    }
};

// One key press as the recorder sees it.
struct SRKeyEvent {
    int keyCode = VQKeyCode::None;   // virtual key code; None for keys VQKeyCode does not know
    std::uint32_t modifierFlags = 0; // key-event flags held with it
    QString characters;              // what the key types with the modifiers
    QString charactersIgnoringModifiers;
};

class SRRecorderCell : public QObject, private SRValidatorDelegate
{
    Q_OBJECT

  public:
    // Ticks of the transition: 21 steps of 1/30 s.
    static constexpr int TransitionTickInterval = 1000 / 30;
    static constexpr double TransitionStep = 0.095238097;
    static constexpr double TransitionEnd = 0.998;

    explicit SRRecorderCell(QObject *parent = nullptr);
    ~SRRecorderCell() override;

    VQKeyCombo keyCombo() const { return _keyCombo; }
    // Sets the combination (no save, no delegate call) and redraws.
    void setKeyCombo(const VQKeyCombo &combo);

    QString autosaveName() const { return _autosaveName; }
    void setAutosaveName(const QString &name) { _autosaveName = name; }

    std::uint32_t allowedFlags() const { return _allowedFlags; }
    void setAllowedFlags(std::uint32_t flags) { _allowedFlags = flags & SRAllowableFlags; }
    std::uint32_t requiredFlags() const { return _requiredFlags; }
    void setRequiredFlags(std::uint32_t flags) { _requiredFlags = flags & SRAllowableFlags; }
    bool allowsKeyOnly() const { return _allowsKeyOnly; }
    bool escapeKeysRecord() const { return _escapeKeysRecord; }
    void setAllowsKeyOnly(bool allowsKeyOnly, bool escapeKeysRecord);

    SRRecorderCellDelegate *delegate() const { return _delegate; }
    void setDelegate(SRRecorderCellDelegate *delegate) { _delegate = delegate; }
    // Where the validator asks whether another program holds a combination.
    void setHeldElsewhereQuery(SRValidator::HeldElsewhereQuery query)
    {
        _validator.setHeldElsewhereQuery(std::move(query));
    }

    // Whether the whole keyboard belongs to the recorder while it records, so
    // that the desktop's own shortcuts do not fire. On by default.
    bool canCaptureGlobalHotKeys() const { return _canCaptureGlobalHotKeys; }
    void setCanCaptureGlobalHotKeys(bool capture) { _canCaptureGlobalHotKeys = capture; }

    bool isEnabled() const { return _enabled; }
    void setEnabled(bool enabled);

    bool isRecording() const { return _isRecording; }
    // The modifiers held while recording (filtered), for the live text.
    std::uint32_t recordingFlags() const { return _recordingFlags; }

    // What the control shows: the combination, "Click to record shortcut" when
    // there is none, the held modifiers or "Type shortcut" while recording.
    QString displayText() const;

    // Input.
    // Starts recording (a click, or Space); no-op while disabled or recording.
    void beginRecording();
    // Ends recording without a change (the snap-back button).
    void cancelRecording();
    // Removes the combination: saved, delegate told.
    void clearKeyCombo();
    // A key press; true when the event was consumed. `hasFocus` tells whether
    // the control has the keyboard focus.
    bool performKeyEquivalent(const SRKeyEvent &event, bool hasFocus = true);
    // The held modifiers changed while the control has the keyboard.
    void flagsChanged(std::uint32_t modifierFlags);

    // The record in the user defaults under "ShortcutRecorder " + autosaveName.
    void loadKeyCombo();
    void saveKeyCombo() const;

    // Transition.
    bool isAnimatingNow() const { return _isAnimatingNow; }
    bool isAnimatingTowardsRecording() const { return _isAnimatingTowardsRecording; }
    double transitionProgress() const { return _transitionProgress; }
    // Where the drawing is: 0 idle … 1 recording, eased.
    double transitionPosition() const;
    void setAnimates(bool animates) { _animates = animates; }
    // One step of 1/30 s; the timer calls it, tests may too.
    void transitionTick();

  signals:
    void needsDisplay();
    void recordingStarted();
    void recordingEnded();
    // Around the alert shown for a refused combination: the control lets go
    // of the keyboard so that the alert can be answered.
    void alertWillShow();
    void alertDidEnd();

  private:
    bool shortcutValidatorIsKeyCodeAndFlagsTaken(SRValidator &validator, int keyCode, std::uint32_t carbonFlags,
                                                 QString *reason) override;
    void startRecording();
    void endRecording();
    void startTransition(bool towardsRecording);

    VQKeyCombo _keyCombo;
    QString _autosaveName;
    std::uint32_t _allowedFlags = SRAllowableFlags;
    std::uint32_t _requiredFlags = 0;
    bool _allowsKeyOnly = false;
    bool _escapeKeysRecord = false;
    bool _canCaptureGlobalHotKeys = true;
    bool _enabled = true;
    bool _isRecording = false;
    std::uint32_t _recordingFlags = 0;
    SRRecorderCellDelegate *_delegate = nullptr;
    SRValidator _validator;

    bool _animates = true;
    bool _isAnimatingNow = false;
    bool _isAnimatingTowardsRecording = false;
    double _transitionProgress = 0;
    QTimer _transitionTimer;
};
