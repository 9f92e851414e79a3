#pragma once
// Read, write and verify, with everything they need as arguments: the chip, the port, the buffer,
// the size or address, the log. Each run reports what happens as events and returns its outcome;
// it touches no window and no program-wide state, so it can run on any thread.

#include "core/buffer/Differences.h"
#include "core/buffer/MemoryBuffer.h"
#include "core/devices/ChipParams.h"
#include "core/operations/Events.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/Protocol.h"
#include "core/programmer/Transfer.h"

#include <atomic>
#include <optional>
#include <variant>

namespace zelko6 {

struct OperationRequest {
    OperationKind kind = OperationKind::ReadBlock;
    ChipParams chip;
    PortSettings port;
    int64_t accessSize = 0; // block kinds: bytes from address 0 (refused unless it fits the buffer)
    int64_t address = -1;   // byte kinds: the address (refused unless inside the buffer)
    QString verifyLogPath;  // verify kinds: the log, created anew
};

enum class OperationResult {
    Done,
    Refused,     // the chip or the sizes cannot make this transfer; nothing was sent
    CheckFailed, // the connection check stopped it
    LinkFailed,  // a time-out, a wrong acknowledgement, a lost port or an interruption in the transfer
    Mismatches,  // verify: the transfer went through but bytes differ
};

struct OperationOutcome {
    OperationResult result = OperationResult::Done;
    Refusal refusal{};                           // Refused
    CheckResult check = CheckResult::Identified; // CheckFailed
    LinkResult failure = LinkResult::Ok;         // LinkFailed
    int64_t mismatches = 0;                      // Mismatches
    Differences differences;                     // verify: every mismatch found, even if it broke off
    double seconds = 0.0;                        // the last transfer's, connection check included
    uint8_t byteRead = 0;                        // ReadByte when Done
    int64_t firstNonBlank = -1;                  // BlankCheck: Mismatches counts the bytes not 0xFF

    // It stopped because it was asked to (the window closing, Ctrl-C).
    bool interrupted() const
    {
        return failure == LinkResult::Interrupted || check == CheckResult::Interrupted;
    }
};

// Whether an operation of this kind compares the chip with the buffer, so that its outcome carries
// the differences the face marks.
bool comparesWithChip(OperationKind kind);

class DeviceOperations {
  public:
    DeviceOperations(SerialLink &link, Pump &pump, EventSink &events);

    // One operation, from the connection check to the closed port. `buffer` is the operation's
    // until it returns: ReadBlock makes it anew at the chip's size, the reads fill it, the writes
    // and the verify read it.
    OperationOutcome run(const OperationRequest &request, MemoryBuffer &buffer);

    // The connection check alone (which board answers on this port?); the port is closed after.
    CheckOutcome identify(const PortSettings &port);

    // From any thread: the running operation (or the next one, until clearAbort) ends at its
    // next wait, as interrupted.
    void requestAbort() { abort_ = true; }
    // Before an operation starts, on the thread that starts it: an earlier request is over.
    void clearAbort() { abort_ = false; }
    // A flag outside that stops operations the same way and is never cleared here (a signal
    // handler sets it).
    void watchAbortFlag(const std::atomic<bool> *flag) { externalAbort_ = flag; }
    bool abortRequested() const { return abort_ || (externalAbort_ && *externalAbort_); }

  private:
    // `showRead`: the face is told what came (ReadCompleted); not for a scratch image it never shows.
    OperationOutcome ReadDevice(const OperationRequest &request, MemoryBuffer &buffer, AccessScope scope,
                                bool showRead = true);
    OperationOutcome BlankCheck(const OperationRequest &request);
    OperationOutcome WriteDevice(const OperationRequest &request, const MemoryBuffer &buffer,
                                 AccessScope scope);
    // `afterWrite`: the verify of a write just made, whose time its success text adds.
    OperationOutcome VerifyDevice(const OperationRequest &request, const MemoryBuffer &buffer,
                                  bool afterWrite);

    // A transfer under way: what it moves, and when it started (its time includes the check).
    struct Started {
        TransferPlan plan;
        double startTime = 0.0;
    };
    // The common start: the clock, the plan, the connection check. The start, or why it stops.
    std::variant<Started, OperationOutcome> startOperation(const OperationRequest &request, size_t bufferSize,
                                                           AccessScope scope);
    CheckOutcome connectionCheck(const PortSettings &port);
    LinkContext context();
    OperationOutcome linkFailed(const OperationRequest &request, TransferPhase phase, LinkResult failure);
    OperationOutcome finished(const OperationRequest &request, TransferPhase phase, double startTime,
                              int64_t mismatches = 0, std::optional<double> writeSeconds = {});

    SerialLink &link_;
    Pump &pump_;
    EventSink &events_;
    std::atomic<bool> abort_{false};
    const std::atomic<bool> *externalAbort_ = nullptr;
    // What a verify of a write adds to its time: the last successful write's seconds, kept by a
    // failed write. Whether the last run was a block write that went through.
    double writeSeconds_ = 0.0;
    bool blockJustWritten_ = false;
};

} // namespace zelko6
