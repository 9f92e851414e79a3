#include "Board.h"

#include <algorithm>
#include <cstdio>

namespace boardsim {

namespace {

constexpr std::uint8_t kQuery = '?';
constexpr std::uint8_t kLeadIn = 'E';
constexpr std::uint8_t kAck = '@';
constexpr std::uint8_t kWrongAck = 'A';
constexpr std::size_t kHeaderLength = 3;
constexpr std::size_t kRecordLength = 4;
constexpr unsigned kMaxChunk = 16;
// Fills the tail of a read chunk when surplus bytes are asked for; a value that is no reply byte.
constexpr std::uint8_t kSurplusByte = 0x5A;

void note(const char *what)
{
    std::fprintf(stderr, "zelko6-boardsim: %s\n", what);
}

} // namespace

Board::Board(const Options &options, Bytes memory)
    : opt_(options), memory_(std::move(memory)), mask_(static_cast<std::uint32_t>(memory_.size() - 1)),
      unplugArmed_(options.unplugAfter.has_value())
{
    std::string id = opt_.id;
    if (opt_.fwVersion) {
        // The version sits in characters 13 to 16; a short text is padded so it lands there.
        if (id.size() < 12)
            id.resize(12, ' ');
        id.replace(12, 4, *opt_.fwVersion);
    }
    id += "\r\n";
    if (opt_.idLength && *opt_.idLength < id.size())
        id.resize(*opt_.idLength);
    idReply_.assign(id.begin(), id.end());
}

void Board::receive(std::uint8_t byte, TimePoint now)
{
    // Address records and write data are binary and may hold any value; everywhere else a "?" or
    // "E" means the PC has given up on what it was doing and starts over.
    const bool payload = phase_ == Phase::Records || phase_ == Phase::WriteData;
    if (!payload && byte == kQuery) {
        phase_ = Phase::Idle;
        send(idReply_, now);
        return;
    }
    if (!payload && byte == kLeadIn) {
        phase_ = Phase::Header;
        pending_.clear();
        return;
    }
    switch (phase_) {
    case Phase::Idle:
        return; // line noise between commands
    case Phase::Header:
        pending_.push_back(byte);
        if (pending_.size() == kHeaderLength)
            dispatchHeader(now);
        return;
    case Phase::Records:
        pending_.push_back(byte);
        if (pending_.size() == 2 * kRecordLength)
            startTransfer(now);
        return;
    case Phase::AwaitAck:
        if (byte == kAck) {
            ++chunk_;
            sendReadChunk(now);
        }
        return;
    case Phase::WriteData:
        pending_.push_back(byte);
        if (pending_.size() == count_)
            storeWriteChunk(now);
        return;
    }
}

void Board::dispatchHeader(TimePoint now)
{
    phase_ = Phase::Idle;
    const std::uint8_t op = pending_[2];
    if (pending_[0] != 'e' || (pending_[1] != '2' && pending_[1] != '3')) {
        note("malformed command header ignored");
        return;
    }
    bus_ = static_cast<char>(pending_[1]);
    pending_.clear();
    if (op == 'P') {
        if (opt_.setupReply && opt_.setupReplyBytes > 0)
            send(Bytes(opt_.setupReplyBytes, kAck), now);
    } else if (op == 'R' || op == 'r' || op == 'W' || op == 'w') {
        writing_ = op == 'W' || op == 'w';
        phase_ = Phase::Records;
    } else {
        note("unknown operation letter ignored");
    }
}

void Board::startTransfer(TimePoint now)
{
    phase_ = Phase::Idle;
    // Two-wire records carry address bits 16-23 in their second byte; for three-wire chips that
    // byte is a parameter of the chip and the address has 16 bits only.
    const auto address = [&](std::size_t at) {
        std::uint32_t a = static_cast<std::uint32_t>(pending_[at + 2]) << 8 | pending_[at + 3];
        if (bus_ == '2')
            a |= static_cast<std::uint32_t>(pending_[at + 1]) << 16;
        return a;
    };
    count_ = pending_[0];
    const bool sameCount = pending_[kRecordLength] == count_;
    start_ = address(0);
    const std::uint32_t end = address(kRecordLength);
    pending_.clear();
    // Whatever a real board makes of such records, going quiet turns the PC's fault into a
    // time-out that a test cannot miss.
    if (count_ == 0 || count_ > kMaxChunk || !sameCount || end < start_) {
        note("address records refused (bad chunk count or range)");
        return;
    }
    chunks_ = (end - start_) / count_ + 1;
    chunk_ = 0;
    if (writing_)
        offerWriteChunk(now);
    else
        sendReadChunk(now);
}

bool Board::transferEnds()
{
    if (unplugArmed_ && chunk_ == *opt_.unplugAfter) {
        unplugArmed_ = false;
        phase_ = Phase::Idle;
        unplug();
        return true;
    }
    if (chunk_ < chunks_)
        return false;
    phase_ = Phase::Idle;
    operationCompleted(writing_);
    return true;
}

void Board::sendReadChunk(TimePoint now)
{
    if (transferEnds())
        return;
    if (opt_.readStallAfter && chunk_ >= *opt_.readStallAfter) {
        phase_ = Phase::Idle;
        return;
    }
    Bytes chunk;
    for (unsigned i = 0; i < count_; ++i) {
        const std::uint32_t at = (chunkAddress() + i) & mask_;
        std::uint8_t value = memory_[at];
        if (const auto bad = opt_.corrupt.find(at); bad != opt_.corrupt.end())
            value = bad->second.value_or(static_cast<std::uint8_t>(value ^ 0xFF));
        chunk.push_back(value);
    }
    chunk.insert(chunk.end(), opt_.surplus, kSurplusByte);
    send(chunk, now);
    phase_ = Phase::AwaitAck;
}

void Board::offerWriteChunk(TimePoint now)
{
    if (transferEnds())
        return;
    const TimePoint ready = std::max(now, busyUntil_);
    phase_ = Phase::Idle;
    if (opt_.writeStallAt && chunk_ == *opt_.writeStallAt)
        return;
    // The PC drops the write on a wrong byte and starts over with "?", so the board must not
    // sit waiting for chunk data that never comes.
    if (opt_.writeAckWrongAt && chunk_ == *opt_.writeAckWrongAt) {
        send(Bytes{kWrongAck}, ready);
        return;
    }
    send(Bytes{kAck}, ready);
    phase_ = Phase::WriteData;
}

void Board::storeWriteChunk(TimePoint now)
{
    for (unsigned i = 0; i < count_; ++i)
        memory_[(chunkAddress() + i) & mask_] = pending_[i];
    pending_.clear();
    ++chunk_;
    busyUntil_ = now + std::chrono::milliseconds(opt_.writeCycleMs);
    offerWriteChunk(now);
}

} // namespace boardsim
