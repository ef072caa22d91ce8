#include "ui/prefs/SRRecorderControl.h"

#include "platform/VQKeyCode.h"

#include "vqcore/VQLocalizedString.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <xkbcommon/xkbcommon.h>

namespace
{
constexpr int kAccessorySize = 16;

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// Keys that carry the function-key bit, as they do in the stored records.
bool isFunctionBitKey(int keyCode)
{
    using namespace VQKeyCode;
    switch (keyCode) {
    case LeftArrow:
    case RightArrow:
    case UpArrow:
    case DownArrow:
    case Home:
    case End:
    case PageUp:
    case PageDown:
    case ForwardDelete:
    case Help:
        return true;
    default:
        return SRIsFunctionKey(keyCode);
    }
}

std::uint32_t modifierFlagOfKey(int key)
{
    switch (key) {
    case Qt::Key_Control:
        return VQModifierFlag::Command;
    case Qt::Key_Alt:
        return VQModifierFlag::Option;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return VQModifierFlag::Control;
    case Qt::Key_Shift:
        return VQModifierFlag::Shift;
    default:
        return 0;
    }
}
} // namespace

SRRecorderControl::SRRecorderControl(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(VQLocalizedString("Global shortcut"));
    connect(&_cell, &SRRecorderCell::needsDisplay, this, [this] {
        update();
        VQAccessibleValueChanged(this);
    });
    connect(&_cell, &SRRecorderCell::recordingStarted, this, [this] {
        setFocus(Qt::OtherFocusReason);
        takeKeyboard();
        setToolTip(VQLocalizedString("Use old shortcut"));
    });
    connect(&_cell, &SRRecorderCell::recordingEnded, this, [this] {
        releaseKeyboardGrab();
        setToolTip({});
    });
    connect(&_cell, &SRRecorderCell::alertWillShow, this, [this] {
        _alertShowing = true;
        releaseKeyboardGrab();
    });
    connect(&_cell, &SRRecorderCell::alertDidEnd, this, [this] {
        _alertShowing = false;
        if (_cell.isRecording()) {
            // The user let go of some keys while answering.
            _cell.flagsChanged(VQQtModifiersToCocoaFlags(QGuiApplication::queryKeyboardModifiers()));
            activateWindow();
            setFocus(Qt::OtherFocusReason);
            takeKeyboard();
        }
    });
}

SRRecorderControl::~SRRecorderControl()
{
    releaseKeyboardGrab();
}

QSize SRRecorderControl::sizeHint() const
{
    return {180, 22};
}

SRKeyEvent SRRecorderControl::keyEventFromQt(const QKeyEvent &event)
{
    SRKeyEvent result;
    std::uint32_t keysym = event.nativeVirtualKey();
    if (keysym == 0)
        keysym = VQKeyCode::keysymFromQtKey(event.key());
    if (const std::optional<int> code = VQKeyCode::fromKeysym(keysym))
        result.keyCode = *code;
    result.modifierFlags = VQQtModifiersToCocoaFlags(event.modifiers());
    if (isFunctionBitKey(result.keyCode))
        result.modifierFlags |= VQModifierFlag::Function;

    const std::uint32_t character = keysym ? xkb_keysym_to_utf32(keysym) : 0;
    if (character >= 0x20 && character != 0x7f)
        result.charactersIgnoringModifiers = QString::fromUcs4(reinterpret_cast<const char32_t *>(&character), 1);
    else if (result.keyCode >= 0)
        // Keys that type nothing go by their name, so that Ctrl+F5 or Ctrl+Tab can be recorded.
        result.charactersIgnoringModifiers = SRStringForKeyCode(result.keyCode);
    const QString text = event.text();
    result.characters = !text.isEmpty() && text.at(0).isPrint() ? text : result.charactersIgnoringModifiers;
    return result;
}

QRect SRRecorderControl::accessoryButtonRect() const
{
    return {width() - kAccessorySize - 5, (height() - kAccessorySize) / 2, kAccessorySize, kAccessorySize};
}

bool SRRecorderControl::event(QEvent *event)
{
    if (_cell.isRecording()) {
        // Every key belongs to the recorder while it records: no shortcut of
        // the window runs, Tab does not move the focus.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            keyPressEvent(static_cast<QKeyEvent *>(event));
            return true;
        }
    }
    return QWidget::event(event);
}

namespace
{
// Whether a text's script has italic forms: Arabic, Japanese and most others
// have none, and a slanted font may lack their letters altogether.
bool writtenInItalics(const QString &text)
{
    for (const QChar c : text) {
        const QChar::Script script = c.script();
        if (c.isLetter() && script != QChar::Script_Latin && script != QChar::Script_Greek &&
            script != QChar::Script_Cyrillic)
            return false;
    }
    return true;
}
} // namespace

void SRRecorderControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double t = _cell.transitionPosition();
    const bool enabled = isEnabled();

    const QColor idleFill = QColor::fromRgbF(0.16f, 0.16f, 0.16f);
    const QColor recordingFill = QColor(38, 92, 184);
    painter.setPen(
        QPen(hasFocus() && !_cell.isRecording() ? QColor(90, 150, 240) : QColor::fromRgbF(0.36f, 0.36f, 0.36f), 1.0));
    painter.setBrush(mix(idleFill, recordingFill, t));
    painter.drawRoundedRect(frame, height() / 2.0 - 1, height() / 2.0 - 1);

    const QRect accessory = accessoryButtonRect();
    const bool showsAccessory = _cell.isRecording() || _cell.keyCombo().code >= 0;
    QRect textRect = rect().adjusted(8, 0, showsAccessory ? -(kAccessorySize + 8) : -8, 0);

    QFont font = painter.font();
    font.setPixelSize(11);
    const bool placeholder = !_cell.isRecording() && _cell.keyCombo().code < 0;
    font.setItalic((placeholder || (_cell.isRecording() && !(_cell.recordingFlags() & VQModifierFlag::AllModifiers))) &&
                   writtenInItalics(_cell.displayText()));
    painter.setFont(font);
    QColor textColor = placeholder || _cell.isRecording() ? QColor::fromRgbF(0.85f, 0.85f, 0.85f) : Qt::white;
    if (!enabled)
        textColor.setAlphaF(0.4f);
    painter.setPen(textColor);
    painter.drawText(textRect, Qt::AlignCenter,
                     fontMetrics().elidedText(_cell.displayText(), Qt::ElideMiddle, textRect.width()));

    if (!showsAccessory)
        return;
    // The remove button (a cross in a disc) or, while recording, the snap-back
    // button (a curved arrow back).
    const bool hover = underMouse() && accessory.contains(mapFromGlobal(QCursor::pos()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(1, 1, 1, hover ? 0.85f : 0.55f));
    painter.drawEllipse(accessory);
    QPen glyph(mix(idleFill, recordingFill, t), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(glyph);
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = QRectF(accessory).adjusted(4.5, 4.5, -4.5, -4.5);
    if (_cell.isRecording()) {
        // An arc over the top from the right, ending in an arrowhead pointing down on the left.
        const QPointF centre = QRectF(accessory).center();
        const double radius = accessory.width() * 0.24;
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius + 1, 2 * radius, 2 * radius), -45 * 16,
                        225 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glyph.color());
        const QPointF tip(centre.x() - radius, centre.y() + 1 + 2.6);
        painter.drawPolygon(
            QPolygonF{QPointF(tip.x() - 2.4, tip.y() - 2.8), QPointF(tip.x() + 2.4, tip.y() - 2.8), tip});
    } else {
        painter.drawLine(inner.topLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomLeft());
    }
}

void SRRecorderControl::doAccessibleAction(const QString &)
{
    if (isEnabled() && !_cell.isRecording())
        _cell.beginRecording();
}

void SRRecorderControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const bool onAccessory = accessoryButtonRect().contains(event->position().toPoint());
    if (_cell.isRecording()) {
        if (onAccessory)
            _cell.cancelRecording();
    } else if (onAccessory && _cell.keyCombo().code >= 0) {
        _cell.clearKeyCombo();
    } else {
        _cell.beginRecording();
    }
    event->accept();
}

void SRRecorderControl::keyPressEvent(QKeyEvent *event)
{
    if (modifierFlagOfKey(event->key())) {
        updateModifiers(*event, true);
        event->accept();
        return;
    }
    if (_cell.performKeyEquivalent(keyEventFromQt(*event), hasFocus()) || _cell.isRecording())
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void SRRecorderControl::keyReleaseEvent(QKeyEvent *event)
{
    if (modifierFlagOfKey(event->key()))
        updateModifiers(*event, false);
    QWidget::keyReleaseEvent(event);
}

void SRRecorderControl::updateModifiers(const QKeyEvent &event, bool pressed)
{
    // X11 reports the state from before the event: add or take away the key itself.
    std::uint32_t flags = VQQtModifiersToCocoaFlags(event.modifiers());
    const std::uint32_t own = modifierFlagOfKey(event.key());
    flags = pressed ? flags | own : flags & ~own;
    _cell.flagsChanged(flags);
}

void SRRecorderControl::focusOutEvent(QFocusEvent *event)
{
    // Clicking elsewhere ends recording; an alert of our own does not.
    if (!_alertShowing && (event->reason() != Qt::ActiveWindowFocusReason || !_holdsKeyboard))
        _cell.cancelRecording();
    QWidget::focusOutEvent(event);
}

void SRRecorderControl::hideEvent(QHideEvent *event)
{
    // A window closed while recording (Escape elsewhere, a click on the tray
    // icon) must not keep the keyboard.
    _cell.cancelRecording();
    QWidget::hideEvent(event);
}

void SRRecorderControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        _cell.setEnabled(isEnabled());
    QWidget::changeEvent(event);
}

void SRRecorderControl::takeKeyboard()
{
    if (_cell.canCaptureGlobalHotKeys() && !_holdsKeyboard && isVisible()) {
        grabKeyboard();
        _holdsKeyboard = true;
    }
}

void SRRecorderControl::releaseKeyboardGrab()
{
    if (_holdsKeyboard) {
        releaseKeyboard();
        _holdsKeyboard = false;
    }
}
