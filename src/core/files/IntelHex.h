#pragma once
// Intel HEX files of the memory buffer, without any window: the writer produces what other tools
// accept byte for byte, the reader takes this program's files and other tools' files leniently.
// The file commands put their own texts on the status bar from the outcomes returned here.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/AtomicSave.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

class QIODevice;

namespace zelko6 {

// `record` is ":" followed by pairs of hexadecimal digits; appends the two upper-case digits of the
// two's complement, modulo 256, of the pairs' sum (each pair read with HexWordValue).
void AppendHexChecksum(QString &record);

// The whole buffer as a file: an extended linear address record for 0 first, 16-byte data records
// in address order with a new extended linear address record before every further 64 KiB,
// the end record last; upper-case digits, CR LF after every line including the last.
QByteArray intelHexText(const MemoryBuffer &buffer);

// Saves intelHexText(buffer) atomically: the chosen name never holds a half-written file.
SaveOutcome saveIntelHex(const MemoryBuffer &buffer, const QString &path);

struct HexLoadOutcome {
    enum class Status {
        Complete,   // read to the end
        DoesNotFit, // stopped at a data byte beyond the buffer or an extended address >= 0x8000
        Unreadable, // stopped because the file could not be opened or read to its end
    };
    Status status = Status::Complete;
    int64_t line = 0;    // where reading stopped (1-based); for Complete the number of lines read
    int64_t address = 0; // DoesNotFit: the address (or upper offset) that did not fit
    QString reason;      // Unreadable: the system's description

    bool complete() const { return status == Status::Complete; }
    friend bool operator==(const HexLoadOutcome &, const HexLoadOutcome &) = default;
};

// Reads records piece by piece into a buffer that the caller has already re-created, so that files
// of any size and lines of any length take bounded memory. Lines end at CR LF, LF or CR. Fields
// are read with HexWordValue (lower case, short fields zero-padded, non-digits 0); only data
// records and extended linear address records with count 2 and address 0 count; checksums and all
// other records, the end record included, are ignored. Bytes stored before a stop stay.
class IntelHexReader {
  public:
    explicit IntelHexReader(MemoryBuffer &buffer) : buffer_(buffer) {}

    // Takes the next piece of the file; false once reading has stopped.
    bool feed(QByteArrayView piece);
    // Ends the file: a last line without a line end still counts.
    HexLoadOutcome finish();
    // Ends the file early because it could not be read further; the unfinished line is dropped.
    HexLoadOutcome fail(const QString &reason);

  private:
    // A data record of 255 bytes needs 9 + 2 * 255 characters before its checksum; the rest of a
    // longer line is never looked at, so it is not kept.
    static constexpr int kUsefulLineLength = 9 + 2 * 255;

    void endLine();
    int field(int position, int width) const;

    MemoryBuffer &buffer_;
    std::array<char, kUsefulLineLength> line_{};
    int length_ = 0;
    bool afterCr_ = false;
    bool stopped_ = false;
    int64_t linesEnded_ = 0;
    int64_t upper_ = 0;
    HexLoadOutcome outcome_;
};

HexLoadOutcome readIntelHex(QByteArrayView text, MemoryBuffer &buffer);
// Reads the device from its current position to its end.
HexLoadOutcome readIntelHex(QIODevice &device, MemoryBuffer &buffer);
HexLoadOutcome loadIntelHex(const QString &path, MemoryBuffer &buffer);

} // namespace zelko6
