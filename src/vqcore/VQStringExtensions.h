#pragma once
// Small operations on text that the colour reader, the library and the
// synchronisation need. None of them depends on the user's locale.

#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

namespace VQString
{

// UTF-8 as QString::fromUtf8 reads it, except that a U+FEFF at the start is
// kept: fromUtf8 takes it for a byte-order mark and drops it, so a name that
// begins with one lost a character at every load.
QString fromUtf8Exactly(QByteArrayView utf8);

// `text` without `prefix` when it begins with it (case-sensitive); otherwise `text`.
QString stringByDeletingPrefix(const QString &text, const QString &prefix);

// The number at the start of the text: leading white space, an optional sign,
// digits with an optional fraction and an optional exponent ("  -1.5e3kg" is
// -1500). 0 when the text does not start with a number; ±infinity when the
// number is too large for a double.
double doubleValue(const QString &text);

// The same leading number's integer part ("42.9" is 42, "1e3" is 1), limited
// to the range of a 64-bit signed integer. 0 when there is none.
std::int64_t integerValue(const QString &text);

// Hexadecimal digits after optional leading white space and an optional "#"
// or "0x"/"0X", read up to the first non-hexadecimal character ("#FF8000" is
// 0xFF8000, "12g4" is 0x12). 0 when there are no digits; the largest unsigned
// 64-bit value when there are more digits than fit.
std::uint64_t hexValue(const QString &text);

// A four-character code as a big-endian number: "8BCO" is 0x3842434F.
// Shorter texts are padded with spaces at the end, the way codes such as
// "RGB " are written in swatch files ("RGB" gives the same value as "RGB ").
// 0 for an empty text, a text longer than four characters, or one with a
// character outside Latin-1.
std::uint32_t fourCharCodeValue(const QString &text);

// The MD5 digest of the text's UTF-8 bytes as 32 lower-case hexadecimal digits.
QString MD5Digest(const QString &text);

// The value as text, or `defaultValue` when there is no value.
QString descriptionWithDefaultValue(const std::optional<QString> &value, const QString &defaultValue);
// An invalid or null variant counts as no value.
QString descriptionWithDefaultValue(const QVariant &value, const QString &defaultValue);

} // namespace VQString
