#include "ui/pickers/VQHSBPlaneColorPicker.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorSliderGradient.h"
#include "vqcore/VQLocalizedString.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

VQHSBPlaneColorPicker::VQHSBPlaneColorPicker(VQSwatchCore &core) : VQColorPicker(core) {}

QWidget *VQHSBPlaneColorPicker::makeView()
{
    auto *view = new QWidget;
    auto *grid = new QGridLayout(view);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    _satBriView = new VQSaturationBrightnessView(view);
    _satBriView->setDelegate(this);
    _hueSlider = new VQColorSlider(core(), int(VQColorSliderTag::Hue), 0, 360, Qt::Horizontal, view);
    _hueSlider->setTrackColor(VQColor::makeRGB(1, 0, 0));
    _hueField = new QLineEdit(view);
    _hueField->setAccessibleName(_hueSlider->accessibleName());
    _hueField->setFixedWidth(48);
    _hueField->setAlignment(Qt::AlignRight);
    _hueField->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,6}")), _hueField));
    grid->addWidget(_satBriView, 0, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(new QLabel(VQLocalizedString("H"), view), 1, 0);
    grid->addWidget(_hueSlider, 1, 1);
    grid->addWidget(_hueField, 1, 2);
    grid->setColumnStretch(1, 1);
    // The square takes what the hue row and the margins leave of the picker's
    // height, up to 180 points.
    const int hueRow = std::max({_hueField->sizeHint().height(), _hueSlider->sizeHint().height(),
                                 grid->itemAtPosition(1, 0)->sizeHint().height()});
    const int side = std::min(180, kMaximumViewHeight - 2 * 12 - grid->verticalSpacing() - hueRow);
    _satBriView->setFixedSize(side, side);

    QObject::connect(_hueSlider, &VQColorSlider::valueChanged, view, [this] { colorChanged(_hueSlider); });
    QObject::connect(_hueField, &QLineEdit::editingFinished, view, [this] {
        if (!_hueField->isModified())
            return;
        _hueField->setModified(false);
        colorChanged(_hueField);
    });
    const QSize hint = view->sizeHint();
    view->resize(std::min(hint.width(), kMaximumViewWidth), hint.height());
    showColor(*color());
    return view;
}

void VQHSBPlaneColorPicker::selectColor(const VQColorRef &color)
{
    VQColorPicker::selectColor(color);
    if (isViewLoaded() && color)
        showColor(*color);
}

void VQHSBPlaneColorPicker::showColor(const VQColor &color)
{
    const VQHSVColor hsv = color.RGBColor().toHSV();
    _satBriView->setHue(hsv.h);
    _satBriView->setSaturation(hsv.s);
    _satBriView->setBrightness(hsv.v);
    const double degrees = std::trunc(hsv.h * 360);
    _hueSlider->setValue(degrees);
    const QSignalBlocker blocker(_hueField);
    _hueField->setText(QString::number(static_cast<long long>(degrees)));
}

void VQHSBPlaneColorPicker::colorChanged(QObject *sender)
{
    if (sender == _hueField) {
        _hueSlider->setValue(std::trunc(QLocale::c().toDouble(_hueField->text())));
    } else if (sender == _hueSlider) {
        const QSignalBlocker blocker(_hueField);
        _hueField->setText(QString::number(static_cast<long long>(std::trunc(_hueSlider->value()))));
    }
    float hue = float(_hueSlider->value()) / 360.0f;
    if (hue == 1.0f) // 360° is red, like 0°
        hue = 0;
    if (sender != _satBriView)
        _satBriView->setHue(hue);
    const VQRGBColor rgb = VQHSVColor{_satBriView->hue(), _satBriView->saturation(), _satBriView->brightness()}.toRGB();
    core().setSelectedColor(VQColor::makeRGB(rgb), false);
}

void VQHSBPlaneColorPicker::saturationBrightnessViewDidChangeColor(VQSaturationBrightnessView *view)
{
    colorChanged(view);
}
