#pragma once
// A big-endian cursor over bytes it does not own. Reading past the end never
// fails: the missing bytes read as 0, "End of file." goes to the debug log and
// the cursor stops at the end. Nothing outside bytes[0 … length − 1] is touched.

#include <QString>

#include <cstdint>
#include <optional>

class VQReader
{
  public:
    VQReader() = default;
    VQReader(const std::uint8_t *bytes, std::int64_t length);

    const std::uint8_t *bytes() const { return _bytes; }
    std::int64_t length() const { return _length; }
    // Offset of the next byte to read; 0 after construction.
    std::int64_t pointer() const { return _pointer; }
    // Kept within 0 … length: a position past the end is the end.
    void setPointer(std::int64_t pointer);
    // Bytes left to read.
    std::int64_t remaining() const { return _length - _pointer; }
    bool atEnd() const { return _pointer >= _length; }

    // first × 256 + second.
    static std::uint16_t makeWord(std::uint8_t first, std::uint8_t second);
    // The word with its two bytes exchanged.
    static std::uint16_t swapBytes(std::uint16_t word);

    // The byte at pointer + offset; the cursor stays.
    std::uint8_t peakByte(std::int64_t offset = 0) const;
    std::uint8_t readByte();
    // The 16-bit value at the cursor; 0 when fewer than two bytes are left.
    std::uint16_t peakWord() const;
    std::uint16_t readWord();
    // Two readWord calls: high half first.
    std::uint32_t read4ByteWord();
    // Moves the cursor n bytes on (to the end at most).
    void skip(std::int64_t n);

    // The next n bytes as zero-terminated UTF-8: text stops at the first zero
    // byte; nothing when the text is not valid UTF-8. The cursor moves n bytes.
    std::optional<QString> readStringOfLength(std::int64_t n);
    // The next n UTF-16 units, each one character, zero units included.
    // Surrogate pairs stay pairs (one character outside the BMP); a lone
    // surrogate becomes U+FFFD. The cursor moves 2n bytes. Units past the end
    // are not made up: the text stops where the data does.
    QString readUnicharStringOfLength(std::int64_t n);
    // An IEEE-754 single; the patterns FF 80 00 00 and FF CC CC 00 read as 0.0 and 1.0.
    float readFloat();

  private:
    const std::uint8_t *_bytes = nullptr;
    std::int64_t _length = 0;
    std::int64_t _pointer = 0;
};
