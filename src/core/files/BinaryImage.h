#pragma once
// Plain binary images of the buffer, one file byte per chip address from address 0.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/AtomicSave.h"

#include <QIODevice>
#include <QString>
#include <cstdint>

namespace zelko6 {

struct BinaryLoadOutcome {
    enum class Status {
        Exact,      // the file is as long as the buffer
        Shorter,    // loaded; the addresses past the file's end hold 0xFF
        Longer,     // refused, the buffer is untouched: writing part of an image is never wanted
        Unreadable, // refused, the buffer is untouched
    };
    Status status = Status::Exact;
    int64_t fileSize = 0; // for Longer at least the buffer size + 1
    QString reason;       // Unreadable: the system's description
};

// Loads the file over the whole buffer (file bytes, then 0xFF), or leaves the buffer as it was.
BinaryLoadOutcome loadBinary(const QString &path, MemoryBuffer &buffer);
// The same from an open device (standard input).
BinaryLoadOutcome readBinary(QIODevice &file, MemoryBuffer &buffer);

// Saves the whole buffer atomically.
SaveOutcome saveBinary(const MemoryBuffer &buffer, const QString &path);

} // namespace zelko6
