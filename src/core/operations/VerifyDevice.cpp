#include "core/operations/DeviceOperations.h"
#include "core/operations/ProgressTracker.h"
#include "core/programmer/VerifyLog.h"

namespace zelko6 {

OperationOutcome DeviceOperations::VerifyDevice(const OperationRequest &request, const MemoryBuffer &buffer,
                                                bool afterWrite)
{
    const auto started = startOperation(request, buffer.size(), AccessScope::Block);
    if (const auto *stopped = std::get_if<OperationOutcome>(&started))
        return *stopped;
    const auto &[plan, startTime] = std::get<Started>(started);

    LinkContext ctx = context();
    const LinkResult setup = beginOpening(ctx, request.chip);
    events_.report(VerifyStarted{});
    int64_t mismatches = 0;
    Differences differences;
    finishOpening(ctx, OpeningColumn::Verify, request.chip, plan);

    // From here on a log that cannot be written costs only its lines, never the comparison.
    VerifyLog log(request.verifyLogPath);
    ProgressTracker progress(events_, plan);
    const LinkResult result = readChunks(
        ctx, plan, kVerifyChunkLimit, setup,
        [&](int32_t address, std::span<const uint8_t> bytes) {
            buffer.forEachInside(address, bytes, [&](size_t at, uint8_t actual) {
                if (buffer[at] == actual)
                    return;
                ++mismatches;
                differences.push_back({static_cast<int32_t>(at), actual});
                log.mismatch(static_cast<int32_t>(at), buffer[at], actual);
            });
        },
        [&](int32_t next) { progress.advanced(next); });

    if (result != LinkResult::Ok) {
        OperationOutcome outcome = linkFailed(request, TransferPhase::Verify, result);
        outcome.differences = std::move(differences);
        link_.close();
        if (mismatches != 0)
            log.linkError();
        log.end();
        events_.report(VerifyLogClosed{request.verifyLogPath, mismatches, false});
        return outcome;
    }

    link_.close();
    // A verify alone adds no write's time: the last write may have been of another chip.
    OperationOutcome outcome = finished(request, TransferPhase::Verify, startTime, mismatches,
                                        afterWrite ? std::optional(writeSeconds_) : std::nullopt);
    outcome.differences = std::move(differences);
    log.count(mismatches);
    log.end();
    events_.report(VerifyLogClosed{request.verifyLogPath, mismatches, true});
    return outcome;
}

} // namespace zelko6
