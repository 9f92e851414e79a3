#pragma once
// The Japanese code page 932 of the files the program reads and writes, and its single-byte set
// (ASCII plus the half-width katakana 0xA1..0xDF at U+FF61..U+FF9F).

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace zelko6 {

inline constexpr char16_t kMiddleDot = u'\uFF65'; // "･", drawn for bytes without a glyph
inline constexpr uint8_t kMiddleDotByte = 0xA5;   // the same character in code page 932

// The character with this single-byte code, or nothing for 0x80..0xA0 and 0xE0..0xFF.
std::optional<QChar> singleByteChar(uint8_t code);

// The single-byte code of a character, or nothing (double-byte and unmapped characters).
std::optional<uint8_t> singleByteCode(QChar c);

QByteArray encodeCp932(const QString &text);
// The text in code page 932, or nothing when a character has no code there (encodeCp932 would
// put the platform's substitute in its place: 0xFC 0xFC from ICU on Linux, "?" on Windows).
std::optional<QByteArray> encodeCp932Exactly(const QString &text);
QString decodeCp932(const QByteArray &bytes);

} // namespace zelko6
