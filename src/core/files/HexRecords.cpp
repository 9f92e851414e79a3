#include "core/files/HexRecords.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace zelko6 {

namespace {

// The value of each character as HexWordValue reads a digit: 0-9, A-F and a-f, 0 for any other.
// A table, because a 128 KiB image is 300000 digits read twice (checksum and data).
constexpr std::array<uint8_t, 256> kDigitValues = [] {
    std::array<uint8_t, 256> values{};
    for (int c = 0; c < 10; ++c)
        values['0' + c] = uint8_t(c);
    for (int c = 0; c < 6; ++c)
        values['A' + c] = values['a' + c] = uint8_t(10 + c);
    return values;
}();

} // namespace

bool HexRecordReader::feed(QByteArrayView piece)
{
    const char *p = piece.data();
    const char *const end = p + piece.size();
    while (p < end && !stopped_) {
        const char *lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        if (lineEnd > p) {
            afterCr_ = false;
            // The rest of a line longer than any record is never looked at, so it is not kept.
            const qsizetype kept = std::min<qsizetype>(lineEnd - p, kUsefulLineLength - length_);
            std::memcpy(line_.data() + length_, p, static_cast<size_t>(kept));
            length_ += static_cast<int>(kept);
            p = lineEnd;
            if (p == end)
                break;
        }
        if (*p++ == '\r') {
            endLine();
            afterCr_ = true;
        } else {
            // Files of other tools end lines with LF alone; LF right after CR ends nothing new.
            if (!afterCr_)
                endLine();
            afterCr_ = false;
        }
    }
    return !stopped_;
}

int HexRecordReader::field(int position, int width) const
{
    // Like HexWordValue of the characters that are there: at most four, so none is dropped.
    const int first = position - 1;
    const int available = std::clamp(length_ - first, 0, width);
    int value = 0;
    for (int i = first; i < first + available; ++i)
        value = value * 16 + kDigitValues[static_cast<uint8_t>(line_[static_cast<size_t>(i)])];
    return value;
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

HexLoadOutcome HexRecordReader::readAll(QByteArrayView text)
{
    feed(text);
    return finish();
}

HexLoadOutcome HexRecordReader::readAll(QIODevice &device)
{
    if (!device.isReadable())
        return fail(device.errorString());
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const qint64 got = device.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (got < 0)
            return fail(device.errorString());
        if (got == 0 || !feed(QByteArrayView(chunk.data(), got)))
            break;
    }
    return finish();
}

HexLoadOutcome HexRecordReader::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {HexLoadOutcome::Status::Unreadable, 0, 0, file.errorString(), {}};
    return readAll(file);
}

} // namespace zelko6
