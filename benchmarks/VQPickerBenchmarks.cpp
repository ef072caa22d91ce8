// One mouse move on the colour wheel, the HSB square and a colour slider: the
// colour update it causes and the repaint that follows, offscreen, at device
// pixel ratios 1 and 2. The pickers' pictures are made once per ratio, so the
// first paint is kept out of the timing.

#include "VQOffscreenBenchmarkMain.h"
#include "core/VQSwatchCore.h"
#include "ui/pickers/VQBrightnessSlider.h"
#include "ui/pickers/VQColorPicker.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorWheelControl.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "ui/pickers/VQHSBPlaneColorPicker.h"
#include "ui/pickers/VQPickerImages.h"
#include "ui/pickers/VQRGBSlidersColorPicker.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace
{
// A private library and settings, and every picker's view loaded (so that every
// colour slider hears each change, as in the program).
struct Stage {
    QTemporaryDir dir;
    std::unique_ptr<VQSwatchCore> core;
    std::unique_ptr<VQColorPickers> pickers;
    Stage()
    {
        VQUserDefaults::setStandardFilePath(dir.path() + "/Vellico.conf");
        VQLibraryOpenOptions options;
        options.live = true;
        options.startWhenMissing = true;
        core = VQSwatchCore::open(dir.path() + "/lib.vlb", options).core;
        pickers = std::make_unique<VQColorPickers>(*core, VQUserDefaults::standard());
        core->setSelectedColorSink(pickers.get());
        for (VQColorPicker *picker : pickers->availablePickers())
            picker->view();
    }
    ~Stage() { core->setSelectedColorSink(nullptr); }
};

std::unique_ptr<Stage> gStage;

Stage &stage()
{
    if (!gStage)
        gStage = std::make_unique<Stage>();
    return *gStage;
}

QImage canvas(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

void drag(QWidget *widget, const QPointF &at)
{
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Points along a circle inside `size`, one per move.
QPointF pathPoint(QSizeF size, int step, double radius)
{
    const double angle = step * 0.05;
    return {size.width() / 2 + radius * std::cos(angle), size.height() / 2 - radius * std::sin(angle)};
}

void BM_WheelMouseMove(benchmark::State &state)
{
    stage();
    const qreal ratio = qreal(state.range(0));
    auto *picker = stage().pickers->colorPicker<VQColorWheelPicker>();
    VQColorWheelControl *wheel = picker->colorWheel();
    VQBrightnessSlider *slider = picker->brightnessSlider();
    QImage wheelImage = canvas(wheel->size(), ratio);
    QImage sliderImage = canvas(slider->size(), ratio);
    VQColorWheelImage(ratio); // made once per ratio, before the first move
    int step = 0;
    for (auto _ : state) {
        drag(wheel, pathPoint(wheel->size(), step++, 70));
        QPainter wheelPainter(&wheelImage);
        wheel->paint(wheelPainter, wheel->size(), ratio);
        wheelPainter.end();
        QPainter sliderPainter(&sliderImage); // its track follows the hue
        slider->paint(sliderPainter, slider->size());
    }
    benchmark::DoNotOptimize(wheelImage.constBits());
}
BENCHMARK(BM_WheelMouseMove)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_SquareMouseMove(benchmark::State &state)
{
    stage();
    const qreal ratio = qreal(state.range(0));
    auto *picker = stage().pickers->colorPicker<VQHSBPlaneColorPicker>();
    VQSaturationBrightnessView *plane = picker->saturationBrightnessView();
    QImage image = canvas(plane->size(), ratio);
    VQCircleCursorImage(ratio);
    int step = 0;
    for (auto _ : state) {
        drag(plane, pathPoint(plane->size(), step++, 60));
        QPainter painter(&image);
        plane->paint(painter, plane->size(), ratio);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_SquareMouseMove)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The red slider is dragged; all three sliders repaint, since each track shows
// the new colour.
void BM_SliderMouseMove(benchmark::State &state)
{
    stage();
    const qreal ratio = qreal(state.range(0));
    auto *picker = stage().pickers->colorPicker<VQRGBSlidersColorPicker>();
    VQColorSlider *red = picker->slider(0);
    red->resize(160, 18);
    QImage image = canvas(red->size(), ratio);
    const QRectF track = red->cell().geometry(red->rect()).track();
    QMouseEvent press(QEvent::MouseButtonPress, track.center(), red->mapToGlobal(track.center()), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(red, &press);
    int step = 0;
    for (auto _ : state) {
        const double x = track.left() + std::fmod(step++ * 3.7, track.width());
        drag(red, QPointF(x, track.center().y()));
        const VQColorRef selected = stage().core->selectedColor();
        for (int i = 0; i < 3; ++i) {
            QPainter painter(&image);
            picker->slider(i)->cell().draw(painter, red->rect(), picker->slider(i)->value(), *selected, i == 0);
        }
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_SliderMouseMove)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// What the wheel picture costs the one time it is made for a ratio.
void BM_MakeColorWheelImage(benchmark::State &state)
{
    const qreal ratio = qreal(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(VQMakeColorWheelImage(ratio).constBits());
}
BENCHMARK(BM_MakeColorWheelImage)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    return VQRunOffscreenBenchmarks(argc, argv, [] { gStage.reset(); });
}
