#pragma once
// Addresses and byte sequences as the user types them into the buffer tools (go to, find, fill).
//
// An address or a length is hexadecimal unless it starts with "#": "0x1F40", "1F40h", "1f40" and
// "#8000" all name the same byte. Hexadecimal is the default because every address the program
// shows (grid, panel, logs) is hexadecimal; the "#" marks the rarer decimal number as such.

#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace zelko6 {

// The number typed, or nothing when it is not one of the forms above (empty, a sign, stray
// characters, more digits than any buffer can need).
std::optional<int64_t> parseAddress(const QString &text);

// Why a typed address or length was refused.
enum class AddressRefusal {
    Malformed,  // not a number in any of the forms
    OutOfRange, // a number, but outside what the buffer allows
};

// An address inside a buffer of `size` bytes (0 .. size - 1).
std::variant<int64_t, AddressRefusal> addressInBuffer(const QString &text, size_t size);

// The longest pattern a fill repeats.
inline constexpr int kMaxFillPattern = 16;

// Bytes typed as hexadecimal: pairs of digits, with or without blanks (and commas) between the
// bytes: "DE AD BE EF", "deadbeef", "0xDE 0xAD". Nothing for an odd digit, a stray character or
// no byte at all.
std::optional<std::vector<uint8_t>> parseHexBytes(const QString &text);

// Text as the chip holds it: code page 932, so that half-width katakana and kanji are found as
// they were written. Nothing for an empty text or a character the code page lacks.
std::optional<std::vector<uint8_t>> textBytes(const QString &text);

} // namespace zelko6
