#pragma once
// The image file formats, in one table: each one's names, the words and dialog filters the faces
// show for it, how long its file can grow, and its reader and writer. The window, the command
// line and their tests all ask this table; adding a format is its codec and one row here.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/BinaryImage.h"
#include "core/files/HexRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

class QIODevice;

namespace zelko6 {

enum class ImageFormat { IntelHex, SRecord, Binary };

// The format a name without a known suffix takes in the window, and standard input or output on
// the command line unless told otherwise.
inline constexpr ImageFormat kDefaultImageFormat = ImageFormat::IntelHex;

// What a reader tells of a file: the record formats say where reading stopped and what was damaged,
// a binary image only how its length compares with the buffer.
using ImageReadOutcome = std::variant<HexLoadOutcome, BinaryLoadOutcome>;

struct FileFormat {
    ImageFormat format;
    const char *word;     // the command line's --format value
    QStringList suffixes; // lower case, without the dot; a name's suffix matches in any case
    // How many of the first suffixes the open dialog's filter shows (always in upper case).
    qsizetype suffixesInDialog;
    // The dialog filter's name, marked for translation in the window's file dialogs.
    const char *filterName;
    // The most characters a tool can spend on one byte of the image in this format, for the bound
    // on how much of a file is read (see longestImageFile).
    int worstTextPerByte;
    // Reads a file from the device's position to its end into a buffer already made at its size.
    ImageReadOutcome (*read)(QIODevice &device, MemoryBuffer &buffer);
    // The whole buffer as a file.
    QByteArray (*write)(const MemoryBuffer &buffer);
};

// Every format, in the order the faces offer and list them.
std::span<const FileFormat> fileFormats();
const FileFormat &fileFormat(ImageFormat format);

// What a name whose suffix names no format is: Intel HEX as the window has always read it, or
// nothing, for the command line, where a script's typo must not write a file in a format nobody
// asked for.
enum class UnknownSuffix { IsIntelHex, Refused };

// The format by the name's suffix, in any case.
std::optional<ImageFormat> formatOfName(const QString &name, UnknownSuffix unknown);
// The format by the command line's word for it ("hex", "srec", "bin").
std::optional<ImageFormat> formatOfWord(const QString &word);

// The longest file of this format that an image of `imageBytes` bytes can have: every address
// written once in the longest records a tool can write. Never less than for the largest chip of
// the catalogue (128 KiB), so that whether a file is too long does not depend on which of the
// usual chips is chosen; more for the larger images the command line converts.
int64_t longestImageFile(ImageFormat format, size_t imageBytes);

} // namespace zelko6
