// vellico-cli parse / format / contrast: colour text in and out, exactly as the
// desktop program reads a pasted colour and writes a copied one. With "-" for
// the text, parse and format read one colour a line from standard input and
// answer each line as it comes.
#include "cli/VQCommandLine_p.h"

#include "core/VQCSSColor.h"
#include "core/VQColor.h"
#include "core/VQColorNames.h"
#include "core/VQColorText.h"
#include "core/VQContrast.h"
#include "core/VQCopyTemplate.h"
#include "core/VQJson.h"
#include "core/VQUserFormats.h"
#include "vqcore/VQUserDefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>

namespace
{

// A text as a message quotes it: at most 60 characters, control characters
// (a NUL, a newline, a terminal's escape) written out as \xNN.
QString quotedText(const QString &text)
{
    QString shown;
    for (const QChar c : text.left(60)) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7F && code < 0xA0))
            shown += QStringLiteral("\\x") + QString::number(code, 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return QLatin1Char('"') + shown + (text.size() > 60 ? QStringLiteral("…") : QString()) + QLatin1Char('"');
}

QString notAColourMessage(const QString &text, const std::string &why)
{
    return QStringLiteral("%1 is not a color: %2").arg(quotedText(text), QString::fromStdString(why));
}

// The shortest text that reads back as the same double.
QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString compactJson(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// The command's one operand: the colour text, or "-" for standard input.
std::optional<QString> colourText(const VQCliOptions &options, VQCommandResult *error)
{
    if (options.positional.size() != 2) {
        *error = VQCliUsageError(
            QStringLiteral("%1 takes one color text (quote it if it has spaces), or - to read lines from standard "
                           "input")
                .arg(options.positional.value(0)));
        return std::nullopt;
    }
    return options.positional[1];
}

// What one line (or the one operand) becomes: the text to print without its
// newline, or false and the reason.
using Answer = std::function<bool(std::string_view text, std::string &out, std::string &why)>;

// Standard input line by line: one line out for every line in, an empty one for a line
// that fails (standard error names it). The output is flushed whenever the input has
// been answered as far as it has come, so a pipe reading both ends never waits.
VQCommandResult streamLines(const VQCliStreams &streams, const Answer &answer)
{
    const int fd = fileno(streams.in);
    std::string pending, out, why;
    std::string batch;
    std::size_t lineNumber = 0, failures = 0;
    char buffer[1 << 16];
    const auto answerLine = [&](std::string_view line) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.clear();
        if (answer(line, out, why)) {
            batch += out;
        } else {
            ++failures;
            const QString message =
                QStringLiteral("line %1: %2\n")
                    .arg(lineNumber)
                    .arg(notAColourMessage(QString::fromUtf8(line.data(), qsizetype(line.size())), why));
            // What came before goes out before the message, so the two streams stay in order.
            std::fwrite(batch.data(), 1, batch.size(), streams.out);
            batch.clear();
            std::fflush(streams.out);
            std::fputs(message.toUtf8().constData(), streams.err);
        }
        batch += '\n';
    };
    for (;;) {
        // read() returns what has arrived; fread would wait for a whole buffer.
        const ssize_t got =
            fd >= 0 ? ::read(fd, buffer, sizeof buffer) : ssize_t(std::fread(buffer, 1, sizeof buffer, streams.in));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        std::string_view chunk(buffer, std::size_t(got));
        while (!chunk.empty()) {
            const std::size_t newline = chunk.find('\n');
            if (newline == std::string_view::npos) {
                pending.append(chunk);
                break;
            }
            if (pending.empty()) {
                answerLine(chunk.substr(0, newline));
            } else {
                pending.append(chunk.substr(0, newline));
                answerLine(pending);
                pending.clear();
            }
            chunk.remove_prefix(newline + 1);
        }
        std::fwrite(batch.data(), 1, batch.size(), streams.out);
        batch.clear();
        std::fflush(streams.out);
    }
    if (!pending.empty())
        answerLine(pending); // a last line without a newline
    std::fwrite(batch.data(), 1, batch.size(), streams.out);
    std::fflush(streams.out);
    VQCommandResult result;
    if (failures > 0) {
        result.status = 1;
        result.err = failures == 1 ? QStringLiteral("1 of %1 lines was not a color\n").arg(lineNumber)
                                   : QStringLiteral("%1 of %2 lines were not colors\n").arg(failures).arg(lineNumber);
    }
    return result;
}

// The operand, or each line of standard input for "-".
VQCommandResult answerTextOrLines(const VQCliOptions &options, const VQCliStreams &streams, const Answer &answer)
{
    VQCommandResult result;
    const std::optional<QString> text = colourText(options, &result);
    if (!text)
        return result;
    if (*text == QLatin1String("-"))
        return streamLines(streams, answer);
    const QByteArray utf8 = text->toUtf8();
    std::string out, why;
    if (!answer(std::string_view(utf8.constData(), std::size_t(utf8.size())), out, why))
        return VQCliFailure(notAColourMessage(*text, why));
    result.out = QString::fromStdString(out) + QLatin1Char('\n');
    return result;
}

// A colour text read as the desktop program reads it, or why not.
bool readColour(std::string_view text, VQCSSColor::Reading &reading, std::string &why)
{
    reading = VQReadColorText(text);
    if (!reading.ok)
        why = reading.error;
    return reading.ok;
}

std::string formatNames()
{
    std::string names;
    for (int raw = 0; raw < VQCopyTemplateCount; ++raw)
        names += (raw ? ", " : "") + VQCopyTemplateName(VQCopyTemplate(raw)).toStdString();
    for (const VQUserFormat &format : VQStoredUserFormats(VQUserDefaults::standard()))
        names += ", " + format.name.toStdString();
    return names;
}

// One JSON object: compact on one line when answering lines, laid out as every command's JSON otherwise.
std::string jsonText(const QJsonObject &object, bool lines)
{
    if (lines)
        return compactJson(object).toStdString();
    QByteArray printed = VQJson::print(object);
    printed.chop(1); // the newline comes with the answer
    return printed.toStdString();
}

bool readsLines(const VQCliOptions &options)
{
    return options.positional.value(1) == QLatin1String("-");
}

} // namespace

VQCommandResult VQCliParse(const VQCliOptions &options, const VQCliStreams &streams)
{
    const bool json = options.json();
    const bool lines = readsLines(options);
    return answerTextOrLines(options, streams, [=](std::string_view text, std::string &out, std::string &why) {
        VQCSSColor::Reading reading;
        if (!readColour(text, reading, why))
            return false;
        if (json) {
            const VQColorRef color = VQColor::makeRGB(reading.rgb[0], reading.rgb[1], reading.rgb[2]);
            QJsonObject object = VQJson::color(*color);
            object.insert(QStringLiteral("gamutMapped"), reading.gamutMapped);
            out = jsonText(object, lines);
        } else {
            // "#RRGGBB<tab>RGB r g b", as the colour's hexValue() and the shortest doubles print it.
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%02X%02X%02X", unsigned(std::lround(reading.rgb[0] * 255)),
                          unsigned(std::lround(reading.rgb[1] * 255)), unsigned(std::lround(reading.rgb[2] * 255)));
            out = hex;
            out += "\tRGB";
            for (double channel : reading.rgb) {
                out += ' ';
                out += shortest(channel).toLatin1().constData();
            }
        }
        return true;
    });
}

VQCommandResult VQCliFormat(const VQCliOptions &options, const VQCliStreams &streams)
{
    if (options.has("template") && options.has("as"))
        return VQCliUsageError(QStringLiteral("format takes --template N or --as NAME, not both"));
    std::optional<VQCopyTemplate> format;
    if (options.has("template")) {
        bool isNumber = false;
        const qint64 raw = options.value("template").toLongLong(&isNumber);
        format = isNumber ? VQCopyTemplateFromRawValue(raw) : std::nullopt;
        if (!format)
            return VQCliUsageError(QStringLiteral("unknown template \"%1\": the templates are 0–%2")
                                       .arg(options.value("template"))
                                       .arg(VQCopyTemplateCount - 1));
    } else if (options.has("as")) {
        format = VQCopyTemplateFromName(options.value("as"));
        if (!format)
            return VQCliUsageError(QStringLiteral("unknown format \"%1\": the formats are %2")
                                       .arg(options.value("as"), QString::fromStdString(formatNames())));
    } else {
        return VQCliUsageError(
            QStringLiteral("format needs --template N (0–%1) or --as NAME").arg(VQCopyTemplateCount - 1));
    }
    const bool lowercase = options.flag("lowercase");
    const bool json = options.json();
    const bool css = int(*format) >= int(VQCopyTemplate::OKLCH) && int(*format) < VQCopyTemplateCount;
    // A user format's template, read from the settings once for all the lines.
    std::optional<QString> pattern;
    if (int(*format) >= VQUserFormatFirstRawValue) {
        const std::vector<VQUserFormat> formats = VQStoredUserFormats(VQUserDefaults::standard());
        pattern = formats.at(std::size_t(int(*format) - VQUserFormatFirstRawValue)).pattern;
        QString error;
        if (!VQUserFormatText(*pattern, {0, 0, 0}, &error))
            return VQCliFailure(QStringLiteral("the format \"%1\" has a template that is not valid: %2")
                                    .arg(VQCopyTemplateName(*format), error));
    }
    const bool lines = readsLines(options);
    return answerTextOrLines(options, streams, [=](std::string_view text, std::string &out, std::string &why) {
        VQCSSColor::Reading reading;
        if (!readColour(text, reading, why))
            return false;
        if (css && !json) {
            // The CSS notations straight from the numbers: this is the path of a million lines.
            char written[VQCSSColor::kMaxWrittenLength];
            out.assign(written, VQCSSColor::write(VQCSSColor::Notation(int(*format) - int(VQCopyTemplate::OKLCH)),
                                                  reading.rgb, written));
            return true;
        }
        if (pattern && !json) {
            out = VQUserFormatText(*pattern, reading.rgb).value_or(QString()).toStdString();
            return true;
        }
        const VQColorRef color = VQColor::makeRGB(reading.rgb[0], reading.rgb[1], reading.rgb[2]);
        const QString copied = VQCopyText(*color, *format, lowercase);
        if (json) {
            out = jsonText(QJsonObject{{QStringLiteral("template"), int(*format)},
                                       {QStringLiteral("text"), copied},
                                       {QStringLiteral("color"), VQJson::color(*color)}},
                           lines);
        } else {
            out = copied.toStdString();
        }
        return true;
    });
}

VQCommandResult VQCliContrast(const VQCliOptions &options)
{
    if (options.positional.size() != 3)
        return VQCliUsageError(QStringLiteral("contrast takes two colors: FOREGROUND BACKGROUND"));
    VQColorSpaces::Triple colours[2];
    for (int i = 0; i < 2; ++i) {
        const QString &text = options.positional[1 + i];
        const VQCSSColor::Reading reading = VQReadColorText(text);
        if (!reading.ok)
            return VQCliFailure(QStringLiteral("the %1 %2")
                                    .arg(i == 0 ? QStringLiteral("foreground") : QStringLiteral("background"),
                                         notAColourMessage(text, reading.error)));
        colours[i] = reading.rgb;
    }
    const double ratio = VQContrast::ratio(colours[0], colours[1]);
    const VQContrast::Grades grades = VQContrast::grades(ratio);
    const double lc = VQContrast::apcaLightnessContrast(colours[0], colours[1]);
    VQCommandResult result;
    if (options.json()) {
        result.out = QString::fromUtf8(VQJson::print(QJsonObject{
            {QStringLiteral("ratio"), ratio},
            {QStringLiteral("aa"),
             QJsonObject{{QStringLiteral("normal"), grades.aaNormal}, {QStringLiteral("large"), grades.aaLarge}}},
            {QStringLiteral("aaa"),
             QJsonObject{{QStringLiteral("normal"), grades.aaaNormal}, {QStringLiteral("large"), grades.aaaLarge}}},
            {QStringLiteral("apca"), lc},
        }));
        return result;
    }
    const auto grade = [](bool pass) { return pass ? QStringLiteral("pass") : QStringLiteral("fail"); };
    char lcText[32];
    std::snprintf(lcText, sizeof lcText, "%.1f", std::abs(lc) < 0.05 ? 0.0 : lc);
    result.out =
        QStringLiteral("%1\nAA: %2, large text: %3\nAAA: %4, large text: %5\nLc %6\n")
            .arg(QString::fromStdString(VQContrast::ratioText(ratio)), grade(grades.aaNormal), grade(grades.aaLarge),
                 grade(grades.aaaNormal), grade(grades.aaaLarge), QString::fromLatin1(lcText));
    return result;
}

VQCommandResult VQCliName(const VQCliOptions &options, const VQCliStreams &streams)
{
    const bool json = options.json();
    const bool lines = readsLines(options);
    return answerTextOrLines(options, streams, [=](std::string_view text, std::string &out, std::string &why) {
        VQCSSColor::Reading reading;
        if (!readColour(text, reading, why))
            return false;
        const VQColorNames::Match match = VQColorNames::shared().nearest(reading.rgb);
        if (json) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%06X", unsigned(match.rgb));
            out = jsonText(QJsonObject{{QStringLiteral("name"), match.name},
                                       {QStringLiteral("hex"), QString::fromLatin1(hex)},
                                       {QStringLiteral("exact"), match.exact},
                                       {QStringLiteral("css"), match.css},
                                       {QStringLiteral("distance"), match.distance}},
                           lines);
        } else {
            out = (match.exact ? QString() : QStringLiteral("\u2248 ")).toStdString() + match.name.toStdString();
        }
        return true;
    });
}

VQCommandResult VQCliSearch(const VQCliOptions &options)
{
    const QStringList words = options.positional.mid(1);
    if (words.isEmpty())
        return VQCliUsageError(QStringLiteral("search needs one or more words"));
    std::size_t limit = 50;
    if (options.has("limit")) {
        bool ok = false;
        const qlonglong value = options.value("limit").toLongLong(&ok);
        if (!ok || value < 1)
            return VQCliUsageError(
                QStringLiteral("--limit takes a number of names, 1 or more, not \"%1\"").arg(options.value("limit")));
        limit = std::size_t(value);
    }
    const std::vector<const VQColorNames::Entry *> found = VQColorNames::shared().search(words, limit);
    const auto hex = [](std::uint32_t rgb) {
        return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
    };
    VQCommandResult result;
    if (options.json()) {
        QJsonArray array;
        for (const VQColorNames::Entry *entry : found)
            array.append(QJsonObject{{QStringLiteral("name"), entry->name}, {QStringLiteral("hex"), hex(entry->rgb)}});
        result.out = QString::fromUtf8(VQJson::print(array));
    } else {
        for (const VQColorNames::Entry *entry : found)
            result.out += entry->name + QLatin1Char('\t') + hex(entry->rgb) + QLatin1Char('\n');
    }
    if (found.empty()) {
        result.status = 1;
        result.err = QStringLiteral("no color name contains %1\n").arg(words.join(QLatin1Char(' ')));
    }
    return result;
}
