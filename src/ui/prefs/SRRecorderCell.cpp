#include "ui/prefs/SRRecorderCell.h"

#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQUserDefaults.h"

#include <algorithm>

SRRecorderCellDelegate::~SRRecorderCellDelegate() = default;

namespace
{
// Escape, Backspace and Delete end recording when pressed without modifiers.
bool isCancelKey(int keyCode)
{
    return keyCode == VQKeyCode::Escape || keyCode == VQKeyCode::Delete || keyCode == VQKeyCode::ForwardDelete;
}
} // namespace

SRRecorderCell::SRRecorderCell(QObject *parent) : QObject(parent), _validator(this)
{
    _transitionTimer.setInterval(TransitionTickInterval);
    connect(&_transitionTimer, &QTimer::timeout, this, &SRRecorderCell::transitionTick);
}

SRRecorderCell::~SRRecorderCell() = default;

void SRRecorderCell::setKeyCombo(const VQKeyCombo &combo)
{
    _keyCombo = combo;
    emit needsDisplay();
}

void SRRecorderCell::setAllowsKeyOnly(bool allowsKeyOnly, bool escapeKeysRecord)
{
    _allowsKeyOnly = allowsKeyOnly;
    _escapeKeysRecord = escapeKeysRecord;
}

void SRRecorderCell::setEnabled(bool enabled)
{
    _enabled = enabled;
    if (!enabled && _isRecording)
        endRecording();
    emit needsDisplay();
}

QString SRRecorderCell::displayText() const
{
    if (_isRecording) {
        if (_recordingFlags & VQModifierFlag::AllModifiers)
            return SRStringForCocoaModifierFlags(_recordingFlags);
        return VQLocalizedString("Type shortcut");
    }
    if (_keyCombo.code < 0 && !(_keyCombo.flags & VQModifierFlag::AllModifiers))
        return VQLocalizedString("Click to record shortcut");
    return SRStringForCocoaModifierFlagsAndKeyCode(_keyCombo.flags, _keyCombo.code);
}

void SRRecorderCell::beginRecording()
{
    if (!_enabled || _isRecording)
        return;
    startRecording();
}

void SRRecorderCell::cancelRecording()
{
    if (_isRecording)
        endRecording();
}

void SRRecorderCell::clearKeyCombo()
{
    if (_isRecording)
        endRecording();
    _keyCombo = VQKeyCombo{};
    if (_delegate)
        _delegate->shortcutRecorderCellKeyComboDidChange(*this, _keyCombo);
    saveKeyCombo();
    emit needsDisplay();
}

bool SRRecorderCell::performKeyEquivalent(const SRKeyEvent &event, bool hasFocus)
{
    const std::uint32_t flags = SRFilteredCocoaFlags(event.modifierFlags, _allowedFlags, _requiredFlags);
    const bool cancel = isCancelKey(event.keyCode);
    // A cancel key is judged on what is really held, not on what the recorder allows.
    const bool valid =
        SRIsValidCombination(cancel ? event.modifierFlags & SRAllowableFlags : flags, event.keyCode, _allowsKeyOnly);

    const auto startsOnSpace = [&] {
        if (event.characters == QLatin1String(" ")) {
            if (!_isRecording)
                startRecording();
            return true;
        }
        if (hasFocus && _enabled && event.characters.startsWith(QLatin1Char(' ')) && !_isRecording)
            startRecording();
        return false;
    };

    if (!_isRecording)
        return _enabled && startsOnSpace();
    if (!valid && !cancel)
        return startsOnSpace();

    const bool onlyFunctionKey = !(event.modifierFlags & VQModifierFlag::AllModifiers);
    if (cancel && (!valid || (onlyFunctionKey && _allowsKeyOnly && !_escapeKeysRecord))) {
        endRecording();
        return true;
    }

    if (event.charactersIgnoringModifiers.isEmpty() || event.keyCode < 0) {
        VQModalUI::shared().beep();
        endRecording();
        return true;
    }

    SRValidationError error;
    if (_validator.isKeyCodeAndFlagsTaken(event.keyCode, VQCocoaToCarbonFlags(flags), &error)) {
        emit alertWillShow();
        VQModalUI::shared().runAlert({error.messageText, error.informativeText, {VQLocalizedString("OK")}});
        // The keys held for the refused combination have most likely been let go
        // while answering: nothing is known to be held until the control reads
        // the keyboard again (alertDidEnd) or a modifier changes.
        _recordingFlags = _requiredFlags;
        emit needsDisplay();
        emit alertDidEnd();
        return true;
    }

    _keyCombo.flags = flags;
    _keyCombo.code = event.keyCode;
    _keyCombo.keyChars = event.characters;
    _keyCombo.keyCharsIgnoringModifiers = event.charactersIgnoringModifiers;
    if (_delegate)
        _delegate->shortcutRecorderCellKeyComboDidChange(*this, _keyCombo);
    saveKeyCombo();
    endRecording();
    return true;
}

void SRRecorderCell::flagsChanged(std::uint32_t modifierFlags)
{
    if (!_isRecording)
        return;
    _recordingFlags = SRFilteredCocoaFlags(modifierFlags, _allowedFlags, _requiredFlags);
    emit needsDisplay();
}

void SRRecorderCell::loadKeyCombo()
{
    if (_autosaveName.isEmpty())
        return;
    VQKeyCombo combo = VQKeyComboRecord::load(VQUserDefaults::standard(), _autosaveName);
    combo.flags = SRFilteredCocoaFlags(combo.flags, _allowedFlags, _requiredFlags);
    _keyCombo = combo;
    if (_delegate)
        _delegate->shortcutRecorderCellKeyComboDidChange(*this, _keyCombo);
    emit needsDisplay();
}

void SRRecorderCell::saveKeyCombo() const
{
    if (_autosaveName.isEmpty())
        return;
    VQKeyComboRecord::save(VQUserDefaults::standard(), _autosaveName, _keyCombo);
    VQUserDefaults::standard().synchronize();
}

bool SRRecorderCell::shortcutValidatorIsKeyCodeAndFlagsTaken(SRValidator &, int keyCode, std::uint32_t carbonFlags,
                                                             QString *reason)
{
    return _delegate && _delegate->shortcutRecorderCellIsKeyCodeAndFlagsTaken(
                            *this, keyCode, VQCarbonToCocoaFlags(carbonFlags), reason);
}

void SRRecorderCell::startRecording()
{
    _isRecording = true;
    _recordingFlags = _requiredFlags;
    startTransition(true);
    emit recordingStarted();
    emit needsDisplay();
}

void SRRecorderCell::endRecording()
{
    _isRecording = false;
    _recordingFlags = 0;
    startTransition(false);
    emit recordingEnded();
    emit needsDisplay();
}

void SRRecorderCell::startTransition(bool towardsRecording)
{
    _isAnimatingTowardsRecording = towardsRecording;
    _transitionProgress = 0;
    if (!_animates) {
        _isAnimatingNow = false;
        _transitionTimer.stop();
        return;
    }
    _isAnimatingNow = true;
    _transitionTimer.start();
}

void SRRecorderCell::transitionTick()
{
    if (!_isAnimatingNow)
        return;
    _transitionProgress = std::min(1.0, _transitionProgress + TransitionStep);
    if (_transitionProgress >= TransitionEnd) {
        _transitionProgress = 1.0;
        _isAnimatingNow = false;
        _transitionTimer.stop();
    }
    emit needsDisplay();
}

double SRRecorderCell::transitionPosition() const
{
    if (!_isAnimatingNow)
        return _isRecording ? 1.0 : 0.0;
    const double eased = SRAnimationEaseInOut(_transitionProgress);
    return _isAnimatingTowardsRecording ? eased : 1.0 - eased;
}
