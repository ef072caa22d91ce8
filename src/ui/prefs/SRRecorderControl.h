#pragma once
// The shortcut recorder control: draws its cell and feeds it clicks and keys.
// While it records it holds the whole keyboard, so that the desktop's own
// shortcuts (and Vellico's global one) reach it instead of firing.

#include "ui/accessibility/VQAccessibleControl.h"
#include "ui/prefs/SRRecorderCell.h"

#include <QWidget>

class QKeyEvent;

class SRRecorderControl : public QWidget, public VQAccessibleControl
{
    Q_OBJECT

  public:
    explicit SRRecorderControl(QWidget *parent = nullptr);
    ~SRRecorderControl() override;

    SRRecorderCell &cell() { return _cell; }
    const SRRecorderCell &cell() const { return _cell; }

    VQKeyCombo keyCombo() const { return _cell.keyCombo(); }
    void setKeyCombo(const VQKeyCombo &combo) { _cell.setKeyCombo(combo); }
    QString autosaveName() const { return _cell.autosaveName(); }
    void setAutosaveName(const QString &name) { _cell.setAutosaveName(name); }
    std::uint32_t allowedFlags() const { return _cell.allowedFlags(); }
    void setAllowedFlags(std::uint32_t flags) { _cell.setAllowedFlags(flags); }
    std::uint32_t requiredFlags() const { return _cell.requiredFlags(); }
    void setRequiredFlags(std::uint32_t flags) { _cell.setRequiredFlags(flags); }
    SRRecorderCellDelegate *delegate() const { return _cell.delegate(); }
    void setDelegate(SRRecorderCellDelegate *delegate) { _cell.setDelegate(delegate); }

    QSize sizeHint() const override;

    // A key event as the recorder reads it: the virtual key code from the key's
    // symbol, the held modifiers as key-event flags (the function-key bit for
    // keys that type nothing), and the key's texts.
    static SRKeyEvent keyEventFromQt(const QKeyEvent &event);

    // The rectangle of the small button at the right end: remove the
    // shortcut when idle, keep the old one while recording.
    QRect accessoryButtonRect() const;

    // A button named "Global shortcut" whose value is the shortcut (or what the
    // control asks for); pressing starts recording.
    QAccessible::Role accessibleRole() const override { return QAccessible::Button; }
    QString accessibleValueText() const override { return _cell.displayText(); }
    QStringList accessibleActions() const override { return {QAccessibleActionInterface::pressAction()}; }
    void doAccessibleAction(const QString &) override;

  protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void updateModifiers(const QKeyEvent &event, bool pressed);
    void takeKeyboard();
    void releaseKeyboardGrab();

    SRRecorderCell _cell;
    bool _holdsKeyboard = false;
    bool _alertShowing = false;
};
