#pragma once
// S-record files of the memory buffer, the record format that many programmers and linkers speak
// beside Intel HEX: the writer produces what other tools accept byte for byte, the reader takes
// this program's files and other tools' files leniently, as the Intel HEX reader does.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/AtomicSave.h"
#include "core/files/HexRecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

class QIODevice;

namespace zelko6 {

// What the header record of our files says: the program that wrote them.
inline constexpr char kSRecordHeaderText[] = "ZELKO6";

// The whole buffer as a file: an S0 header naming the program, 16-byte data records in address
// order (S1 with 16-bit addresses for a buffer of at most 64 KiB, S2 with 24-bit addresses above),
// then the matching termination record (S9 after S1, S8 after S2); upper-case digits, CR LF after
// every line including the last.
QByteArray sRecordText(const MemoryBuffer &buffer);

// Saves sRecordText(buffer) atomically: the chosen name never holds a half-written file.
SaveOutcome saveSRecord(const MemoryBuffer &buffer, const QString &path);

// Reads S-records (see HexRecordReader). A record is "S" (or "s"), a type digit, the count of the
// bytes after it, the address, the data and the checksum; digits are read with HexWordValue, so
// lower case counts and non-digits read 0. S1, S2 and S3 place their data at 16-, 24- and 32-bit
// addresses; S7, S8 and S9, or an S5 or S6 count, mark the end of the file, though a record after
// them still loads; S0, S4 and lines that are no record are ignored. A record with a wrong
// checksum is loaded as it reads and noted as damage; of a record cut short only the bytes whose
// two digits are there load, and it is noted too, as are a file without data and one without an
// end (neither a termination nor a count record).
class SRecordReader final : public HexRecordReader {
  public:
    explicit SRecordReader(MemoryBuffer &buffer) : HexRecordReader(buffer) {}

  private:
    void readLine(int64_t lineNo) override;
};

HexLoadOutcome readSRecord(QByteArrayView text, MemoryBuffer &buffer);
// Reads the device from its current position to its end.
HexLoadOutcome readSRecord(QIODevice &device, MemoryBuffer &buffer);
HexLoadOutcome loadSRecord(const QString &path, MemoryBuffer &buffer);

} // namespace zelko6
