#include "ui/prefs/VQUserFormatsEditor.h"

#include "core/VQCopyTemplate.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQUserDefaults.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace
{
// The colour the message shows a template with.
constexpr VQColorSpaces::Triple kSample = {1, 0.5, 0};
} // namespace

VQUserFormatsEditor::VQUserFormatsEditor(VQUserDefaults &defaults, QWidget *parent)
    : QDialog(parent), _defaults(defaults)
{
    setWindowTitle(VQLocalizedString("Your Copy Formats"));
    const std::vector<VQUserFormat> stored = VQStoredUserFormats(defaults);
    for (std::size_t i = 0; i < stored.size(); ++i)
        _rows.push_back({stored[i], int(i)});

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    _list = new QListWidget;
    top->addWidget(_list, 1);
    auto *buttons = new QVBoxLayout;
    const struct {
        const char *title;
        void (VQUserFormatsEditor::*action)();
    } actions[] = {{QT_TRANSLATE_NOOP("Vellico", "Add"), &VQUserFormatsEditor::addFormat},
                   {QT_TRANSLATE_NOOP("Vellico", "Remove"), &VQUserFormatsEditor::removeSelected}};
    for (const auto &action : actions) {
        auto *button = new QPushButton(VQLocalizedString(action.title));
        connect(button, &QPushButton::clicked, this, action.action);
        buttons->addWidget(button);
    }
    auto *up = new QPushButton(VQLocalizedString("Up"));
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    auto *down = new QPushButton(VQLocalizedString("Down"));
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch(1);
    top->addLayout(buttons);
    layout->addLayout(top);

    auto *fields = new QFormLayout;
    _name = new QLineEdit;
    _pattern = new QLineEdit;
    _pattern->setPlaceholderText(QStringLiteral("Color(0xFF{HEX})")); // untranslated: code
    fields->addRow(VQLocalizedString("Name:"), _name);
    fields->addRow(VQLocalizedString("Template:"), _pattern);
    layout->addLayout(fields);
    _message = new QLabel;
    _message->setWordWrap(true);
    _message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(_message);
    auto *help = new QLabel(VQLocalizedString(
        "Placeholders: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), and the channels of hsl, hwb, oklch, "
        "oklab, lab, lch and p3, such as {oklch.l}; \":3\" gives 3 decimals; {{ and }} are braces."));
    help->setWordWrap(true);
    layout->addWidget(help);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto *cancel = new QPushButton(VQLocalizedString("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *saveButton = new QPushButton(VQLocalizedString("Save"));
    saveButton->setDefault(true);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    bottom->addWidget(cancel);
    bottom->addWidget(saveButton);
    layout->addLayout(bottom);

    connect(_list, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(_name, &QLineEdit::textChanged, this, [this] { selectedChanged(); });
    connect(_pattern, &QLineEdit::textChanged, this, [this] { selectedChanged(); });
    refreshList(_rows.empty() ? -1 : 0);
}

std::vector<VQUserFormat> VQUserFormatsEditor::formats() const
{
    std::vector<VQUserFormat> formats;
    for (const Row &row : _rows)
        formats.push_back(row.format);
    return formats;
}

void VQUserFormatsEditor::refreshList(int select)
{
    _showing = true;
    _list->clear();
    for (const Row &row : _rows)
        _list->addItem(row.format.name);
    _list->setCurrentRow(select);
    _showing = false;
    showSelected();
}

void VQUserFormatsEditor::showSelected()
{
    const int row = _list->currentRow();
    const bool any = row >= 0 && row < int(_rows.size());
    _showing = true;
    _name->setEnabled(any);
    _pattern->setEnabled(any);
    _name->setText(any ? _rows[std::size_t(row)].format.name : QString());
    _pattern->setText(any ? _rows[std::size_t(row)].format.pattern : QString());
    _showing = false;
    updateMessage();
}

void VQUserFormatsEditor::selectedChanged()
{
    const int row = _list->currentRow();
    if (_showing || row < 0 || row >= int(_rows.size()))
        return;
    _rows[std::size_t(row)].format = {_name->text(), _pattern->text()};
    _list->item(row)->setText(_name->text());
    updateMessage();
}

void VQUserFormatsEditor::updateMessage()
{
    const int row = _list->currentRow();
    if (row < 0 || row >= int(_rows.size())) {
        _message->clear();
        return;
    }
    QString error;
    const std::optional<QString> text = VQUserFormatText(_rows[std::size_t(row)].format.pattern, kSample, &error);
    _message->setText(text ? VQLocalizedString("Orange copies as: %1").arg(*text) : error);
}

void VQUserFormatsEditor::addFormat()
{
    _rows.push_back({{VQLocalizedString("Format %1").arg(_rows.size() + 1), QStringLiteral("#{HEX}")}, -1});
    refreshList(int(_rows.size()) - 1);
    // The name is typed next: over the one made up for it.
    _name->setFocus();
    _name->selectAll();
}

void VQUserFormatsEditor::removeSelected()
{
    const int row = _list->currentRow();
    if (row < 0 || row >= int(_rows.size()))
        return;
    _rows.erase(_rows.begin() + row);
    refreshList(std::min(row, int(_rows.size()) - 1));
}

void VQUserFormatsEditor::moveSelected(int by)
{
    const int row = _list->currentRow();
    const int to = row + by;
    if (row < 0 || row >= int(_rows.size()) || to < 0 || to >= int(_rows.size()))
        return;
    std::swap(_rows[std::size_t(row)], _rows[std::size_t(to)]);
    refreshList(to);
}

bool VQUserFormatsEditor::save()
{
    for (std::size_t i = 0; i < _rows.size(); ++i) {
        const VQUserFormat &format = _rows[i].format;
        QString error;
        if (format.name.trimmed().isEmpty())
            error = VQLocalizedString("The format needs a name.");
        else if (!VQUserFormatText(format.pattern, kSample, &error))
            error = VQLocalizedString("\"%1\": %2").arg(format.name, error);
        if (!error.isEmpty()) {
            refreshList(int(i));
            _message->setText(error);
            return false;
        }
    }
    std::vector<VQUserFormat> trimmed = formats();
    for (VQUserFormat &format : trimmed)
        format.name = format.name.trimmed();
    VQStoreUserFormats(_defaults, trimmed);

    // A copy format chosen among these follows its format to its new place.
    const auto moved = [this](std::int64_t raw) -> std::optional<std::int64_t> {
        if (raw < VQUserFormatFirstRawValue)
            return raw;
        for (std::size_t i = 0; i < _rows.size(); ++i) {
            if (_rows[i].stored == raw - VQUserFormatFirstRawValue)
                return VQUserFormatFirstRawValue + std::int64_t(i);
        }
        return std::nullopt; // removed
    };
    const QString copyKey = QString::fromLatin1(VQDefaultCopyFormatDefaultsKey);
    if (_defaults.hasKey(copyKey)) {
        const std::optional<std::int64_t> copy = moved(_defaults.integerForKey(copyKey));
        _defaults.setInteger(copyKey, copy.value_or(int(VQCopyTemplate::HexRGBWithHash)));
    }
    const QString alternateKey = QString::fromLatin1(VQAlternateCopyFormatDefaultsKey);
    bool isNumber = false;
    const std::int64_t alternate = _defaults.stringForKey(alternateKey).trimmed().toLongLong(&isNumber);
    if (_defaults.hasKey(alternateKey) && isNumber) {
        if (const std::optional<std::int64_t> kept = moved(alternate))
            _defaults.setInteger(alternateKey, *kept);
        else
            _defaults.removeObjectForKey(alternateKey); // back to the partner of the copy format
    }
    for (Row &row : _rows)
        row.stored = int(&row - _rows.data());
    return true;
}
