#include "core/buffer/BufferScan.h"
#include "core/operations/DeviceOperations.h"
#include "core/operations/ProgressTracker.h"

#include <algorithm>

namespace zelko6 {

OperationOutcome DeviceOperations::ReadDevice(const OperationRequest &request, MemoryBuffer &buffer,
                                              AccessScope scope, bool showRead)
{
    const auto started = startOperation(request, buffer.size(), scope);
    if (const auto *stopped = std::get_if<OperationOutcome>(&started))
        return *stopped;
    const auto &[plan, startTime] = std::get<Started>(started);

    LinkContext ctx = context();
    const LinkResult setup = beginOpening(ctx, request.chip);
    finishOpening(ctx, OpeningColumn::Read, request.chip, plan);

    uint8_t lastStored = kErasedByte;
    ProgressTracker progress(events_, plan);
    const LinkResult result = readChunks(
        ctx, plan, kReadChunkLimit, setup,
        [&](int32_t address, std::span<const uint8_t> bytes) {
            buffer.forEachInside(address, bytes, [&](size_t at, uint8_t byte) { buffer[at] = byte; });
            lastStored = bytes.back();
        },
        [&](int32_t next) { progress.advanced(next); });
    if (result != LinkResult::Ok)
        return linkFailed(request, TransferPhase::Read, result);

    // The face shows what came before the time is taken: the time includes showing it.
    if (showRead)
        events_.report(ReadCompleted{scope, plan.first, lastStored});
    OperationOutcome outcome = finished(request, TransferPhase::Read, startTime);
    outcome.byteRead = lastStored;
    return outcome;
}

OperationOutcome DeviceOperations::BlankCheck(const OperationRequest &request)
{
    // The same block read as ReadBlock, into an image of the chip's size that only this check
    // sees: the user's buffer, edited or loaded, stays as it is.
    MemoryBuffer scratch;
    scratch.recreate(request.chip.DUT_SizeExp);
    OperationOutcome outcome = ReadDevice(request, scratch, AccessScope::Block, false);
    if (outcome.result != OperationResult::Done)
        return outcome;
    const size_t checked = std::min(static_cast<size_t>(request.accessSize), scratch.size());
    const BlankScan scan = scanBlank(scratch.bytes().first(checked));
    events_.report(BlankChecked{static_cast<int64_t>(checked), scan.nonBlank, scan.firstNonBlank});
    if (!scan.blank()) {
        outcome.result = OperationResult::Mismatches;
        outcome.mismatches = scan.nonBlank;
        outcome.firstNonBlank = scan.firstNonBlank;
    }
    return outcome;
}

OperationOutcome DeviceOperations::WriteDevice(const OperationRequest &request, const MemoryBuffer &buffer,
                                               AccessScope scope)
{
    const auto started = startOperation(request, buffer.size(), scope);
    if (const auto *stopped = std::get_if<OperationOutcome>(&started))
        return *stopped;
    const auto &[plan, startTime] = std::get<Started>(started);

    LinkContext ctx = context();
    const LinkResult setup = beginOpening(ctx, request.chip);
    finishOpening(ctx, OpeningColumn::Write, request.chip, plan);

    ProgressTracker progress(events_, plan);
    const LinkResult result =
        writeChunks(ctx, plan, buffer, setup, [&](int32_t next) { progress.advanced(next); });
    // A failed write leaves the last successful write's time for the verify's total.
    if (result != LinkResult::Ok)
        return linkFailed(request, TransferPhase::Write, result);

    OperationOutcome outcome = finished(request, TransferPhase::Write, startTime);
    writeSeconds_ = outcome.seconds;
    return outcome;
}

} // namespace zelko6
