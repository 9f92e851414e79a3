#pragma once
// The device definition file: one chip a line, words separated by spaces, in code page 932 as it
// always was, or in UTF-8 as the editors of today save it.

#include "core/devices/DeviceTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelko6 {

inline const QString kDeviceFileName = QStringLiteral("zelko6.ini");
inline constexpr int kMaxWordsPerLine = 65;

// Every tab becomes eight spaces (a fixed replacement, not a move to the next tab stop).
QString ExpandTabs(const QString &text);

// The words of a line: the first "=" is a word of its own; words are separated by spaces.
// At most 65 words are returned; any further words are dropped.
QStringList SplitWords(const QString &text);

struct DeviceFileContents {
    DeviceTable table;
    int DeviceCount = 0; // chip lines read, including those beyond the table's last row
    QString DefFileVer;
};

// The file's text. Bytes that are valid UTF-8 (after a BOM or not) and not all ASCII are UTF-8, the
// BOM dropped; anything else is code page 932, as it always was. A file that both could read is
// ASCII, which is still read as code page 932, so every catalogue that loaded before still does. The
// rule cannot tell a code page 932 file whose bytes happen to be valid UTF-8 (such as the
// half-width "ﾃｽ", 0xC3 0xBD, which UTF-8 reads as "ý"); real Japanese text in code page 932 is
// almost never valid UTF-8, since most of its double-byte characters start with 0x81..0x9F.
QString decodeDeviceFile(const QByteArray &bytes);

// Lines end at CR or CR LF; a lone LF does not end a line.
DeviceFileContents parseDeviceFile(const QByteArray &bytes);

// A file that cannot be read, or that is not a regular file, gives no lines: an empty list rather
// than a refusal to go on.
DeviceFileContents readDeviceFile(const QString &path);

// The entry of the device list: the name padded to nine characters, then the label.
QString deviceListEntry(const DeviceRecord &record);

} // namespace zelko6
