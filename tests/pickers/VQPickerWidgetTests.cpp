// The pickers as the user meets them, offscreen with synthetic events: the
// registry and chooser, the no-drift rule, the wheel's clicks, keys and scrolls,
// the fields' limits, the darkened wheel and the pixels of the drawn square.

#include "VQTestSupport.h"

#include "core/VQSwatchCore.h"
#include "ui/pickers/VQBrightnessSlider.h"
#include "ui/pickers/VQCMYKSlidersColorPicker.h"
#include "ui/pickers/VQColorPicker.h"
#include "ui/pickers/VQColorPickerChooserPopUpButton.h"
#include "ui/pickers/VQColorSlider.h"
#include "ui/pickers/VQColorWheelControl.h"
#include "ui/pickers/VQColorWheelPicker.h"
#include "ui/pickers/VQGrayscaleColorPicker.h"
#include "ui/pickers/VQHSBColorPicker.h"
#include "ui/pickers/VQHSBPlaneColorPicker.h"
#include "ui/pickers/VQPickerImages.h"
#include "ui/pickers/VQRGBSlidersColorPicker.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{
const QString kLastUsedKey = QString::fromLatin1(VQLastUsedColorPickerNameDefaultsKey);

void mouse(QWidget *widget, QEvent::Type type, const QPointF &at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget *widget, const QPointF &at)
{
    mouse(widget, QEvent::MouseButtonPress, at);
    mouse(widget, QEvent::MouseButtonRelease, at);
}

void scroll(QWidget *widget, QPoint pixelDelta, QPoint angleDelta)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), pixelDelta, angleDelta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void type(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
}

// Replaces what the field holds by what a user types, then presses Return.
void retype(QLineEdit *field, const QString &text)
{
    field->selectAll();
    type(field, text);
}

class PickerTest : public VQLibraryTest
{
  protected:
    void SetUp() override
    {
        VQLibraryTest::SetUp();
        _core = VQOpenLiveLibrary(path(QStringLiteral("lib.vlb")));
        makePickers();
    }
    void TearDown() override
    {
        _core->setSelectedColorSink(nullptr);
        _pickers.reset();
        _core.reset();
        VQLibraryTest::TearDown();
    }
    // A fresh set of pickers over the library, as the program makes with its window.
    void makePickers()
    {
        _pickers.reset();
        _pickers = std::make_unique<VQColorPickers>(*_core, VQUserDefaults::standard());
        _core->setSelectedColorSink(_pickers.get());
    }

    VQSwatchCore &core() { return *_core; }
    VQColorPickers &pickers() { return *_pickers; }
    QString selectedHex() { return core().selectedColor()->hexValue(); }
    VQRGBColor selectedRGB() { return core().selectedColor()->RGBColor(); }

    template <class Picker> Picker *makeCurrent()
    {
        auto *picker = pickers().colorPicker<Picker>();
        EXPECT_TRUE(pickers().selectColorPickerNamed(picker->name()));
        picker->view()->show();
        QApplication::processEvents();
        return picker;
    }

    std::unique_ptr<VQSwatchCore> _core;
    std::unique_ptr<VQColorPickers> _pickers;
};

// The first launch and an unknown stored name show the wheel; the shown picker is remembered
// (each picker coming back in the real program is the desktop test's).
TEST_F(PickerTest, TheRememberedPickerComesBack)
{
    const std::pair<const char *, const char *> rows[] = {
        {nullptr, "Color Wheel"},
        {"Farbrad", "Color Wheel"},
        {"Grayscale", "Grayscale"},
    };
    for (const auto &[stored, shown] : rows) {
        SCOPED_TRACE(stored ? stored : "nothing stored");
        makePickers();
        if (stored)
            VQUserDefaults::standard().setString(kLastUsedKey, QString::fromLatin1(stored));
        const QString before = VQUserDefaults::standard().stringForKey(kLastUsedKey);
        // Reading which picker is on show chooses nothing: no setting, no selection, no view.
        EXPECT_EQ(VQCountPosts(VQSwatchCoreColorSelectionDidChangeNotification,
                               [&] { EXPECT_EQ(pickers().currentColorPicker()->name(), shown); }),
                  0);
        EXPECT_EQ(VQUserDefaults::standard().stringForKey(kLastUsedKey), before);
        EXPECT_FALSE(pickers().currentColorPicker()->isViewLoaded());
        // The start-up's choice is remembered.
        pickers().selectRememberedPicker();
        EXPECT_EQ(pickers().currentColorPicker()->name(), shown);
        EXPECT_EQ(VQUserDefaults::standard().stringForKey(kLastUsedKey), shown);
    }
}

TEST_F(PickerTest, TheLibraryHandsColoursToTheCurrentPickerOnlyWhenAsked)
{
    VQColorPicker *picker = pickers().currentColorPicker();
    const VQColorRef shown = VQColor::makeRGB(0.1, 0.2, 0.3);
    core().setSelectedColor(shown, true);
    EXPECT_EQ(picker->color(), shown);
    core().setSelectedColor(VQColor::makeRGB(0.5, 0.5, 0.5), false);
    EXPECT_EQ(picker->color(), shown);
}

TEST_F(PickerTest, SwitchingByColourSpaceConvertsTheSelectionAndTellsTheChooser)
{
    VQColorPickerChooserPopUpButton chooser(pickers());
    EXPECT_EQ(chooser.currentText(), "Color Wheel");
    core().setSelectedColor(VQColor::makeRGB(1, 0, 0), true);
    const int posts = VQCountPosts(VQColorPickerDidForceChangeNotification,
                                   [&] { pickers().selectColorPickerOfColorSpace(VQColorSpace::CMYK); });
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(pickers().currentColorPicker()->name(), "CMYK Sliders");
    EXPECT_EQ(core().selectedColor()->colorSpace(), VQColorSpace::CMYK);
    EXPECT_EQ(core().selectedColor()->CMYKColor(), (VQCMYKColor{0, 1, 1, 0}));
    EXPECT_EQ(chooser.currentText(), "CMYK Sliders");
    // And back: RGB lands on the first RGB picker in name order.
    pickers().selectColorPickerOfColorSpace(VQColorSpace::RGB);
    EXPECT_EQ(chooser.currentText(), "Color Square");
    EXPECT_EQ(core().selectedColor()->colorSpace(), VQColorSpace::RGB);
}

TEST_F(PickerTest, TheChooserSwitchesPickers)
{
    VQColorPickerChooserPopUpButton chooser(pickers());
    QStringList names;
    for (int i = 0; i < chooser.count(); ++i)
        names << chooser.itemText(i);
    EXPECT_EQ(names,
              QStringList({"CMYK Sliders", "Color Square", "Color Wheel", "Grayscale", "HSB Sliders", "RGB Sliders"}));
    int changes = 0;
    QObject::connect(&chooser, &VQColorPickerChooserPopUpButton::colorPickerChanged, [&] { ++changes; });
    const int index = chooser.findText(QStringLiteral("RGB Sliders"));
    chooser.setCurrentIndex(index);
    emit chooser.activated(index);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pickers().currentColorPicker()->name(), "RGB Sliders");
    EXPECT_EQ(VQUserDefaults::standard().stringForKey(kLastUsedKey), "RGB Sliders");
    // An unknown name changes nothing.
    EXPECT_FALSE(pickers().selectColorPickerNamed(QStringLiteral("Paint Bucket")));
    EXPECT_EQ(VQUserDefaults::standard().stringForKey(kLastUsedKey), "RGB Sliders");
}

TEST_F(PickerTest, AFreshSelectionIsWhiteInThePickersSpace)
{
    makeCurrent<VQCMYKSlidersColorPicker>();
    const std::unique_ptr<VQSwatchCore> other = VQOpenLiveLibrary(path(QStringLiteral("other.vlb")));
    other->setSelectedColorSink(&pickers());
    EXPECT_EQ(other->selectedColor()->colorSpace(), VQColorSpace::CMYK);
    EXPECT_EQ(other->selectedColor()->CMYKColor(), VQCMYKColor{});
}

// Every picker truncates what it shows; none of that may come back.
TEST_F(PickerTest, ShowingAColourNeverChangesIt)
{
    for (VQColorPicker *picker : pickers().availablePickers()) {
        SCOPED_TRACE(picker->name().toStdString());
        const VQColorRef chosen = VQColor::fromHexString(QStringLiteral("#FFFEFD"));
        core().setSelectedColor(chosen, true);
        ASSERT_TRUE(pickers().selectColorPickerNamed(picker->name()));
        picker->view()->show();
        QApplication::processEvents();
        // Tabbing through the fields without typing stores nothing either.
        for (QLineEdit *field : picker->view()->findChildren<QLineEdit *>())
            emit field->editingFinished();
        EXPECT_EQ(selectedHex(), "#FFFEFD");
        if (picker->colorspace() == VQColorSpace::RGB) {
            EXPECT_EQ(core().selectedColor(), chosen);
        }
        picker->view()->hide();
    }
}

// The main window cuts off whatever lies outside this room: labels, fields, the square's hue row.
TEST_F(PickerTest, EveryViewFitsTheRoomTheWindowGivesIt)
{
    for (VQColorPicker *picker : pickers().availablePickers()) {
        SCOPED_TRACE(picker->name().toStdString());
        QWidget *view = picker->view();
        EXPECT_LE(view->width(), VQColorPicker::kMaximumViewWidth);
        EXPECT_LE(view->height(), VQColorPicker::kMaximumViewHeight);
        // Nothing inside is squeezed below its own minimum to get there.
        EXPECT_GE(view->width(), view->minimumSizeHint().width());
        EXPECT_GE(view->height(), view->minimumSizeHint().height());
    }
}

TEST_F(PickerTest, DraggingFarOutsideKeepsTheKnobOnTheRim)
{
    auto *picker = makeCurrent<VQColorWheelPicker>();
    VQColorWheelControl *wheel = picker->colorWheel();
    const QPointF centre(wheel->width() / 2.0, wheel->height() / 2.0);
    mouse(wheel, QEvent::MouseButtonPress, centre);
    mouse(wheel, QEvent::MouseMove, centre + QPointF(-1000, -1000));
    EXPECT_EQ(wheel->hueSaturation().saturation, 1.0);
    EXPECT_NEAR(wheel->hueSaturation().hue, 0.375, 1e-12);
    EXPECT_NEAR(std::hypot(wheel->knobPoint().x() - centre.x(), wheel->knobPoint().y() - centre.y()), 94, 1e-9);
}

// One press is 1/255 of brightness; 51 of them from white are the desktop test's.
TEST_F(PickerTest, TheArrowKeysStepTheWheelsBrightness)
{
    makeCurrent<VQColorWheelPicker>();
    core().setSelectedColor(VQColor::whiteColor(), true);
    ASSERT_TRUE(VQColorWheelPicker::handleArrowKey(pickers(), Qt::Key_Down));
    EXPECT_EQ(selectedHex(), "#FEFEFE");
    ASSERT_TRUE(VQColorWheelPicker::handleArrowKey(pickers(), Qt::Key_Up));
    EXPECT_EQ(selectedHex(), "#FFFFFF");
    EXPECT_FALSE(VQColorWheelPicker::handleArrowKey(pickers(), Qt::Key_Left));
    // Up at the top changes nothing, so nothing is stored again.
    EXPECT_EQ(VQCountPosts(VQSwatchCoreColorSelectionDidChangeNotification,
                           [&] { VQColorWheelPicker::handleArrowKey(pickers(), Qt::Key_Up); }),
              0);
    // Other pickers leave the arrow keys alone.
    makeCurrent<VQRGBSlidersColorPicker>();
    EXPECT_FALSE(VQColorWheelPicker::handleArrowKey(pickers(), Qt::Key_Down));
    EXPECT_EQ(selectedHex(), "#FFFFFF");
}

TEST_F(PickerTest, TheBrightnessSliderKeepsHueAndSaturation)
{
    auto *picker = makeCurrent<VQColorWheelPicker>();
    core().setSelectedColor(VQColor::makeRGB(1, 0, 0), true);
    VQBrightnessSlider *slider = picker->brightnessSlider();
    EXPECT_EQ(slider->floatValue(), 1.0f);
    EXPECT_EQ(picker->colorWheel()->knobPoint(), QPointF(94.5 + 94, 94.5));
    // A click on the track halfway down (away from the knob at the top).
    click(slider, QPointF(13, slider->height() / 2.0));
    EXPECT_FLOAT_EQ(slider->floatValue(), 0.5f);
    EXPECT_EQ(selectedHex(), "#800000");
    // A touchpad scroll of 12 points raises it by 0.1; a wheel notch by 6/120.
    scroll(slider, QPoint(0, 12), QPoint(0, 120));
    EXPECT_FLOAT_EQ(slider->floatValue(), 0.6f);
    scroll(slider, QPoint(), QPoint(0, 120));
    EXPECT_FLOAT_EQ(slider->floatValue(), 0.65f);
    EXPECT_EQ(picker->colorWheel()->hueSaturation(), (VQHueSaturation{0, 1}));
}

// Black puts the knob in the centre and the slider at the bottom; "select white" raises it again.
TEST_F(PickerTest, BlackAndSelectWhiteCentreTheKnob)
{
    auto *picker = makeCurrent<VQColorWheelPicker>();
    core().setSelectedColor(VQColor::makeRGB(0, 0, 0), true);
    EXPECT_EQ(picker->brightnessSlider()->floatValue(), 0.0f);
    EXPECT_EQ(picker->colorWheel()->hueSaturation(), VQHueSaturation{});
    EXPECT_EQ(selectedHex(), "#000000");
    core().setSelectedColor(VQColor::makeHSB(0.6, 0.8, 0.3), true);
    picker->colorWheel()->selectWhite();
    EXPECT_EQ(selectedHex(), "#FFFFFF");
    EXPECT_EQ(picker->colorWheel()->hueSaturation(), VQHueSaturation{});
    EXPECT_EQ(picker->colorWheel()->knobPoint(), QPointF(94.5, 94.5));
    EXPECT_EQ(picker->brightnessSlider()->floatValue(), 1.0f);
}

TEST_F(PickerTest, ScrollingOverTheWheelMovesTheKnobUp)
{
    auto *picker = makeCurrent<VQColorWheelPicker>();
    core().setSelectedColor(VQColor::makeHSB(0, 0.5, 1), true);
    VQColorWheelControl *wheel = picker->colorWheel();
    const QPointF before = wheel->knobPoint();
    scroll(wheel, QPoint(0, 12), QPoint(0, 120));
    EXPECT_NEAR(wheel->knobPoint().x(), before.x(), 1e-9);
    EXPECT_NEAR(wheel->knobPoint().y(), before.y() - 12, 1e-9);
}

TEST_F(PickerTest, AResizedWheelKeepsTheColour)
{
    auto *picker = makeCurrent<VQColorWheelPicker>();
    const VQColorRef chosen = VQColor::makeHSB(0.3, 0.6, 0.9);
    core().setSelectedColor(chosen, true);
    VQColorWheelControl *wheel = picker->colorWheel();
    const VQHueSaturation shown = wheel->hueSaturation();
    wheel->setFixedSize(260, 220);
    const QPointF centre(130, 110);
    EXPECT_EQ(wheel->hueSaturation(), shown);
    EXPECT_EQ(wheel->knobPoint(), centre + VQColorWheelGeometry::pointFor(shown, {}));
    // A click on the knob, where it now sits, selects the colour of the pixel
    // under it (the brightness went through the single-precision slider).
    const QPointF pixel = VQColorWheelGeometry::pixelCentreAt(wheel->knobPoint(), 1);
    click(wheel, wheel->knobPoint());
    const VQHueSaturation picked = VQColorWheelGeometry::hueSaturationAt(pixel, centre);
    EXPECT_EQ(wheel->hueSaturation(), picked);
    EXPECT_NEAR(picked.hue, shown.hue, 0.01);
    EXPECT_NEAR(picked.saturation, shown.saturation, 0.01);
    EXPECT_EQ(selectedHex(), VQColor::makeHSB(picked.hue, picked.saturation, double(0.9f))->hexValue());
}

TEST_F(PickerTest, TheRGBFieldsTruncateAndTheSlidersClamp)
{
    auto *picker = makeCurrent<VQRGBSlidersColorPicker>();
    core().setSelectedColor(VQColor::makeRGB(0.6, 0.2, 1.0), true);
    EXPECT_EQ(picker->field(0)->text(), "153");
    EXPECT_EQ(picker->field(1)->text(), "51");
    EXPECT_EQ(picker->field(2)->text(), "255");
    core().setSelectedColor(VQColor::makeRGB(0.999, 0, 0), true);
    EXPECT_EQ(picker->field(0)->text(), "254");
    EXPECT_EQ(picker->slider(0)->value(), 254);

    retype(picker->field(0), QStringLiteral("300"));
    EXPECT_EQ(selectedRGB().r, 1.0);
    EXPECT_EQ(picker->slider(0)->value(), 255);
    EXPECT_EQ(picker->field(0)->text(), "300");
}

TEST_F(PickerTest, TabReachesEverySliderAndAKeyStepsTheFieldsNumberByOne)
{
    auto *picker = makeCurrent<VQRGBSlidersColorPicker>();
    std::vector<QWidget *> tabbed;
    QWidget *widget = picker->view();
    do {
        widget = widget->nextInFocusChain();
        if (widget->isAncestorOf(picker->view()) || !(widget->focusPolicy() & Qt::TabFocus))
            continue;
        tabbed.push_back(widget);
    } while (widget != picker->view());
    for (int i = 0; i < picker->componentCount(); ++i)
        EXPECT_TRUE(std::find(tabbed.begin(), tabbed.end(), picker->slider(i)) != tabbed.end())
            << "Tab never reaches slider " << i;

    core().setSelectedColor(VQColor::makeRGB(2 / 255.0, 0, 0), true);
    const struct {
        int key;
        const char *field, *hex;
    } presses[] = {{Qt::Key_Right, "3", "#030000"}, {Qt::Key_PageUp, "13", "#0D0000"}, {Qt::Key_Left, "12", "#0C0000"}};
    for (const auto &press : presses) {
        QKeyEvent event(QEvent::KeyPress, press.key, Qt::NoModifier);
        QApplication::sendEvent(picker->slider(0), &event);
        EXPECT_EQ(picker->field(0)->text(), press.field);
        EXPECT_EQ(selectedHex(), press.hex);
    }
}

TEST_F(PickerTest, ASliderDragWritesItsFieldAndTheColour)
{
    auto *picker = makeCurrent<VQHSBColorPicker>();
    core().setSelectedColor(VQColor::makeHSB(0, 1, 1), true);
    VQColorSlider *brightness = picker->slider(2);
    const QRectF track = brightness->cell().geometry(brightness->rect()).track();
    mouse(brightness, QEvent::MouseButtonPress, QPointF(track.left() + track.width() / 2, track.center().y()));
    mouse(brightness, QEvent::MouseButtonRelease, QPointF(track.left() + track.width() / 2, track.center().y()));
    EXPECT_DOUBLE_EQ(brightness->value(), 50);
    EXPECT_EQ(picker->field(2)->text(), "50");
    EXPECT_EQ(selectedHex(), "#800000");
}

TEST_F(PickerTest, TheGrayscaleFieldTakesOnlyItsRange)
{
    auto *picker = makeCurrent<VQGrayscaleColorPicker>();
    core().setSelectedColor(VQColor::makeRGB(1, 0, 0), true);
    EXPECT_EQ(picker->field(0)->text(), "0.33333");
    retype(picker->field(0), QStringLiteral("5"));
    EXPECT_EQ(selectedHex(), "#FF0000");
    retype(picker->field(0), QStringLiteral("0.5"));
    EXPECT_EQ(selectedRGB(), (VQRGBColor{0.5, 0.5, 0.5}));
    EXPECT_EQ(picker->slider(0)->value(), 0.5);
}

TEST_F(PickerTest, TheCMYKPickerStoresCMYK)
{
    auto *picker = makeCurrent<VQCMYKSlidersColorPicker>();
    retype(picker->field(1), QStringLiteral("0.5"));
    ASSERT_EQ(core().selectedColor()->colorSpace(), VQColorSpace::CMYK);
    EXPECT_EQ(core().selectedColor()->CMYKColor(), (VQCMYKColor{0, 0.5, 0, 0}));
}

TEST_F(PickerTest, TheSquaresCornersAndHue)
{
    auto *picker = makeCurrent<VQHSBPlaneColorPicker>();
    VQSaturationBrightnessView *plane = picker->saturationBrightnessView();
    core().setSelectedColor(VQColor::whiteColor(), true);
    click(plane, QPointF(plane->width(), 0));
    EXPECT_EQ(selectedHex(), "#FF0000");
    mouse(plane, QEvent::MouseButtonPress, QPointF(plane->width() / 2.0, plane->height() / 2.0));
    mouse(plane, QEvent::MouseMove, QPointF(plane->width() + 50, -50)); // dragged beyond the corner
    EXPECT_EQ(selectedHex(), "#FF0000");
    click(plane, QPointF(plane->width() / 3.0, plane->height()));
    EXPECT_EQ(selectedHex(), "#000000");
    EXPECT_EQ(picker->hueField()->text(), "0"); // the square leaves the hue alone

    core().setSelectedColor(VQColor::makeHSB(0.1, 0.5, 0.8), true);
    retype(picker->hueField(), QStringLiteral("120"));
    EXPECT_EQ(picker->hueSlider()->value(), 120);
    EXPECT_DOUBLE_EQ(plane->hue(), double(120.0f / 360.0f));
    EXPECT_EQ(selectedHex(), VQColor::makeHSB(double(120.0f / 360.0f), 0.5, 0.8)->hexValue());

    retype(picker->hueField(), QStringLiteral("360"));
    EXPECT_EQ(plane->hue(), 0.0);
    EXPECT_EQ(selectedHex(), VQColor::makeHSB(0, 0.5, 0.8)->hexValue());
}

// The wheel image's own pixels are its rows' and the desktop test's; the darkening by brightness is drawn here.
TEST_F(PickerTest, TheDrawnWheelIsDarkenedByTheBrightness)
{
    auto *picker = makeCurrent<VQColorWheelPicker>();
    core().setSelectedColor(VQColor::makeRGB(0.5, 0.5, 0.5), true); // the knob sits in the centre
    QImage image(189, 189, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    picker->colorWheel()->paint(painter, QSizeF(189, 189), 1);
    painter.end();
    const QImage &bright = VQColorWheelImage(1.0);
    for (const QPoint pixel : {QPoint(150, 94), QPoint(60, 40), QPoint(94, 160)}) {
        SCOPED_TRACE(testing::Message() << pixel.x() << "," << pixel.y());
        const QRgb drawn = image.pixel(pixel), full = bright.pixel(pixel);
        EXPECT_NEAR(qRed(drawn), qRed(full) * 0.5, 2.5);
        EXPECT_NEAR(qGreen(drawn), qGreen(full) * 0.5, 2.5);
        EXPECT_NEAR(qBlue(drawn), qBlue(full) * 0.5, 2.5);
    }
}

TEST_F(PickerTest, TheDrawnSquareMatchesTheConversions)
{
    auto *picker = makeCurrent<VQHSBPlaneColorPicker>();
    VQSaturationBrightnessView *plane = picker->saturationBrightnessView();
    plane->setHue(0.3); // marker in the bottom-left corner, out of the way
    plane->setSaturation(0);
    plane->setBrightness(0);
    const QSizeF size = plane->size();
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        plane->paint(painter, size, ratio);
        painter.end();
        for (double s = 0.1; s < 0.95; s += 0.2) {
            for (double b = 0.3; b < 0.95; b += 0.2) {
                SCOPED_TRACE(testing::Message() << "s " << s << " b " << b);
                const QPoint pixel((VQSaturationBrightnessGeometry::pointFor(s, b, size) * ratio).toPoint());
                const auto value =
                    VQSaturationBrightnessGeometry::valueAt((QPointF(pixel) + QPointF(0.5, 0.5)) / ratio, size);
                const VQRGBColor rgb = VQHSVColor{0.3, value.saturation, value.brightness}.toRGB();
                const QRgb drawn = image.pixel(pixel);
                EXPECT_NEAR(qRed(drawn), rgb.r * 255, 3);
                EXPECT_NEAR(qGreen(drawn), rgb.g * 255, 3);
                EXPECT_NEAR(qBlue(drawn), rgb.b * 255, 3);
            }
        }
    }
}
} // namespace
