#pragma once
// The exchanges with the board: the mode set-up, the opening of a transfer and the two data
// phases, with their pauses and reply limits. Every wait takes its deadline and ends in a
// LinkResult; nothing here writes a text or decides what a failure means for the operation.

#include "core/buffer/MemoryBuffer.h"
#include "core/devices/ChipParams.h"
#include "core/programmer/Pump.h"
#include "core/programmer/SerialLink.h"
#include "core/programmer/WireFormat.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

namespace zelko6 {

// The board needs this long after a lead-in byte, header or address record before the next one.
inline constexpr std::chrono::milliseconds kElementPause{10};
// ... and this long after its mode set-up, and (read and verify) after the lead-in of the read.
inline constexpr std::chrono::milliseconds kSetupSettlePause{100};
inline constexpr std::chrono::milliseconds kReadLeadInPause{100};

// Reply limits, counted per wait: a long transfer never times out while each chunk is on time.
inline constexpr std::chrono::seconds kSetupReplyLimit{30};
inline constexpr std::chrono::seconds kReadChunkLimit{10};
inline constexpr std::chrono::seconds kVerifyChunkLimit{30};
inline constexpr std::chrono::seconds kWriteAckLimit{30};

// One byte on the line at 57600 bit/s (start, 8 data, stop bits).
inline constexpr std::chrono::microseconds kByteWireTime{10 * 1'000'000 / 57600};

// Longest sleep of a wait between looks at the clock; a received byte ends it much sooner.
inline constexpr std::chrono::milliseconds kWakeInterval{50};

enum class LinkResult {
    Ok,
    TimedOut,    // no (complete) reply within the limit
    WrongReply,  // the write acknowledgement was not "@"
    PortLost,    // the device went away under the open port
    Interrupted, // the operation was asked to stop (the window closing, Ctrl-C)
};

// Everything an exchange touches.
struct LinkContext {
    SerialLink &link;
    Pump &pump;
    // Checked at every look of a wait: true ends the wait at once as Interrupted.
    std::function<bool()> aborted;
    // Called the moment a wait ends without the reply it waited for, or with a wrong one.
    std::function<void(LinkResult)> replyFailed;
};

// A reply wait's deadline: it is over once more than `limit` seconds have passed since `start`.
struct ReplyWait {
    double start = 0.0;
    double limit = 0.0;
    bool overdue(double now) const { return now - start > limit; }
};

// Starts a reply wait now.
ReplyWait startWait(LinkContext &ctx, std::chrono::seconds limit);

// Waits until `count` bytes are pending or the wait is overdue. Never spins: between looks it
// sleeps on the event loop until a byte arrives or the wake-up interval has passed.
LinkResult waitForPending(LinkContext &ctx, int count, const ReplyWait &wait);

// Mode set-up for a two- or three-wire chip. The reply stays in the input unread; the opening of
// the transfer discards it. A failed wait is reported through replyFailed and returned.
LinkResult SetupTwoWire(LinkContext &ctx, const ChipParams &chip);
LinkResult SetupThreeWire(LinkContext &ctx, const ChipParams &chip);

// What is moved: addresses first..last inclusive, `chunk` bytes at a time.
struct TransferPlan {
    AccessScope scope = AccessScope::None;
    int32_t first = 0;
    int32_t last = 0;
    int chunk = 0;
};

// The three columns of the opening differ only in their header and how long the board gets after
// the lead-in.
enum class OpeningColumn { Read, Write, Verify };

// Opening, first half: the mode set-up for the chip's bus. Returns the set-up's result: a failed
// set-up does not stop the opening, it fails the data phase.
LinkResult beginOpening(LinkContext &ctx, const ChipParams &chip);
// Opening, second half: lead-in, command header, start and end records with their pauses.
void finishOpening(LinkContext &ctx, OpeningColumn column, const ChipParams &chip, const TransferPlan &plan);

// Read-type data phase. `chunk` gets each chunk's first plan.chunk bytes with their address
// (surplus bytes are dropped), `advanced` the next address after the acknowledgement went out.
// A set-up that failed (`setup` not Ok) fails the phase at its first chunk, after that chunk's
// wait, as that failure.
LinkResult readChunks(LinkContext &ctx, const TransferPlan &plan, std::chrono::seconds limit,
                      LinkResult setup,
                      const std::function<void(int32_t address, std::span<const uint8_t> bytes)> &chunk,
                      const std::function<void(int32_t next)> &advanced);

// Write-type data phase: per chunk, wait for "@", then send the buffer's bytes at the current
// address (0xFF past the buffer's end). The board's acknowledgement of the last chunk is not
// awaited. `setup` as for readChunks.
LinkResult writeChunks(LinkContext &ctx, const TransferPlan &plan, const MemoryBuffer &source,
                       LinkResult setup, const std::function<void(int32_t next)> &advanced);

} // namespace zelko6
