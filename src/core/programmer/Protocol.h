#pragma once
// The exchanges with the board: the mode set-up, the opening of a transfer and the two data
// phases, with their pauses and reply limits. Waits end in one of the LinkResult values; the one
// text a failed wait shows, "タイムアウト" in panel 1, is written here and nowhere else.

#include "core/programmer/Pump.h"
#include "core/programmer/SerialLink.h"
#include "gui/AppState.h"
#include "gui/Ports.h"

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

// Everything an exchange touches.
struct LinkContext {
    AppState &state;
    SerialLink &link;
    Pump &pump;
    StatusPanels &panels;
    // Set while the window is being closed under a running operation: waits end as if the
    // board had gone away, so the operation unwinds in a few steps.
    const bool *abortRequested = nullptr;

    bool aborted() const { return abortRequested && *abortRequested; }
};

enum class LinkResult {
    Ok,
    TimedOut,   // no (complete) reply within the limit, or an earlier set-up time-out
    WrongReply, // the write acknowledgement was not "@"
    PortLost,   // the device vanished (or the operation was aborted): a time-out at once
};

// Waits until `count` bytes are pending, taking WaitStartTime as the start. Never spins: between
// looks it sleeps on the event loop until a byte or the wake-up interval.
LinkResult waitForPending(LinkContext &ctx, int count, std::chrono::seconds limit);

// ComError := 1; a time-out (or a lost port) also shows "タイムアウト" in panel 1.
void markLinkFailure(LinkContext &ctx, LinkResult result);

// Mode set-up (ComError := 0 at its wait; on time-out ComError := 1 and "タイムアウト"). The reply
// stays in the input unread; the opening of the transfer discards it.
void SetupTwoWire(LinkContext &ctx);
void SetupThreeWire(LinkContext &ctx);

// What is moved: addresses first..last inclusive, `chunk` bytes at a time.
struct TransferPlan {
    AccessScope scope = AccessScope::None;
    int32_t first = 0;
    int32_t last = 0;
    int chunk = 0;
};

// The three columns of the opening differ only in where they yield and how long they pause.
enum class OpeningColumn { Read, Write, Verify };

// Opening, first half: the yield before (read, verify) and the mode set-up for DUT_Bus.
void beginOpening(LinkContext &ctx, OpeningColumn column);
// Opening, second half: lead-in, command header, start and end records with their pauses.
void finishOpening(LinkContext &ctx, OpeningColumn column, const TransferPlan &plan);

// Read-type data phase. `chunk` gets each chunk's first plan.chunk bytes with their address
// (surplus bytes are dropped), `advanced` the next address after the acknowledgement went out.
// On failure ComError is 1 and, for a time-out, panel 1 shows "タイムアウト".
LinkResult readChunks(LinkContext &ctx, const TransferPlan &plan, std::chrono::seconds limit,
                      const std::function<void(int32_t address, std::span<const uint8_t> bytes)> &chunk,
                      const std::function<void(int32_t next)> &advanced);

// Write-type data phase: per chunk, wait for "@", then send the buffer's bytes at the current
// address (0xFF past the buffer's end). The board's acknowledgement of the last chunk is not
// awaited.
LinkResult writeChunks(LinkContext &ctx, const TransferPlan &plan, const MemoryBuffer &source,
                       const std::function<void(int32_t next)> &advanced);

} // namespace zelko6
