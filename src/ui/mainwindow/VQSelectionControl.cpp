#include "ui/mainwindow/VQSelectionControl.h"

#include "core/VQColor.h"
#include "core/VQColorNames.h"
#include "core/VQColorText.h"
#include "core/VQCopyTemplate.h"
#include "core/VQInk.h"
#include "core/VQRecentColors.h"
#include "core/VQSwatchCore.h"
#include "core/VQPasteboard.h"
#include "ui/accessibility/VQAccessibleText.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"
#include "ui/mainwindow/VQSelectionCanvas.h"
#include "vqcore/VQUserDefaults.h"

#include <QApplication>

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <optional>

namespace
{

QFont readoutFont(int pixelSize)
{
    // A bold sans-serif; the family is used where it is installed.
    QFont font(QStringLiteral("Helvetica Neue"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

// Text whose right edge is at `right`, baseline from the top at `top`.
void drawRightAligned(QPainter &painter, const QString &text, int right, int top, int height)
{
    painter.drawText(QRect(right - 60, top, 60, height), Qt::AlignRight | Qt::AlignVCenter, text);
}

} // namespace

VQSelectionControl::VQSelectionControl(VQSwatchCore &core, QWidget *parent) : QWidget(parent), _core(core)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setToolTip(VQLocalizedString("Click to copy; right click to type a color"));
    setAccessibleName(VQLocalizedString("Selected color"));
    _observer = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreColorSelectionDidChangeNotification), nullptr, [this](const VQNotification &) {
            update();
            VQAccessibleValueChanged(this);
        });
}

QString VQSelectionControl::accessibleValueText() const
{
    const VQColorRef color = _core.selectedColor();
    return color ? VQAccessibleText::color(*color, VQColorNames::shared()) : VQAccessibleText::noColor();
}

QStringList VQSelectionControl::accessibleActions() const
{
    return {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::showMenuAction()};
}

void VQSelectionControl::doAccessibleAction(const QString &name)
{
    if (name == QAccessibleActionInterface::pressAction())
        segmentWasClicked(0);
    else if (name == QAccessibleActionInterface::showMenuAction())
        runColorEntryDialog();
}

VQSelectionControl::~VQSelectionControl()
{
    VQNotificationCenter::defaultCenter().removeObserver(_observer);
}

QSize VQSelectionControl::sizeHint() const
{
    return QSize(kSegmentWidths[0] + kSegmentWidths[1], kHeight);
}

int VQSelectionControl::segmentAt(const QPoint &point)
{
    if (point.y() < 0 || point.y() >= kHeight || point.x() < 0)
        return -1;
    if (point.x() < kSegmentWidths[0])
        return 0;
    if (point.x() < kSegmentWidths[0] + kSegmentWidths[1])
        return 1;
    return -1;
}

void VQSelectionControl::segmentWasClicked(int segment)
{
    const char *key = segment == 0 ? VQDefaultCopyFormatDefaultsKey : VQAlternateCopyFormatDefaultsKey;
    const std::optional<VQCopyTemplate> format =
        VQCopyTemplateFromRawValue(VQUserDefaults::standard().integerForKey(QLatin1String(key)));
    if (!format)
        return;
    if (const VQColorRef color = _core.selectedColor())
        color->writeToPasteboardWithTemplate(*format);
}

void VQSelectionControl::runColorEntryDialog()
{
    VQModalUI &ui = VQModalUI::shared();
    const std::optional<QString> text =
        ui.runTextPrompt({VQColorEntryTexts::message(),
                          VQColorEntryTexts::informativeText(),
                          VQColorEntryTexts::initialText(),
                          {VQColorEntryTexts::okButton(), VQColorEntryTexts::cancelButton()}});
    if (!text)
        return;
    const VQCSSColor::Reading reading = VQReadColorText(*text);
    if (reading.ok) {
        const VQColorRef color = VQColor::makeRGB(reading.rgb[0], reading.rgb[1], reading.rgb[2]);
        _core.setSelectedColor(color, true);
        VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQColorWasEnteredNotification), color.get());
        return;
    }
    // What was wrong with this text, then every form that is read.
    ui.runAlert(
        {VQColorEntryTexts::failureMessage(),
         QString::fromStdString(reading.error) + QStringLiteral("\n\n") + VQColorEntryTexts::failureInformativeText(),
         {VQColorEntryTexts::okButton()}});
}

void VQSelectionControl::mousePressEvent(QMouseEvent *event)
{
    _pressedSegment = segmentAt(event->position().toPoint());
    _pressPosition = event->position().toPoint();
    update();
}

void VQSelectionControl::mouseMoveEvent(QMouseEvent *event)
{
    if (_pressedSegment < 0 || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - _pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    // A drag, not a click: nothing is copied when the button comes up.
    _pressedSegment = -1;
    update();
    VQSelectionCanvas::dragSelectedColor(this, _core);
}

void VQSelectionControl::mouseReleaseEvent(QMouseEvent *event)
{
    const int segment = segmentAt(event->position().toPoint());
    const bool pressed = segment >= 0 && segment == _pressedSegment;
    _pressedSegment = -1;
    update();
    if (!pressed)
        return;
    // Right click, and Ctrl+click where a mouse has one button, type a colour.
    if (event->button() == Qt::RightButton || event->modifiers().testFlag(Qt::ControlModifier))
        runColorEntryDialog();
    else if (event->button() == Qt::LeftButton)
        segmentWasClicked(segment);
}

void VQSelectionControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The segments and their numbers keep their sides in a right-to-left layout.
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    // The segments: dark rounded buttons, the pressed one darker, in a frame
    // that parts them from the canvas in any palette.
    QPainterPath outline;
    outline.addRoundedRect(bounds, 5, 5);
    const QColor frame = VQInk::frame(palette(), palette().color(backgroundRole()));
    const qreal line = VQInk::frameWidth(palette());
    painter.fillPath(outline, QColor(58, 58, 60));
    if (_pressedSegment >= 0) {
        const int left = _pressedSegment == 0 ? 0 : kSegmentWidths[0];
        painter.save();
        painter.setClipPath(outline);
        painter.fillRect(QRect(left, 0, kSegmentWidths[_pressedSegment], kHeight), QColor(30, 30, 32));
        painter.restore();
    }
    painter.setPen(QColor(30, 30, 32));
    painter.drawLine(QPointF(kSegmentWidths[0] + 0.5, 1), QPointF(kSegmentWidths[0] + 0.5, kHeight - 1));
    painter.setPen(QPen(frame, line));
    painter.drawPath(outline);

    const VQColorRef color = _core.selectedColor();
    if (!color)
        return;

    const int segment1 = kSegmentWidths[0];
    if (color->colorSpace() == VQColorSpace::RGB) {
        painter.setFont(readoutFont(14));
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, kSegmentWidths[0], kHeight), Qt::AlignCenter, color->hexValue());
        const VQRGBColor rgb = color->RGBColor();
        const struct {
            double value;
            QColor tone;
            int right;
        } channels[] = {{rgb.r, QColor::fromRgbF(0.886f, 0.18f, 0.18f), 47},
                        {rgb.g, QColor::fromRgbF(0.498f, 0.71f, 0.212f), 91},
                        {rgb.b, QColor::fromRgbF(0.29f, 0.553f, 0.886f), 135}};
        for (const auto &channel : channels) {
            painter.setPen(channel.tone);
            drawRightAligned(painter, QString::number(int(channel.value * 255)), segment1 + channel.right, 0, kHeight);
        }
    } else {
        painter.setFont(readoutFont(14));
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, kSegmentWidths[0], kHeight), Qt::AlignCenter,
                         VQColorSpaceName(VQColorSpace::CMYK));
        painter.setFont(readoutFont(13));
        const VQCMYKColor cmyk = color->CMYKColor();
        const struct {
            double value;
            QColor ink;
            int left;
        } inks[] = {{cmyk.c, QColor::fromRgbF(0, 2.0f / 3, 245.0f / 255), 15},
                    {cmyk.m, QColor::fromRgbF(1, 0, 0.6f), 50},
                    {cmyk.y, QColor::fromRgbF(244.0f / 255, 238.0f / 255, 0), 85},
                    {cmyk.k, Qt::white, 120}};
        for (const auto &ink : inks) {
            painter.setPen(ink.ink);
            painter.drawText(QRect(segment1 + ink.left, 0, 40, kHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::number(int(ink.value * 255)));
        }
    }
}

VQSelectedColorNameLabel::VQSelectedColorNameLabel(const VQSwatchCore &core, QWidget *parent)
    : QLabel(parent), _core(core)
{
    setAlignment(Qt::AlignCenter);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setForegroundRole(QPalette::Text);
    updateTone();
    setFixedHeight(kHeight);
    setCursor(Qt::PointingHandCursor);
    refresh();
    _observer = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreColorSelectionDidChangeNotification), nullptr,
        [this](const VQNotification &) { refresh(); });
}

VQSelectedColorNameLabel::~VQSelectedColorNameLabel()
{
    VQNotificationCenter::defaultCenter().removeObserver(_observer);
}

void VQSelectedColorNameLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateTone();
}

void VQSelectedColorNameLabel::updateTone()
{
    // A hint's tone on the canvas, in Text, which no tone is computed from.
    QPalette tones = palette();
    tones.setColor(QPalette::Text, VQInk::hint(tones, tones.color(backgroundRole())));
    setPalette(tones);
}

namespace
{
std::optional<VQColorNames::Match> nameOf(const VQSwatchCore &core)
{
    const VQColorRef color = core.selectedColor();
    if (!color)
        return std::nullopt;
    const VQRGBColor rgb = color->RGBColor();
    return VQColorNames::shared().nearest({rgb.r, rgb.g, rgb.b});
}
} // namespace

QString VQSelectedColorNameLabel::currentText() const
{
    const std::optional<VQColorNames::Match> match = nameOf(_core);
    if (!match)
        return QString();
    return match->exact ? match->name : QStringLiteral("\u2248 ") + match->name;
}

QString VQSelectedColorNameLabel::currentName() const
{
    const std::optional<VQColorNames::Match> match = nameOf(_core);
    return match ? match->name : QString();
}

void VQSelectedColorNameLabel::refresh()
{
    const QString full = currentText();
    setText(fontMetrics().elidedText(full, Qt::ElideRight, width()));
    setToolTip(full.isEmpty() ? QString() : full + QLatin1Char('\n') + VQLocalizedString("Click to copy the name"));
    setAccessibleName(full);
}

void VQSelectedColorNameLabel::copyName()
{
    const QString name = currentName();
    if (name.isEmpty())
        return;
    VQPasteboard::general().setString(name);
    QToolTip::showText(mapToGlobal(QPoint(width() / 2, height())), VQLocalizedString("Copied \u201c%1\u201d").arg(name),
                       this, rect(), 1500);
}

void VQSelectedColorNameLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so the release comes back here rather than to the canvas's drag.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void VQSelectedColorNameLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        copyName();
}

void VQSelectedColorNameLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refresh();
}
