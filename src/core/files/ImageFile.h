#pragma once
// Reading an image file in any format without hanging on a hostile one: what is not a regular
// file is refused before it is opened, and no more is read than the format's longest file for the
// image, so a file that never ends, or a FIFO that never gets a writer, cannot hold up its reader.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/AtomicSave.h"
#include "core/files/FileFormats.h"

#include <QString>
#include <cstdint>

class QIODevice;

namespace zelko6 {

// Why a file was not read at all.
struct FileRefusal {
    enum class Kind {
        None,
        Folder,     // the name is a folder's
        NotAFile,   // a FIFO, a device, a socket: it may block or never end
        CannotOpen, // the system would not open it: `reason` says why
        TooLong,    // longer than `limit`, the longest file an image in its format can have
    };
    Kind kind = Kind::None;
    QString reason;    // CannotOpen: the system's description
    int64_t limit = 0; // TooLong

    bool refused() const { return kind != Kind::None; }
};

// Refuses a folder or what is not a regular file, looking through symbolic links and opening
// nothing; anything else (a missing file too) is left to the opening.
FileRefusal refusalBeforeOpening(const QString &path);

struct ImageFileRead {
    FileRefusal refusal; // when refused, whatever the buffer holds is no image
    ImageReadOutcome outcome;
};

// Reads the file at `path`, or the device from its position, in `format` into a buffer already made
// at its size.
ImageFileRead readImageFile(const QString &path, ImageFormat format, MemoryBuffer &image);
ImageFileRead readImageFrom(QIODevice &device, ImageFormat format, MemoryBuffer &image);

// Saves the whole image in `format` atomically.
SaveOutcome saveImageFile(const MemoryBuffer &image, ImageFormat format, const QString &path);

} // namespace zelko6
