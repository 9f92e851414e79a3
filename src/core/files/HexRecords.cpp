#include "core/files/HexRecords.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <vector>

namespace zelko6 {

bool HexRecordReader::feed(QByteArrayView piece)
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

int HexRecordReader::field(int position, int width) const
{
    const int available = std::clamp(length_ - (position - 1), 0, width);
    return HexWordValue(line_.data() + position - 1, available);
}

void HexRecordReader::noteDamage(FileDamage::Kind kind, int64_t lineNo)
{
    if (!damage_.found())
        damage_ = {kind, lineNo};
}

void HexRecordReader::stopBeyond(int64_t address, int64_t lineNo)
{
    stopped_ = true;
    outcome_ = {HexLoadOutcome::Status::DoesNotFit, lineNo, address, {}, damage_};
}

bool HexRecordReader::store(int64_t address, int value, int64_t lineNo)
{
    if (!buffer_.contains(address)) {
        stopBeyond(address, lineNo);
        return false;
    }
    buffer_[static_cast<size_t>(address)] = static_cast<uint8_t>(value);
    return true;
}

void HexRecordReader::endLine()
{
    linesEnded_ += 1;
    if (length_ > 0)
        readLine(linesEnded_);
    length_ = 0;
}

HexLoadOutcome HexRecordReader::finish()
{
    if (stopped_)
        return outcome_;
    if (length_ > 0)
        endLine();
    if (!stopped_) {
        // Judged only now: a record file says what it holds and where it ends.
        if (!sawData_)
            noteDamage(FileDamage::Kind::NoData, linesEnded_);
        else if (!sawEnd_)
            noteDamage(FileDamage::Kind::NoEnd, linesEnded_);
        outcome_ = {HexLoadOutcome::Status::Complete, linesEnded_, 0, {}, damage_};
    }
    stopped_ = true;
    return outcome_;
}

HexLoadOutcome HexRecordReader::fail(const QString &reason)
{
    if (!stopped_)
        outcome_ = {HexLoadOutcome::Status::Unreadable, linesEnded_ + 1, 0, reason, damage_};
    stopped_ = true;
    return outcome_;
}

HexLoadOutcome readRecords(HexRecordReader &reader, QByteArrayView text)
{
    reader.feed(text);
    return reader.finish();
}

HexLoadOutcome readRecords(HexRecordReader &reader, QIODevice &device)
{
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

HexLoadOutcome loadRecords(HexRecordReader &reader, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {HexLoadOutcome::Status::Unreadable, 0, 0, file.errorString(), {}};
    return readRecords(reader, file);
}

} // namespace zelko6
