#include "parsers/VQReader.h"

#include "vqcore/VQLog.h"

#include <QStringDecoder>

#include <algorithm>
#include <bit>
#include <cstring>

namespace
{

// The method name is the one the log has always shown for this read.
void logEndOfFile(const char *method)
{
    if (VQDebugLog::isLoggingEnabled())
        VQDebugLog::write(QStringLiteral("End of file."), method, __FILE__, __LINE__);
}

} // namespace

VQReader::VQReader(const std::uint8_t *bytes, std::int64_t length)
    : _bytes(bytes), _length(bytes ? std::max<std::int64_t>(length, 0) : 0)
{
}

void VQReader::setPointer(std::int64_t pointer)
{
    _pointer = std::clamp<std::int64_t>(pointer, 0, _length);
}

std::uint16_t VQReader::makeWord(std::uint8_t first, std::uint8_t second)
{
    return std::uint16_t(first << 8 | second);
}

std::uint16_t VQReader::swapBytes(std::uint16_t word)
{
    return std::uint16_t(word << 8 | word >> 8);
}

std::uint8_t VQReader::peakByte(std::int64_t offset) const
{
    // Written so that no sum can overflow, whatever offset a caller passes.
    if (offset < 0 || offset >= _length - _pointer) {
        logEndOfFile("peakByte");
        return 0;
    }
    return _bytes[_pointer + offset];
}

std::uint8_t VQReader::readByte()
{
    if (_pointer >= _length) {
        logEndOfFile("readByte()");
        return 0;
    }
    return _bytes[_pointer++];
}

std::uint16_t VQReader::peakWord() const
{
    if (_pointer + 1 >= _length) {
        logEndOfFile("peakWord()");
        return 0;
    }
    return makeWord(_bytes[_pointer], _bytes[_pointer + 1]);
}

std::uint16_t VQReader::readWord()
{
    if (_pointer + 1 >= _length) {
        logEndOfFile("readWord()");
        return 0;
    }
    const std::uint16_t word = makeWord(_bytes[_pointer], _bytes[_pointer + 1]);
    _pointer += 2;
    return word;
}

std::uint32_t VQReader::read4ByteWord()
{
    const std::uint32_t high = readWord();
    return high << 16 | readWord();
}

void VQReader::skip(std::int64_t n)
{
    if (n <= 0)
        return;
    if (n > remaining()) {
        logEndOfFile("skip");
        _pointer = _length;
        return;
    }
    _pointer += n;
}

std::optional<QString> VQReader::readStringOfLength(std::int64_t n)
{
    if (n <= 0)
        return QString();
    const std::int64_t available = std::min(n, remaining());
    const char *start = reinterpret_cast<const char *>(_bytes + _pointer);
    const void *zero = available > 0 ? std::memchr(start, 0, size_t(available)) : nullptr;
    const std::int64_t textLength = zero ? static_cast<const char *>(zero) - start : available;
    skip(n);

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(start, qsizetype(textLength)));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString VQReader::readUnicharStringOfLength(std::int64_t n)
{
    if (n <= 0)
        return QString();
    const std::int64_t units = std::min(n, remaining() / 2);
    QString text(qsizetype(units), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (std::int64_t i = 0; i < units; ++i)
        out[i] = char16_t(makeWord(_bytes[_pointer + 2 * i], _bytes[_pointer + 2 * i + 1]));
    // A high surrogate must be followed by a low one, and a low one preceded by a high one.
    for (std::int64_t i = 0; i < units; ++i) {
        const char16_t unit = out[i];
        if (QChar::isHighSurrogate(unit)) {
            if (i + 1 < units && QChar::isLowSurrogate(out[i + 1]))
                ++i;
            else
                out[i] = QChar::ReplacementCharacter;
        } else if (QChar::isLowSurrogate(unit)) {
            out[i] = QChar::ReplacementCharacter;
        }
    }
    if (units < n) {
        logEndOfFile("readUnicharStringOfLength");
        _pointer = _length;
    } else {
        _pointer += 2 * units;
    }
    return text;
}

float VQReader::readFloat()
{
    const std::uint32_t bits = read4ByteWord();
    if (bits == 0xFF800000u)
        return 0.0f;
    if (bits == 0xFFCCCC00u)
        return 1.0f;
    return std::bit_cast<float>(bits);
}
