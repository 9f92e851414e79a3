#pragma once
// Plain binary images of the buffer, one file byte per chip address from address 0.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/AtomicSave.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

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
// From a device it reads at most one byte more than the buffer holds.
BinaryLoadOutcome readBinary(QIODevice &device, MemoryBuffer &buffer);
BinaryLoadOutcome loadBinary(const QString &path, MemoryBuffer &buffer);

// The whole buffer as the file's bytes.
QByteArray binaryText(const MemoryBuffer &buffer);

// Saves the whole buffer atomically.
SaveOutcome saveBinary(const MemoryBuffer &buffer, const QString &path);

} // namespace zelko6
