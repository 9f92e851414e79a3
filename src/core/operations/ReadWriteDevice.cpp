#include "core/operations/DeviceOperations.h"
#include "core/operations/ProgressTracker.h"

namespace zelko6 {

OperationOutcome DeviceOperations::ReadDevice(const OperationRequest &request, MemoryBuffer &buffer,
                                              AccessScope scope)
{
    pump_.yield();
    const auto started = startOperation(request, buffer.size(), scope);
    if (const auto *stopped = std::get_if<OperationOutcome>(&started))
        return *stopped;
    const TransferPlan &plan = std::get<TransferPlan>(started);

    LinkContext ctx = context();
    const LinkResult setup = beginOpening(ctx, OpeningColumn::Read, request.chip);
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
        return linkFailed(TransferPhase::Read, result);

    // The face shows what came before the time is taken: the time includes showing it.
    events_.report(ReadCompleted{scope, plan.first, lastStored});
    OperationOutcome outcome = finished(TransferPhase::Read, pump_.clock() - record_.OpStartTime);
    outcome.byteRead = lastStored;
    return outcome;
}

OperationOutcome DeviceOperations::WriteDevice(const OperationRequest &request, const MemoryBuffer &buffer,
                                               AccessScope scope)
{
    // No yield first: the write keeps the window's events out until it waits for the board.
    const auto started = startOperation(request, buffer.size(), scope);
    if (const auto *stopped = std::get_if<OperationOutcome>(&started))
        return *stopped;
    const TransferPlan &plan = std::get<TransferPlan>(started);

    LinkContext ctx = context();
    const LinkResult setup = beginOpening(ctx, OpeningColumn::Write, request.chip);
    finishOpening(ctx, OpeningColumn::Write, request.chip, plan);

    ProgressTracker progress(events_, plan);
    const LinkResult result =
        writeChunks(ctx, plan, buffer, setup, [&](int32_t next) { progress.advanced(next); });
    // A failed write leaves WriteSeconds at the last successful write's time, for the verify's total.
    if (result != LinkResult::Ok)
        return linkFailed(TransferPhase::Write, result);

    const double seconds = pump_.clock() - record_.OpStartTime;
    record_.WriteSeconds = seconds;
    return finished(TransferPhase::Write, seconds);
}

} // namespace zelko6
