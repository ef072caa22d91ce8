#pragma once
// What the four slider pickers share: one row per component, a label, a colour
// slider and a numeric field. Moving a slider or committing an edited field
// calls colorChanged() with the control; showing a colour sets both without
// a word back to the library.

#include "ui/pickers/VQColorPicker.h"

#include <QString>

#include <vector>

class QLineEdit;
class QObject;
class VQColorSlider;

class VQSliderColorPicker : public VQColorPicker
{
  public:
    enum class FieldKind {
        Integer,     // whole numbers; a value beyond the slider's range is clamped by the slider
        Decimal,     // decimals; likewise clamped by the slider
        UnitDecimal, // decimals 0–1 only: the field refuses anything else
    };
    struct Component {
        const char *label; // English, translated when shown
        int tag;           // VQColorSliderTag
        double minimum;
        double maximum;
        FieldKind field;
    };

    void selectColor(const VQColorRef &color) override;
    // The action of every slider and field; `sender` is the control the user moved.
    virtual void colorChanged(QObject *sender) = 0;

    int componentCount() const { return int(_components.size()); }
    VQColorSlider *slider(int index) const { return _sliders.at(index); }
    QLineEdit *field(int index) const { return _fields.at(index); }

  protected:
    VQSliderColorPicker(VQSwatchCore &core, std::vector<Component> components);
    QWidget *makeView() override;
    // Sets the controls from `color`; only called once the view exists.
    virtual void showColor(const VQColor &color) = 0;

    int indexOfField(const QObject *sender) const;
    void setField(int index, const QString &text);
    double fieldValue(int index) const;
    static QString integerText(double value);
    static QString decimalText(float value);

    // For pickers of whole numbers: shows `values` (truncated) in the sliders
    // and fields; after a user change, the edited field moves its slider, or a
    // moved slider writes every field.
    void showWholeValues(const std::vector<double> &values);
    void syncWholeValues(const QObject *sender);

  private:
    std::vector<Component> _components;
    std::vector<VQColorSlider *> _sliders;
    std::vector<QLineEdit *> _fields;
};
