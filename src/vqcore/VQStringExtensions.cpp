#include "vqcore/VQStringExtensions.h"

#include <QCryptographicHash>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace VQString
{

namespace
{
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

qsizetype skipSpace(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return i;
}

// The leading number of the text, split into its parts. Only ASCII digits count.
struct LeadingNumber {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    std::string exponent; // with its sign, e.g. "-3"; empty when there is none
    bool valid() const { return !integerDigits.empty() || !fractionDigits.empty(); }
};

LeadingNumber scanLeadingNumber(const QString &text)
{
    LeadingNumber number;
    qsizetype i = skipSpace(text);
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        number.negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    while (i < text.size() && isDigit(text.at(i)))
        number.integerDigits += char(text.at(i++).unicode());
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && isDigit(text.at(i)))
            number.fractionDigits += char(text.at(i++).unicode());
    }
    if (!number.valid())
        return number;
    // An exponent counts only with at least one digit: "2e" is 2, "2e+x" is 2.
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string exponent;
        if (j < text.size() && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            exponent += char(text.at(j++).unicode());
        const qsizetype firstDigit = j;
        while (j < text.size() && isDigit(text.at(j)))
            exponent += char(text.at(j++).unicode());
        if (j > firstDigit)
            number.exponent = exponent;
    }
    return number;
}
} // namespace

QString fromUtf8Exactly(QByteArrayView utf8)
{
    // Only text that starts with the mark's three bytes needs the slower decoder.
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

QString stringByDeletingPrefix(const QString &text, const QString &prefix)
{
    if (prefix.isEmpty() || !text.startsWith(prefix))
        return text;
    return text.mid(prefix.size());
}

double doubleValue(const QString &text)
{
    const LeadingNumber number = scanLeadingNumber(text);
    if (!number.valid())
        return 0.0;
    std::string digits = number.integerDigits.empty() ? std::string("0") : number.integerDigits;
    if (!number.fractionDigits.empty())
        digits += '.' + number.fractionDigits;
    if (!number.exponent.empty()) {
        // from_chars takes no '+' in the exponent.
        digits += 'e';
        digits += number.exponent[0] == '+' ? number.exponent.substr(1) : number.exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: the decimal order of magnitude tells which.
        long long order = 0;
        const auto firstInteger = number.integerDigits.find_first_not_of('0');
        if (firstInteger != std::string::npos)
            order = (long long)(number.integerDigits.size() - firstInteger);
        else
            order = -(long long)number.fractionDigits.find_first_not_of('0');
        long long exponent = 0;
        for (char c : number.exponent)
            if (c >= '0' && c <= '9')
                exponent = std::min(exponent * 10 + (c - '0'), 1000000000LL);
        if (!number.exponent.empty() && number.exponent[0] == '-')
            exponent = -exponent;
        value = order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return number.negative ? -value : value;
}

std::int64_t integerValue(const QString &text)
{
    const LeadingNumber number = scanLeadingNumber(text);
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (char c : number.integerDigits) {
        const std::uint64_t digit = std::uint64_t(c - '0');
        if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            overflow = true;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (number.negative) {
        if (overflow || magnitude > std::uint64_t(kMax) + 1)
            return kMin;
        return magnitude == std::uint64_t(kMax) + 1 ? kMin : -std::int64_t(magnitude);
    }
    if (overflow || magnitude > std::uint64_t(kMax))
        return kMax;
    return std::int64_t(magnitude);
}

std::uint64_t hexValue(const QString &text)
{
    qsizetype i = skipSpace(text);
    if (i < text.size() && text.at(i) == QLatin1Char('#'))
        ++i;
    else if (i + 1 < text.size() && text.at(i) == QLatin1Char('0') &&
             (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X')))
        i += 2;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hexDigit(text.at(i));
        if (digit < 0)
            break;
        if (value > (std::numeric_limits<std::uint64_t>::max() >> 4))
            return std::numeric_limits<std::uint64_t>::max();
        value = (value << 4) | std::uint64_t(digit);
    }
    return value;
}

std::uint32_t fourCharCodeValue(const QString &text)
{
    if (text.isEmpty() || text.size() > 4)
        return 0;
    std::uint32_t code = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const char16_t c = i < text.size() ? text.at(i).unicode() : u' ';
        if (c > 0xFF)
            return 0;
        code = (code << 8) | std::uint32_t(c);
    }
    return code;
}

QString MD5Digest(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString descriptionWithDefaultValue(const std::optional<QString> &value, const QString &defaultValue)
{
    return value ? *value : defaultValue;
}

QString descriptionWithDefaultValue(const QVariant &value, const QString &defaultValue)
{
    if (!value.isValid() || value.isNull())
        return defaultValue;
    return value.toString();
}

} // namespace VQString
