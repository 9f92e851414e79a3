#include "core/operations/DeviceOperations.h"

#include "core/programmer/LinkTexts.h"

namespace zelko6 {

OperationResult DeviceOperations::ReadDevice()
{
    AppState &state = io_.state;
    const auto started = startOperation(true);
    if (const auto *stopped = std::get_if<OperationResult>(&started))
        return *stopped;
    const auto *plan = &std::get<TransferPlan>(started);

    beginOpening(ctx_, OpeningColumn::Read);
    finishOpening(ctx_, OpeningColumn::Read, *plan);

    uint8_t lastStored = kErasedByte;
    ProgressDisplay progress(io_.panels, *plan);
    const LinkResult result = readChunks(
        ctx_, *plan, kReadChunkLimit,
        [&](int32_t address, std::span<const uint8_t> bytes) {
            for (size_t i = 0; i < bytes.size(); ++i) {
                const int64_t at = int64_t{address} + static_cast<int64_t>(i);
                if (state.BufData.contains(at))
                    state.BufData[static_cast<size_t>(at)] = bytes[i];
            }
            lastStored = bytes.back();
        },
        [&](int32_t next) { progress.update(next); });

    if (result != LinkResult::Ok) {
        io_.panels.append(1, texts::kReadErrorSuffix);
        EndBusy();
        return OperationResult::LinkFailed;
    }

    io_.panels.setPanel(1, QString());
    if (plan->scope == AccessScope::SelectedByte)
        io_.view.showReadByte(lastStored);
    else
        io_.view.refreshGrid();
    state.OpStartTime = io_.pump.clock() - state.OpStartTime;
    io_.panels.setPanel(1, texts::kReadDoneText + tenthsText(state.OpStartTime) + texts::kSecondsSuffix);
    EndBusy();
    return OperationResult::Done;
}

OperationResult DeviceOperations::WriteDevice()
{
    AppState &state = io_.state;
    // No yield first: the write keeps the window's events out until it waits for the board.
    const auto started = startOperation(false);
    if (const auto *stopped = std::get_if<OperationResult>(&started))
        return *stopped;
    const auto *plan = &std::get<TransferPlan>(started);

    beginOpening(ctx_, OpeningColumn::Write);
    finishOpening(ctx_, OpeningColumn::Write, *plan);

    ProgressDisplay progress(io_.panels, *plan);
    const LinkResult result =
        writeChunks(ctx_, *plan, state.BufData, [&](int32_t next) { progress.update(next); });

    if (result != LinkResult::Ok) {
        // WriteSeconds keeps the last successful write's time for the verify's total.
        io_.panels.append(1, texts::kWriteErrorSuffix);
        EndBusy();
        return OperationResult::LinkFailed;
    }

    state.OpStartTime = io_.pump.clock() - state.OpStartTime;
    state.WriteSeconds = state.OpStartTime;
    io_.panels.setPanel(1,
                        texts::kWriteDoneText + wholeSecondsText(state.OpStartTime) + texts::kSecondsSuffix);
    EndBusy();
    return OperationResult::Done;
}

} // namespace zelko6
