#pragma once
// What the core reports while it works, as plain values: a face turns them into texts (the window
// into its status panels, the command line into lines), in its own language. Nothing here is a
// sentence, and every value can be copied to another thread.

#include "core/devices/ChipSelection.h"
#include "core/files/HexRecords.h"
#include "core/files/ImageFile.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/Protocol.h"
#include "core/programmer/Transfer.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace zelko6 {

// The device operations a face can ask for. Everything that depends on the kind (the texts that
// start, finish and fail it, whether it compares with the chip) is an exhaustive switch over it,
// and the build takes a missing case for an error: a kind added here builds only once it has all.
enum class OperationKind {
    ReadBlock,           // the block from address 0 into a buffer made anew
    ReadByte,            // the byte at an address into the buffer
    WriteBlock,          // the block from address 0, not verified
    WriteBlockAndVerify, // the block, then the verify whatever the write's outcome (the window)
    WriteByte,           // the byte at an address, never verified
    VerifyBlock,         // the block compared with the buffer, mismatches logged
    BlankCheck,          // the block read into a scratch image and compared with 0xFF; the buffer stays
};

// The transfers an operation is made of: one, or a write and then a verify (WriteBlockAndVerify).
enum class TransferPhase { Read, Write, Verify };

// --- Device operations ---

struct OperationStarted {
    OperationKind kind;
};
struct TransferRefused {
    Refusal refusal;
};
// The connection check waits for the identification: whole seconds left, each time they change.
struct CheckCountdown {
    int secondsLeft;
};
// The connection check stopped the operation.
struct CheckFailed {
    int portNumber;
    CheckResult reason; // TimedOut, PortLost, Interrupted or PortUnusable
    int pending;        // characters that had come when the wait ended
    OpenFailure openFailure;
};
struct FirmwareIdentified {
    int portNumber;
    QString firmwareId; // the first 16 characters of the reply
    float version;
};
// Firmware older than version 6: the face warns; the operation goes on once the face returns.
struct FirmwareOutdated {
    float version;
};
// Something that is not our firmware answered; the operation goes on all the same.
struct ReplyUnrecognised {
    int portNumber;
    QString reply;
};
// A reply wait ended without its reply (or with a wrong one), at that moment.
struct ReplyMissed {
    LinkResult failure;
};
struct VerifyStarted {};
// The percentage of the running transfer, each time it changes (so 0 never comes).
struct TransferProgress {
    int percent;
};
// A transfer failed; the operation's own failure, after any ReplyMissed.
struct TransferFailed {
    OperationKind kind;
    TransferPhase phase;
    LinkResult failure;
};
// A read completed: the buffer holds what came (a block), or `value` at `address` (a byte).
struct ReadCompleted {
    AccessScope scope;
    int32_t address;
    uint8_t value;
};
// A block read that did not complete: the buffer holds what came, 0xFF after it.
struct ReadIncomplete {};
struct TransferFinished {
    OperationKind kind;
    TransferPhase phase;
    double seconds; // this transfer's, connection check included
    // A verify that checks a write just made (or tried): the last successful write's seconds, which
    // its text adds (0 when there was none). None for a verify on its own.
    std::optional<double> writeSeconds;
    int64_t mismatches; // Verify
};
// The verify log is written and closed: worth showing when something went wrong.
struct VerifyLogClosed {
    QString path;
    int64_t mismatches;
    bool complete; // the comparison ran to the end

    // A log with mismatches, or of a comparison that broke off, is for the user to read now.
    bool worthShowing() const { return !complete || mismatches != 0; }
};

// A blank check read its block: how many of its bytes are not 0xFF, and the lowest address of one.
struct BlankChecked {
    int64_t checked;
    int64_t nonBlank;
    int64_t firstNonBlank; // -1 when blank
};

// --- The grid's full refresh ---

struct GridRefreshStarted {};
struct GridRefreshProgress {
    int percent;
};
struct GridRefreshFinished {};

// --- Loading and saving files ---

enum class FileStage {
    PleaseWait,    // the open dialog is about to show
    CannotOpen,    // nothing chosen, no such file, no chip, or unreadable; `refusal` may say why
    Loading,       //
    Loaded,        // read to the end
    Damaged,       // read to the end, but the file is damaged: `damage` says how and where
    LoadedShorter, // a binary image shorter than the chip: the rest is 0xFF
    DoesNotFit,    // stopped at data beyond the chip; what fitted is loaded
    Unreadable,    // broke off part way; what was read is shown
    BinaryTooLong, // refused whole; the buffer is unchanged
    SaveCancelled, //
    Saving,        //
    Saved,         //
    NotSaved,      // `detail`: the system's reason
    Compared,      // the buffer compared with a file: `differences` bytes differ
};
struct FileStatus {
    FileStage stage;
    QString detail;
    FileDamage damage = {};   // Damaged
    int64_t differences = 0;  // Compared
    FileRefusal refusal = {}; // CannotOpen: why the file was not read, when that is known
};

// --- The window's own controls ---

// The byte under the grid's current cell became the selected address.
struct AddressSelected {
    int address;
};
struct ChipSelecting {
    QString memo; // the chip's remark from the catalogue
};
struct ChipSelected {};
struct ChipRefused {
    ChipRefusal refusal;
};
struct BufferCleared {};
// Start-up is over: the firmware the program needs is named.
struct ReadyForUse {};

// --- The buffer tools ---

// A search for a byte sequence ended: where the match is, and whether it took going round past
// the buffer's end (or start, backward) to find it.
struct SearchFinished {
    bool found;
    int64_t address;
    bool wrapped;
};
struct BufferFilled {
    int64_t first;
    int64_t count;
};

using StatusEvent =
    std::variant<OperationStarted, TransferRefused, CheckCountdown, CheckFailed, FirmwareIdentified,
                 FirmwareOutdated, ReplyUnrecognised, ReplyMissed, VerifyStarted, TransferProgress,
                 TransferFailed, ReadCompleted, ReadIncomplete, TransferFinished, VerifyLogClosed,
                 GridRefreshStarted, GridRefreshProgress, GridRefreshFinished, FileStatus, AddressSelected,
                 ChipSelecting, ChipSelected, ChipRefused, BufferCleared, ReadyForUse,
                 // the buffer tools
                 BlankChecked, SearchFinished, BufferFilled>;

// Events a face must have acted on before the operation goes on: the user's answer to the
// firmware warning, and the buffer shown before a read's time is taken.
inline bool faceActsBeforeGoingOn(const StatusEvent &event)
{
    return std::holds_alternative<FirmwareOutdated>(event) || std::holds_alternative<ReadCompleted>(event);
}

// One handler per event type for std::visit, the others taken by a generic lambda.
template <class... Handlers> struct EventHandlers : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers> EventHandlers(Handlers...) -> EventHandlers<Handlers...>;

// The one interface through which the core reports. A face's implementation may act on an event
// (refresh its grid, show a box) before it returns; the reporter goes on afterwards.
class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void report(const StatusEvent &event) = 0;
};

} // namespace zelko6
