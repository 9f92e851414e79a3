#pragma once
// The device definition file: one chip a line, words separated by spaces, read in code page 932.

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

// Lines end at CR or CR LF; a lone LF does not end a line.
DeviceFileContents parseDeviceFile(const QByteArray &bytes);

// A file that cannot be read gives no lines: an empty list rather than a refusal to go on.
DeviceFileContents readDeviceFile(const QString &path);

// The entry of the device list: the name padded to nine characters, then the label.
QString deviceListEntry(const DeviceRecord &record);

} // namespace zelko6
