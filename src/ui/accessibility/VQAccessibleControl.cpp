#include "ui/accessibility/VQAccessibleControl.h"

#include <QAccessibleValueChangeEvent>
#include <QAccessibleWidget>
#include <QWidget>

namespace
{

// The interface of a widget that inherits VQAccessibleControl. The control is
// looked up on each call: while the widget is being destroyed it is no longer
// one, and the interface answers as a plain widget.
class VQAccessibleControlInterface : public QAccessibleWidget, public QAccessibleValueInterface
{
  public:
    explicit VQAccessibleControlInterface(QWidget *widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override
    {
        const VQAccessibleControl *drawn = control();
        return drawn ? drawn->accessibleRole() : QAccessibleWidget::role();
    }

    QString text(QAccessible::Text kind) const override
    {
        // Qt's AT-SPI bridge passes only numbers through the Value interface, so
        // the value in words is the description as well: screen readers read it
        // after the name and the role.
        if (kind == QAccessible::Value || kind == QAccessible::Description) {
            if (const VQAccessibleControl *drawn = control()) {
                const QString value = drawn->accessibleValueText();
                if (!value.isEmpty())
                    return value;
            }
        }
        return QAccessibleWidget::text(kind);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && range())
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return rangeValue(&VQAccessibleControl::Range::value); }
    QVariant minimumValue() const override { return rangeValue(&VQAccessibleControl::Range::minimum); }
    QVariant maximumValue() const override { return rangeValue(&VQAccessibleControl::Range::maximum); }
    QVariant minimumStepSize() const override { return rangeValue(&VQAccessibleControl::Range::step); }
    void setCurrentValue(const QVariant &value) override
    {
        if (VQAccessibleControl *drawn = control())
            drawn->setAccessibleValue(value.toDouble());
    }

    QStringList actionNames() const override
    {
        const VQAccessibleControl *drawn = control();
        return (drawn ? drawn->accessibleActions() : QStringList()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        VQAccessibleControl *drawn = control();
        if (drawn && drawn->accessibleActions().contains(name))
            drawn->doAccessibleAction(name);
        else
            QAccessibleWidget::doAction(name);
    }

  private:
    VQAccessibleControl *control() const { return dynamic_cast<VQAccessibleControl *>(widget()); }
    std::optional<VQAccessibleControl::Range> range() const
    {
        const VQAccessibleControl *drawn = control();
        return drawn ? drawn->accessibleRange() : std::nullopt;
    }
    QVariant rangeValue(double VQAccessibleControl::Range::*field) const
    {
        const std::optional<VQAccessibleControl::Range> now = range();
        return now ? QVariant((*now).*field) : QVariant();
    }
};

QAccessibleInterface *controlInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !dynamic_cast<VQAccessibleControl *>(widget))
        return nullptr;
    return new VQAccessibleControlInterface(widget);
}

} // namespace

void VQAccessibleValueChanged(QWidget *control)
{
    if (!QAccessible::isActive())
        return;
    const auto *drawn = dynamic_cast<const VQAccessibleControl *>(control);
    if (!drawn)
        return;
    if (const std::optional<VQAccessibleControl::Range> range = drawn->accessibleRange()) {
        QAccessibleValueChangeEvent changed(control, range->value);
        QAccessible::updateAccessibility(&changed);
    }
    QAccessibleEvent described(control, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void VQInstallAccessibleControls()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(controlInterface);
}
