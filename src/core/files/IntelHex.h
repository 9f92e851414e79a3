#pragma once
// Intel HEX files of the memory buffer, without any window: the writer produces what other tools
// accept byte for byte, the reader takes this program's files and other tools' files leniently.
// The file commands put their own texts on the status bar from the outcomes returned here.

#include "core/buffer/MemoryBuffer.h"
#include "core/files/AtomicSave.h"
#include "core/files/HexRecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
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

// Reads Intel HEX records (see HexRecordReader). Fields are read with HexWordValue (lower case,
// short fields zero-padded, non-digits 0); only data records, extended linear address records with
// count 2 and address 0 and extended segment address records alike place bytes; the end record
// stops nothing and the other records are ignored. A record with a wrong checksum or cut short is
// loaded as it reads and noted as damage, as are a file without data and one without an end record.
class IntelHexReader final : public HexRecordReader {
  public:
    explicit IntelHexReader(MemoryBuffer &buffer) : HexRecordReader(buffer) {}

  private:
    void readLine(int64_t lineNo) override;

    int64_t upper_ = 0;
};

HexLoadOutcome readIntelHex(QByteArrayView text, MemoryBuffer &buffer);
// Reads the device from its current position to its end.
HexLoadOutcome readIntelHex(QIODevice &device, MemoryBuffer &buffer);
HexLoadOutcome loadIntelHex(const QString &path, MemoryBuffer &buffer);

} // namespace zelko6
