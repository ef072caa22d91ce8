#pragma once
// What a drawn control tells screen readers. A widget that paints its own
// control inherits VQAccessibleControl beside QWidget and answers its role, its
// value in words and, for a control along one axis, its value as a number;
// VQInstallAccessibleControls() gives every such widget an interface for Qt's
// accessibility bridge (AT-SPI on Linux). The name is the widget's
// accessibleName, as for any widget.

#include <QAccessible>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

class VQAccessibleControl
{
  public:
    // A value along one axis, in the control's own unit.
    struct Range {
        double value = 0;
        double minimum = 0;
        double maximum = 0;
        double step = 0;
    };

    virtual ~VQAccessibleControl() = default;

    virtual QAccessible::Role accessibleRole() const = 0;
    // The value in words ("Hue 210°, saturation 49%"); empty for a control without one.
    virtual QString accessibleValueText() const { return {}; }
    // The value as a number, for a control along one axis; a screen reader may set it.
    virtual std::optional<Range> accessibleRange() const { return std::nullopt; }
    virtual void setAccessibleValue(double) {}
    // The actions the control answers (QAccessibleActionInterface's names, such as
    // pressAction()), and doing one.
    virtual QStringList accessibleActions() const { return {}; }
    virtual void doAccessibleAction(const QString &) {}
};

// Tells screen readers that the value of `control` (a widget inheriting
// VQAccessibleControl) changed. Nothing happens while no screen reader listens.
void VQAccessibleValueChanged(QWidget *control);

// Gives every widget that inherits VQAccessibleControl its interface. Once, before
// the first window is shown.
void VQInstallAccessibleControls();
