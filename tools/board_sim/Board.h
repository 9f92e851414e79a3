#pragma once
// The programmer board's side of the command language, fed one received byte at a time. It knows
// nothing of the pty: replies leave through `send` together with the earliest moment they may go,
// so the caller alone decides about pacing.

#include "Options.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace boardsim {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Bytes = std::vector<std::uint8_t>;

class Board {
  public:
    Board(const Options &options, Bytes memory);

    // `now` is when the board acts on the byte: its arrival on the wire, or later while busy.
    void receive(std::uint8_t byte, TimePoint now);

    // While the board programs a chunk into the chip it takes no input.
    TimePoint busyUntil() const { return busyUntil_; }
    const Bytes &memory() const { return memory_; }

    std::function<void(const Bytes &, TimePoint notBefore)> send;
    std::function<void(bool wasWrite)> operationCompleted;
    std::function<void()> unplug;

  private:
    enum class Phase { Idle, Header, Records, AwaitAck, WriteData };

    void dispatchHeader(TimePoint now);
    void startTransfer(TimePoint now);
    void sendReadChunk(TimePoint now);
    void offerWriteChunk(TimePoint now);
    void storeWriteChunk(TimePoint now);
    // True when the transfer ended here: finished, or the device is to vanish.
    bool transferEnds();
    std::uint32_t chunkAddress() const { return start_ + chunk_ * count_; }

    const Options &opt_;
    Bytes memory_;
    std::uint32_t mask_;
    Bytes idReply_;
    Phase phase_ = Phase::Idle;
    Bytes pending_; // header, address records or write data gathered so far
    char bus_ = '2';
    bool writing_ = false;
    unsigned count_ = 0; // bytes per chunk
    std::uint32_t start_ = 0;
    std::uint32_t chunks_ = 0;
    std::uint32_t chunk_ = 0; // chunks completed in this transfer
    bool unplugArmed_;
    TimePoint busyUntil_{};
};

} // namespace boardsim
