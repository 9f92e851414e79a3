// libFuzzer target for the catalogue reader (built by scripts/fuzz.sh catalogue-utf8 or
// catalogue-cp932, not by CMake; the two differ only in their seeds). Besides memory errors it
// looks for what a crash would not show: a table whose words are not packed from the first column
// or hold a blank, and a text that reads differently once saved as UTF-8 (with or without a BOM),
// which is what an editor does to a catalogue.

#include "core/devices/DeviceFile.h"

#include <QByteArray>
#include <QByteArrayList>
#include <cstdlib>

namespace {

using namespace zelko6;

void require(bool holds)
{
    if (!holds)
        std::abort();
}

bool sameTable(const DeviceFileContents &a, const DeviceFileContents &b)
{
    return a.DeviceCount == b.DeviceCount && a.DefFileVer == b.DefFileVer && a.table.rows == b.table.rows;
}

void requireWellFormed(const DeviceFileContents &file)
{
    require(file.DeviceCount >= 0);
    for (int row = 0; row < kDeviceRows; ++row) {
        bool ended = row >= file.DeviceCount;
        for (const QString &word : file.table.row(row)) {
            require(!word.contains(u' ') && !word.contains(u'\t') && !word.contains(u'\r'));
            require(!ended || word.isEmpty());
            ended = ended || word.isEmpty();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const DeviceFileContents file = parseDeviceFile(bytes);
    requireWellFormed(file);

    // A text that starts with U+FEFF (a second BOM) loses it to the first reading: not a catalogue.
    const QString text = decodeDeviceFile(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        return 0;
    const QByteArray utf8 = text.toUtf8();
    QByteArrayList saved = {QByteArray("\xEF\xBB\xBF") + utf8};
    // Without a BOM, ASCII goes on being read as code page 932, whose converter here swaps three
    // control codes (0x1A, 0x1C and 0x7F read as U+001C, U+007F and U+001A): not a catalogue's text.
    if (!utf8.contains('\x1A') && !utf8.contains('\x1C') && !utf8.contains('\x7F'))
        saved << utf8;
    for (const QByteArray &again : saved) {
        require(decodeDeviceFile(again) == text);
        require(sameTable(parseDeviceFile(again), file));
    }
    return 0;
}
