#include "core/files/IntelHex.h"

#include "core/text/HexText.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <vector>

namespace zelko6 {

namespace {

constexpr char kFirstRecord[] = ":020000040000FA";
constexpr char kUpperRecordStart[] = ":02000004";
constexpr char kEndRecord[] = ":00000001FF";
constexpr char kLineEnd[] = "\r\n";
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

char *put(char *out, const char *text)
{
    const size_t n = std::strlen(text);
    std::memcpy(out, text, n);
    return out + n;
}

char *putByte(char *out, unsigned value)
{
    out[0] = kHexUpper[(value >> 4) & 15];
    out[1] = kHexUpper[value & 15];
    return out + 2;
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

bool IntelHexReader::feed(QByteArrayView piece)
{
    const char *p = piece.data();
    const char *const end = p + piece.size();
    while (p < end && !stopped_) {
        const char c = *p++;
        if (c == '\r') {
            endLine();
            afterCr_ = true;
        } else if (c == '\n') {
            // Files of other tools end lines with LF alone; LF right after CR ends nothing new.
            if (!afterCr_)
                endLine();
            afterCr_ = false;
        } else {
            afterCr_ = false;
            if (length_ < kUsefulLineLength)
                line_[static_cast<size_t>(length_++)] = c;
        }
    }
    return !stopped_;
}

int IntelHexReader::field(int position, int width) const
{
    // A field cut short by the end of the line reads as zero-padded on the left, like HexWordValue
    // of a shorter text.
    const int available = std::clamp(length_ - (position - 1), 0, width);
    return HexWordValue(line_.data() + position - 1, available);
}

void IntelHexReader::endLine()
{
    const int64_t lineNo = linesEnded_ + 1;
    const bool record = length_ > 0 && line_[0] == ':';
    linesEnded_ = lineNo;
    if (!record) {
        length_ = 0;
        return;
    }
    const int count = field(2, 2);
    const int address = field(4, 4);
    const int type = field(8, 2);
    if (type == 0) {
        const int64_t base = upper_ + address;
        for (int i = 0; i < count; ++i) {
            if (!buffer_.contains(base + i)) {
                stopped_ = true;
                outcome_ = {HexLoadOutcome::Status::DoesNotFit, lineNo, base + i, {}};
                break;
            }
            buffer_[static_cast<size_t>(base + i)] = static_cast<uint8_t>(field(10 + 2 * i, 2));
        }
    } else if (type == 4 && count == 2 && address == 0) {
        const int64_t upper = field(10, 4);
        // From 0x8000 on the address passes 2 GiB, beyond any signed 32-bit address and any chip.
        if (upper >= 0x8000) {
            stopped_ = true;
            outcome_ = {HexLoadOutcome::Status::DoesNotFit, lineNo, upper * 0x10000, {}};
        } else {
            upper_ = upper * 0x10000;
        }
    } else if (type == 2 && count == 2 && address == 0) {
        // An extended segment address: other tools write these above 64 KiB. Ignoring them would
        // load the upper half of an image over its lower half without a word.
        upper_ = int64_t{field(10, 4)} * 16;
    }
    length_ = 0;
}

HexLoadOutcome IntelHexReader::finish()
{
    if (stopped_)
        return outcome_;
    if (length_ > 0)
        endLine();
    if (!stopped_)
        outcome_ = {HexLoadOutcome::Status::Complete, linesEnded_, 0, {}};
    stopped_ = true;
    return outcome_;
}

HexLoadOutcome IntelHexReader::fail(const QString &reason)
{
    if (!stopped_)
        outcome_ = {HexLoadOutcome::Status::Unreadable, linesEnded_ + 1, 0, reason};
    stopped_ = true;
    return outcome_;
}

HexLoadOutcome readIntelHex(QByteArrayView text, MemoryBuffer &buffer)
{
    IntelHexReader reader(buffer);
    reader.feed(text);
    return reader.finish();
}

HexLoadOutcome readIntelHex(QIODevice &device, MemoryBuffer &buffer)
{
    IntelHexReader reader(buffer);
    if (!device.isReadable())
        return reader.fail(device.errorString());
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const qint64 got = device.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (got < 0)
            return reader.fail(device.errorString());
        if (got == 0 || !reader.feed(QByteArrayView(chunk.data(), got)))
            break;
    }
    return reader.finish();
}

HexLoadOutcome loadIntelHex(const QString &path, MemoryBuffer &buffer)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {HexLoadOutcome::Status::Unreadable, 0, 0, file.errorString()};
    return readIntelHex(file, buffer);
}

} // namespace zelko6
