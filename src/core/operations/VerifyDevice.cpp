#include "core/operations/DeviceOperations.h"

#include "core/programmer/LinkTexts.h"
#include "core/programmer/VerifyLog.h"

namespace zelko6 {

OperationResult DeviceOperations::VerifyDevice()
{
    AppState &state = io_.state;
    // The verify reads back what the block write just sent.
    state.AccessMode = AccessScope::Block;
    const auto started = startOperation(true);
    if (const auto *stopped = std::get_if<OperationResult>(&started))
        return *stopped;
    const auto *plan = &std::get<TransferPlan>(started);

    io_.pump.yield();
    beginOpening(ctx_, OpeningColumn::Verify);
    io_.panels.setPanel(1, texts::kVerifyingText);
    int64_t mismatches = 0;
    finishOpening(ctx_, OpeningColumn::Verify, *plan);

    const QString logPath =
        state.VerifyLogPath.isEmpty() ? state.pathInAppDir(texts::kVerifyLogName) : state.VerifyLogPath;
    VerifyLog log(logPath);
    ProgressDisplay progress(io_.panels, *plan);
    const LinkResult result = readChunks(
        ctx_, *plan, kVerifyChunkLimit,
        [&](int32_t address, std::span<const uint8_t> bytes) {
            for (size_t i = 0; i < bytes.size(); ++i) {
                const int64_t at = int64_t{address} + static_cast<int64_t>(i);
                if (!state.BufData.contains(at))
                    continue;
                const uint8_t expected = state.BufData[static_cast<size_t>(at)];
                if (expected == bytes[i])
                    continue;
                ++mismatches;
                log.mismatch(static_cast<int32_t>(at), expected, bytes[i]);
            }
        },
        [&](int32_t next) { progress.update(next); });

    if (result != LinkResult::Ok) {
        io_.panels.append(1, texts::kReadErrorSuffix);
        EndBusy();
        if (mismatches != 0)
            log.linkError();
        log.end();
        io_.shell.open(logPath);
        return OperationResult::LinkFailed;
    }

    io_.panels.setPanel(1, QString());
    EndBusy();
    state.OpStartTime = io_.pump.clock() - state.OpStartTime;
    if (mismatches != 0)
        io_.panels.setPanel(1, texts::kVerifyErrorText);
    else
        io_.panels.setPanel(1, texts::kVerifyDoneText + tenthsText(state.WriteSeconds + state.OpStartTime) +
                                   texts::kSecondsSuffix);
    log.count(mismatches);
    log.end();
    if (mismatches != 0) {
        io_.shell.open(logPath);
        return OperationResult::Mismatches;
    }
    return OperationResult::Done;
}

} // namespace zelko6
