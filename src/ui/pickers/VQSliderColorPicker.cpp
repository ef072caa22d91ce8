#include "ui/pickers/VQSliderColorPicker.h"

#include "ui/pickers/VQColorSlider.h"
#include "vqcore/VQLocalizedString.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

VQSliderColorPicker::VQSliderColorPicker(VQSwatchCore &core, std::vector<Component> components)
    : VQColorPicker(core), _components(std::move(components))
{
}

QWidget *VQSliderColorPicker::makeView()
{
    auto *view = new QWidget;
    auto *grid = new QGridLayout(view);
    grid->setContentsMargins(8, 12, 8, 12);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    for (int row = 0; row < componentCount(); ++row) {
        const Component &component = _components[row];
        auto *label = new QLabel(VQLocalizedString(component.label), view);
        auto *slider =
            new VQColorSlider(core(), component.tag, component.minimum, component.maximum, Qt::Horizontal, view);
        slider->setKeyStep(component.field == FieldKind::Integer ? 1 : 0.01);
        auto *field = new QLineEdit(view);
        field->setAccessibleName(slider->accessibleName());
        label->setBuddy(field);
        // Wide enough for the longest number a field shows, such as "0.0039216"
        // or "360"; the slider's track takes the rest of the row.
        const bool whole = component.field == FieldKind::Integer;
        const int textWidth =
            field->fontMetrics().horizontalAdvance(whole ? QStringLiteral("0000") : QStringLiteral("0.0000000"));
        field->setFixedWidth(std::max(whole ? 40 : 64, textWidth + 12));
        field->setAlignment(Qt::AlignRight);
        switch (component.field) {
        case FieldKind::Integer:
            field->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,6}")), field));
            break;
        case FieldKind::Decimal:
            field->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,6}(\\.\\d{0,6})?")), field));
            break;
        case FieldKind::UnitDecimal: {
            auto *validator = new QDoubleValidator(0, 1, 6, field);
            validator->setNotation(QDoubleValidator::StandardNotation);
            validator->setLocale(QLocale::c());
            field->setValidator(validator);
            break;
        }
        }
        // Row 0 and the row after the last take the spare height: the sliders sit in the middle.
        grid->addWidget(label, row + 1, 0);
        grid->addWidget(slider, row + 1, 1);
        grid->addWidget(field, row + 1, 2);
        _sliders.push_back(slider);
        _fields.push_back(field);

        QObject::connect(slider, &VQColorSlider::valueChanged, view, [this, slider] { colorChanged(slider); });
        // Only an edit counts: leaving an untouched field must not store the
        // rounded number it shows.
        QObject::connect(field, &QLineEdit::editingFinished, view, [this, field] {
            if (!field->isModified() || !field->hasAcceptableInput())
                return;
            field->setModified(false);
            colorChanged(field);
        });
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(componentCount() + 1, 1);
    // The view takes the whole room the window has for a picker: the sliders
    // get the width the labels and fields leave, the rows are centred.
    view->resize(kMaximumViewWidth, std::max(view->sizeHint().height(), kMaximumViewHeight));
    showColor(*color());
    return view;
}

void VQSliderColorPicker::selectColor(const VQColorRef &color)
{
    VQColorPicker::selectColor(color);
    if (isViewLoaded() && color)
        showColor(*color);
}

int VQSliderColorPicker::indexOfField(const QObject *sender) const
{
    for (int i = 0; i < componentCount(); ++i)
        if (_fields[i] == sender)
            return i;
    return -1;
}

void VQSliderColorPicker::setField(int index, const QString &text)
{
    const QSignalBlocker blocker(_fields[index]);
    _fields[index]->setText(text); // also clears the field's modified flag
}

double VQSliderColorPicker::fieldValue(int index) const
{
    return QLocale::c().toDouble(_fields[index]->text());
}

void VQSliderColorPicker::showWholeValues(const std::vector<double> &values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        slider(int(i))->setValue(std::trunc(values[i]));
        setField(int(i), integerText(values[i]));
    }
}

void VQSliderColorPicker::syncWholeValues(const QObject *sender)
{
    const int edited = indexOfField(sender);
    if (edited >= 0) {
        slider(edited)->setValue(std::trunc(fieldValue(edited)));
        return;
    }
    for (int i = 0; i < componentCount(); ++i)
        setField(i, integerText(slider(i)->value()));
}

QString VQSliderColorPicker::integerText(double value)
{
    return QString::number(static_cast<long long>(std::trunc(value)));
}

QString VQSliderColorPicker::decimalText(float value)
{
    return QLocale::c().toString(double(value), 'g', 5);
}
