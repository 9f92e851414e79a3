#include "core/files/SRecord.h"

#include <algorithm>
#include <cstring>

namespace zelko6 {

namespace {

using hexout::kLineEnd;
using hexout::put;
using hexout::putByte;

constexpr size_t kBytesPerRecord = 16;
// Above this the addresses need 24 bits, and so S2 and S8 records.
constexpr size_t kLargestS1Buffer = 0x10000;

// The address bytes of each record type; 0 for S4, which is reserved.
constexpr int kAddressBytes[10] = {2, 2, 3, 4, 0, 2, 3, 4, 3, 2};

// The characters of one record and its line end: "S", type, count, address, data, checksum.
constexpr size_t recordLength(int addressBytes, size_t dataBytes)
{
    return 2 + 2 * (1 + size_t(addressBytes) + dataBytes + 1) + 2;
}

// One record with its line end. The checksum is the ones' complement of the low byte of the sum
// of the count, address and data bytes.
char *putRecord(char *out, char type, int addressBytes, size_t address, const uint8_t *data, size_t size)
{
    const unsigned count = static_cast<unsigned>(addressBytes + size + 1);
    unsigned sum = count;
    *out++ = 'S';
    *out++ = type;
    out = putByte(out, count);
    for (int shift = 8 * (addressBytes - 1); shift >= 0; shift -= 8) {
        const unsigned byte = (address >> shift) & 255;
        sum += byte;
        out = putByte(out, byte);
    }
    for (size_t i = 0; i < size; ++i) {
        sum += data[i];
        out = putByte(out, data[i]);
    }
    return put(putByte(out, ~sum & 255), kLineEnd);
}

} // namespace

QByteArray sRecordText(const MemoryBuffer &buffer)
{
    const size_t size = buffer.size();
    const bool wide = size > kLargestS1Buffer;
    const int addressBytes = wide ? 3 : 2;
    const size_t headerBytes = std::strlen(kSRecordHeaderText);
    const size_t records = (size + kBytesPerRecord - 1) / kBytesPerRecord;
    const size_t length = recordLength(2, headerBytes) + records * recordLength(addressBytes, 0) + 2 * size +
                          recordLength(addressBytes, 0);

    // One allocation of the exact size, as for Intel HEX.
    QByteArray text(static_cast<qsizetype>(length), Qt::Uninitialized);
    char *out =
        putRecord(text.data(), '0', 2, 0, reinterpret_cast<const uint8_t *>(kSRecordHeaderText), headerBytes);
    for (size_t address = 0; address < size; address += kBytesPerRecord)
        out = putRecord(out, wide ? '2' : '1', addressBytes, address, buffer.data() + address,
                        std::min(kBytesPerRecord, size - address));
    // The termination record's address is where execution starts: nothing for a memory chip.
    out = putRecord(out, wide ? '8' : '9', addressBytes, 0, nullptr, 0);
    Q_ASSERT(out == text.data() + text.size());
    return text;
}

SaveOutcome saveSRecord(const MemoryBuffer &buffer, const QString &path)
{
    return saveFileAtomically(path, sRecordText(buffer));
}

void SRecordReader::readLine(int64_t lineNo)
{
    if (length_ < 2 || (line_[0] != 'S' && line_[0] != 's') || line_[1] < '0' || line_[1] > '9')
        return;
    const int type = line_[1] - '0';
    const int addressBytes = kAddressBytes[type];
    if (addressBytes == 0)
        return;
    // The count covers the address, the data and the checksum; the digits start at position 5.
    const int count = field(3, 2);
    const int dataBytes = count - addressBytes - 1;
    const bool whole = length_ >= 4 + 2 * count;
    if (dataBytes < 0 || !whole) {
        noteDamage(FileDamage::Kind::CutOff, lineNo);
    } else {
        unsigned sum = 0;
        for (int i = 0; i <= count; ++i)
            sum += static_cast<unsigned>(field(3 + 2 * i, 2));
        if ((sum & 255) != 255)
            noteDamage(FileDamage::Kind::WrongChecksum, lineNo);
    }
    if (type >= 5) {
        // S7, S8 and S9 end the file. Tools that know no start address end it with the S5 or S6
        // count of its data records instead, so a count marks the end as well.
        sawEnd_ = true;
        return;
    }
    if (type == 0 || dataBytes <= 0)
        return;
    sawData_ = true;
    const int firstData = 5 + 2 * addressBytes;
    if (length_ < firstData - 1)
        return; // not even the whole address
    int64_t address = 0;
    for (int i = 0; i < addressBytes; ++i)
        address = address * 256 + field(5 + 2 * i, 2);
    // A record cut short: only pairs that are there, and all of them are data.
    const int bytes = whole ? dataBytes : std::min(dataBytes, (length_ - (firstData - 1)) / 2);
    for (int i = 0; i < bytes; ++i)
        if (!store(address + i, field(firstData + 2 * i, 2), lineNo))
            return;
}

HexLoadOutcome readSRecord(QByteArrayView text, MemoryBuffer &buffer)
{
    return SRecordReader(buffer).readAll(text);
}

HexLoadOutcome readSRecord(QIODevice &device, MemoryBuffer &buffer)
{
    return SRecordReader(buffer).readAll(device);
}

HexLoadOutcome loadSRecord(const QString &path, MemoryBuffer &buffer)
{
    return SRecordReader(buffer).load(path);
}

} // namespace zelko6
