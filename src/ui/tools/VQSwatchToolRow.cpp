#include "ui/tools/VQSwatchToolRow.h"

#include "core/VQColorNames.h"
#include "core/VQInk.h"
#include "core/VQSwatchCore.h"
#include "ui/tools/VQSwatchStrip.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQNotificationCenter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

VQSwatchToolRow::VQSwatchToolRow(VQSwatchCore &core, const QString &addToolTip, QWidget *parent)
    : QWidget(parent), _core(core)
{
    setFixedHeight(kHeight);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    _strip = new VQSwatchStrip(this);
    _strip->setFixedHeight(kHeight);
    layout->addWidget(_strip, 1);
    _empty = new QLabel(this);
    QFont small = _empty->font();
    small.setPixelSize(11);
    _empty->setFont(small);
    _empty->setForegroundRole(QPalette::Text);
    updateTone();
    _empty->hide();
    layout->addWidget(_empty, 1);
    _addButton = new QToolButton(this);
    _addButton->setText(QStringLiteral("+"));
    _addButton->setAutoRaise(true);
    _addButton->setFixedSize(kHeight, kHeight);
    _addButton->setFocusPolicy(Qt::TabFocus);
    _addButton->setToolTip(addToolTip);
    _addButton->setAccessibleName(addToolTip);
    layout->addWidget(_addButton);

    connect(_strip, &VQSwatchStrip::colorChosen, this, [this](int index) {
        const std::vector<VQColorRef> &shown = _strip->colors();
        if (index >= 0 && index < int(shown.size()))
            // A colour of its own: the library's selection is never one the row still shows.
            _core.setSelectedColor(VQColor::makeRGB(shown[size_t(index)]->RGBColor()), true);
    });
    connect(_addButton, &QToolButton::clicked, this, [this] { addAsCollection(); });
    _observer = VQNotificationCenter::defaultCenter().addObserver(
        QString::fromLatin1(VQSwatchCoreColorSelectionDidChangeNotification), nullptr,
        [this](const VQNotification &) { selectionChanged(); });
}

VQSwatchToolRow::~VQSwatchToolRow()
{
    VQNotificationCenter::defaultCenter().removeObserver(_observer);
}

void VQSwatchToolRow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateTone();
}

void VQSwatchToolRow::updateTone()
{
    // The text saying why the row is empty: a hint's tone on the window, in the
    // label's Text, which no tone is computed from.
    QPalette tones = _empty->palette();
    tones.setColor(QPalette::Text, VQInk::hint(palette(), palette().color(QPalette::Window)));
    _empty->setPalette(tones);
}

QString VQSwatchToolRow::label(const VQColor &color)
{
    const VQRGBColor rgb = color.RGBColor();
    const VQColorNames::Match match = VQColorNames::shared().nearest({rgb.r, rgb.g, rgb.b});
    return color.hexValue() + QStringLiteral("  ") + (match.exact ? QString() : QStringLiteral("\u2248 ")) + match.name;
}

void VQSwatchToolRow::showColors(std::vector<VQColorRef> colors, const QString &emptyText)
{
    _colors = std::move(colors);
    _empty->setText(emptyText);
    _empty->setVisible(_colors.empty());
    _strip->setVisible(!_colors.empty());
    _addButton->setEnabled(!_colors.empty());
    layOutStrip();
}

void VQSwatchToolRow::setFittingCellWidth(int width)
{
    _fittingCellWidth = width;
    _strip->setMaximumCellWidth(width > 0 ? width : 24);
    layOutStrip();
}

void VQSwatchToolRow::layOutStrip()
{
    std::vector<VQColorRef> shown = _colors;
    if (_fittingCellWidth > 0) {
        const int gap = VQSwatchStripGeometry::kGap;
        const size_t fit = size_t(std::max(0, (_strip->width() + gap) / (_fittingCellWidth + gap)));
        if (shown.size() > fit)
            shown.resize(fit);
    }
    QStringList labels;
    for (const VQColorRef &color : shown)
        labels << label(*color);
    _strip->setColors(std::move(shown), labels);
    markSelected();
}

void VQSwatchToolRow::markSelected()
{
    const VQColorRef selected = _core.selectedColor();
    const QString hex = selected ? selected->hexValue() : QString();
    const std::vector<VQColorRef> &shown = _strip->colors();
    const auto found =
        std::find_if(shown.begin(), shown.end(), [&hex](const VQColorRef &color) { return color->hexValue() == hex; });
    _strip->setCurrentIndex(found == shown.end() ? -1 : int(found - shown.begin()));
}

void VQSwatchToolRow::selectionChanged()
{
    markSelected();
}

void VQSwatchToolRow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutStrip();
}

VQSwatchCollectionRef VQSwatchToolRow::addAsCollection()
{
    if (_colors.empty())
        return nullptr;
    // Colours of the collection's own, so that renaming one there changes nothing here.
    std::vector<VQColorRef> colors;
    for (const VQColorRef &color : _colors)
        colors.push_back(VQColor::makeRGB(color->RGBColor()));
    VQSwatchCollectionRef collection = VQSwatchCollection::create(collectionTitle(), std::move(colors));
    if (QString why; !_core.hasRoomFor({collection}, &why)) {
        VQModalUI::shared().runAlert({VQLocalizedString("The collection was not added."),
                                      why.left(1).toUpper() + why.mid(1) + QLatin1Char('.'),
                                      {VQLocalizedString("OK")}});
        return nullptr;
    }
    _core.addCollection(collection);
    VQNotificationCenter::defaultCenter().post(QString::fromLatin1(VQCollectionsWereReorganizedNotification));
    return collection;
}
