#pragma once
// Chip images on the command line: the format follows the name, "-" is standard input or output,
// and the reading and writing itself is the window's (FileFormats, ImageFile). Unlike the window,
// a file that does not fit or cannot be read to its end is refused whole: a script must never
// write half an image into a chip.

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "core/buffer/MemoryBuffer.h"

#include <QString>
#include <variant>

namespace zelko6::cli {

inline const QString kStandardStream = QStringLiteral("-");

// The format by the name's suffix (FileFormats), which must be one of the table's; "-" takes
// `dashFormat`, Intel HEX when none is given. Anything else is a usage error, named in the returned
// text.
std::variant<ImageFormat, QString> formatOf(const QString &name, std::optional<ImageFormat> dashFormat);

struct FileResult {
    int exitCode = kExitOk;
    QString text; // what to tell the user, in the chosen language, details after it; may be empty
    bool ok() const { return exitCode == kExitOk; }
};

// Fills `buffer` (2^sizeExp bytes) from the file; on failure the buffer holds 0xFF. A damaged
// record file fails too, unless `lenient`: then it loads as the window loads it, the text a warning.
FileResult loadImage(const QString &name, ImageFormat format, int sizeExp, MemoryBuffer &buffer,
                     bool lenient);

// Before a read spends minutes on the board: can `name` be created at all?
FileResult checkCanSave(const QString &name);

// The whole buffer, atomically for a named file.
FileResult saveImage(const MemoryBuffer &buffer, const QString &name, ImageFormat format,
                     const Console &console);

} // namespace zelko6::cli
