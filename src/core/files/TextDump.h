#pragma once
// The plain-text dump of the buffer: one line per grid row, 106 bytes each in code page 932:
// address, TAB, sixteen byte fields each followed by TAB, sixteen characters, CR LF.

#include <QByteArray>
#include <QString>
#include <span>

namespace zelko6 {

inline constexpr int kDumpLineBytes = 106;

QByteArray buildTextDump(std::span<const uint8_t> bytes);

// Replaces the file with the dump; false when it cannot be written whole.
bool writeTextDump(const QString &path, std::span<const uint8_t> bytes);

} // namespace zelko6
