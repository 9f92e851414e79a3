#pragma once
// Hexadecimal text helpers shared by the editor, the grid, the logs and the Intel HEX files.

#include <QString>
#include <QStringView>
#include <cstdint>

namespace zelko6 {

// 0..9 for "0".."9", 10..15 for "A".."F", 0 for anything else (lower case and empty included).
int HexDigitValue(QStringView text);

// The last four characters of "000" + text, upper-cased, read as four hexadecimal digits with
// HexDigitValue: short texts read as zero-padded, non-digits count 0, longer texts keep their tail.
int HexWordValue(QStringView text);

// Same rule over 8-bit text (file lines), without building a QString.
int HexWordValue(const char *text, int length);

// "0x" + two upper-case digits: the byte's text in the grid, the dump and the logs.
QString byteCellText(uint8_t value);

// Upper-case hexadecimal digits with leading zeros, exactly `digits` long (the value's low digits).
QString hexDigits(uint32_t value, int digits);

inline constexpr char kHexUpper[] = "0123456789ABCDEF";

} // namespace zelko6
