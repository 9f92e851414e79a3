#include "core/files/IntelHex.h"

#include "core/text/HexText.h"

#include <algorithm>
#include <cstring>

namespace zelko6 {

namespace {

using hexout::kLineEnd;
using hexout::put;
using hexout::putByte;

constexpr char kFirstRecord[] = ":020000040000FA";
constexpr char kUpperRecordStart[] = ":02000004";
constexpr char kEndRecord[] = ":00000001FF";
constexpr size_t kBytesPerRecord = 16;
constexpr size_t kUpperStep = 0x10000;
// 1 colon + count, address (2 bytes), type, checksum as two digits each, then CR LF.
constexpr size_t kRecordFrameLength = 1 + 2 * 5 + 2;

// The sum of the digit pairs after the colon, as the checksum counts them.
unsigned pairSum(const char *record)
{
    unsigned sum = 0;
    for (size_t i = 1; record[i] != '\0'; i += 2)
        sum += static_cast<unsigned>(HexWordValue(record + i, record[i + 1] != '\0' ? 2 : 1));
    return sum;
}

char *putChecksum(char *out, unsigned sum)
{
    return putByte(out, (~sum + 1) & 255);
}

} // namespace

void AppendHexChecksum(QString &record)
{
    unsigned sum = 0;
    const QStringView text(record);
    for (qsizetype p = 1; p < text.size(); p += 2)
        sum += static_cast<unsigned>(HexWordValue(text.sliced(p, std::min<qsizetype>(2, text.size() - p))));
    record += hexDigits((~sum + 1) & 255, 2);
}

QByteArray intelHexText(const MemoryBuffer &buffer)
{
    const size_t size = buffer.size();
    const size_t records = (size + kBytesPerRecord - 1) / kBytesPerRecord;
    const size_t uppers = size == 0 ? 0 : (size - 1) / kUpperStep;
    const size_t upperLength = std::strlen(kUpperRecordStart) + 4 + 2 + 2;
    const size_t length = std::strlen(kFirstRecord) + 2 + records * kRecordFrameLength + 2 * size +
                          uppers * upperLength + std::strlen(kEndRecord) + 2;

    // One allocation of the exact size: the largest chip gives over 8000 lines.
    QByteArray text(static_cast<qsizetype>(length), Qt::Uninitialized);
    char *out = put(put(text.data(), kFirstRecord), kLineEnd);
    const uint8_t *bytes = buffer.data();
    for (size_t address = 0; address < size; address += kBytesPerRecord) {
        const unsigned low = static_cast<unsigned>(address % kUpperStep);
        if (low == 0 && address != 0) {
            const unsigned upper = static_cast<unsigned>(address / kUpperStep) & 0xFFFF;
            out = put(out, kUpperRecordStart);
            out = putByte(putByte(out, upper >> 8), upper & 255);
            out = put(putChecksum(out, pairSum(kUpperRecordStart) + (upper >> 8) + (upper & 255)), kLineEnd);
        }
        // Only a buffer of less than 16 bytes (never a chip) has a short record.
        const unsigned count = static_cast<unsigned>(std::min(kBytesPerRecord, size - address));
        unsigned sum = count + (low >> 8) + (low & 255);
        *out++ = ':';
        out = putByte(putByte(putByte(putByte(out, count), low >> 8), low & 255), 0);
        for (unsigned i = 0; i < count; ++i) {
            sum += bytes[address + i];
            out = putByte(out, bytes[address + i]);
        }
        out = put(putChecksum(out, sum), kLineEnd);
    }
    out = put(put(out, kEndRecord), kLineEnd);
    Q_ASSERT(out == text.data() + text.size());
    return text;
}

SaveOutcome saveIntelHex(const MemoryBuffer &buffer, const QString &path)
{
    return saveFileAtomically(path, intelHexText(buffer));
}

void IntelHexReader::readLine(int64_t lineNo)
{
    if (line_[0] != ':')
        return;
    const int count = field(2, 2);
    const int address = field(4, 4);
    const int type = field(8, 2);
    // Colon, count, address, type, the data and the checksum.
    if (length_ < 11 + 2 * count) {
        noteDamage(FileDamage::Kind::CutOff, lineNo);
    } else {
        unsigned sum = 0;
        for (int i = 0; i < count + 5; ++i)
            sum += static_cast<unsigned>(field(2 + 2 * i, 2));
        if ((sum & 255) != 0)
            noteDamage(FileDamage::Kind::WrongChecksum, lineNo);
    }
    if (type == 0) {
        sawData_ = sawData_ || count > 0;
        const int64_t base = upper_ + address;
        for (int i = 0; i < count; ++i)
            if (!store(base + i, field(10 + 2 * i, 2), lineNo))
                return;
    } else if (type == 1) {
        sawEnd_ = true;
    } else if (type == 4 && count == 2 && address == 0) {
        const int64_t upper = field(10, 4);
        // From 0x8000 on the address passes 2 GiB, beyond any signed 32-bit address and any chip.
        if (upper >= 0x8000)
            stopBeyond(upper * 0x10000, lineNo);
        else
            upper_ = upper * 0x10000;
    } else if (type == 2 && count == 2 && address == 0) {
        // An extended segment address: other tools write these above 64 KiB. Ignoring them would
        // load the upper half of an image over its lower half without a word.
        upper_ = int64_t{field(10, 4)} * 16;
    }
}

HexLoadOutcome readIntelHex(QByteArrayView text, MemoryBuffer &buffer)
{
    return IntelHexReader(buffer).readAll(text);
}

HexLoadOutcome readIntelHex(QIODevice &device, MemoryBuffer &buffer)
{
    return IntelHexReader(buffer).readAll(device);
}

HexLoadOutcome loadIntelHex(const QString &path, MemoryBuffer &buffer)
{
    return IntelHexReader(buffer).load(path);
}

} // namespace zelko6
