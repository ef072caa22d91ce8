#include "parsers/VQGPLParser.h"

#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQLog.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace
{

constexpr QByteArrayView kHeader("GIMP Palette");
constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// UTF-8, or Latin-1 for text that is not valid UTF-8 (older palettes), so no
// byte of a name is lost.
QString decode(QByteArrayView bytes)
{
    // A U+FEFF that begins a name is part of it: only the file's first bytes are a byte-order mark.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

// The text after "Key:" when `line` starts with it.
std::optional<QByteArrayView> valueOf(QByteArrayView line, QByteArrayView key)
{
    if (!line.startsWith(key))
        return std::nullopt;
    return trimmedBlanks(line.sliced(key.size()));
}

struct Row {
    int channels[3] = {};
    QByteArrayView name;
};

// Three whole numbers 0–255 and the rest of the line; the reason otherwise.
std::optional<Row> readRow(QByteArrayView line, QString *reason)
{
    Row row;
    qsizetype at = 0;
    for (int i = 0; i < 3; ++i) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        const qsizetype start = at;
        int value = 0;
        while (at < line.size() && line[at] >= '0' && line[at] <= '9') {
            // Past 255 the value only has to stay out of range.
            value = std::min(value * 10 + (line[at] - '0'), 1000);
            ++at;
        }
        const bool endsHere = at == line.size() || isBlank(line[at]);
        if (at == start || !endsHere) {
            *reason = at == line.size() && at == start ? QStringLiteral("fewer than three numbers")
                                                       : QStringLiteral("not three whole numbers");
            return std::nullopt;
        }
        if (value > 255) {
            *reason = QStringLiteral("%1 is outside 0–255").arg(decode(line.sliced(start, at - start)));
            return std::nullopt;
        }
        row.channels[i] = value;
    }
    row.name = trimmedBlanks(line.sliced(at));
    return row;
}

} // namespace

QString VQPaletteRowName(const QString &name)
{
    QString out;
    out.reserve(name.size());
    bool inControl = false;
    for (const QChar c : name) {
        // C0, DEL and C1: none of them may stand inside a row.
        const bool control = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
        if (control) {
            if (!inControl)
                out += QLatin1Char(' ');
            inControl = true;
            continue;
        }
        inControl = false;
        out += c;
    }
    // Only blanks are trimmed: a name may begin or end with any other character.
    qsizetype first = 0, last = out.size();
    while (first < last && (out[first] == QLatin1Char(' ') || out[first] == QLatin1Char('\t')))
        ++first;
    while (last > first && (out[last - 1] == QLatin1Char(' ') || out[last - 1] == QLatin1Char('\t')))
        --last;
    return out.mid(first, last - first);
}

std::optional<std::vector<VQSwatchCollectionRef>> VQGPLParser::parseColors()
{
    _skipped.clear();
    _failure.clear();
    _changedNames = {0, QStringLiteral("each run of control characters became one space")};
    // The name as a row can hold it; counted when that is not the name the file has.
    const auto rowName = [this](QByteArrayView bytes) {
        const QString text = decode(bytes);
        QString name = VQPaletteRowName(text);
        if (name != text)
            ++_changedNames.count;
        return name;
    };
    QByteArrayView text(data());
    if (text.startsWith(kByteOrderMark))
        text = text.sliced(kByteOrderMark.size());

    QString title;
    // Colours are made once every row is read, so that a file refused for its
    // size costs no more than its rows.
    std::vector<Row> rows;
    bool rowsStarted = false;
    std::int64_t lineNumber = 0;
    while (!text.isEmpty() || lineNumber == 0) {
        const qsizetype end = text.indexOf('\n');
        QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        ++lineNumber;

        if (lineNumber == 1) {
            if (!line.startsWith(kHeader)) {
                VQLog(QStringLiteral("Not a GIMP palette: no header."));
                return std::nullopt;
            }
            continue;
        }
        const QByteArrayView content = trimmedBlanks(line);
        if (content.isEmpty() || content.startsWith('#'))
            continue;
        if (!rowsStarted) {
            if (const std::optional<QByteArrayView> name = valueOf(content, "Name:")) {
                title = rowName(*name);
                continue;
            }
            if (valueOf(content, "Columns:"))
                continue; // only how the palette is laid out
        }
        rowsStarted = true;
        QString reason;
        const std::optional<Row> row = readRow(line, &reason);
        if (!row) {
            _skipped.push_back({lineNumber, reason});
            continue;
        }
        if (std::int64_t(rows.size()) >= kMaximumRows) {
            _failure = QStringLiteral("line %1: more than %2 colors").arg(lineNumber).arg(kMaximumRows);
            return std::nullopt;
        }
        rows.push_back(*row);
    }
    VQLog(QStringLiteral("GIMP palette: %1 colors, %2 rows skipped.").arg(rows.size()).arg(_skipped.size()));

    std::vector<VQColorRef> colors;
    colors.reserve(rows.size());
    for (const Row &row : rows) {
        VQColorRef color = VQColor::makeRGB(row.channels[0] / 255.0, row.channels[1] / 255.0, row.channels[2] / 255.0);
        const QString name = rowName(row.name);
        if (!name.isEmpty())
            color->setName(name);
        colors.push_back(std::move(color));
    }
    if (title.isEmpty())
        title = URL().isEmpty() ? VQLocalizedString("Untitled Collection") : QFileInfo(URL()).completeBaseName();
    return std::vector<VQSwatchCollectionRef>{VQSwatchCollection::create(title, std::move(colors))};
}
