#include "core/operations/DeviceOperations.h"

#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/LinkTexts.h"

namespace zelko6 {

DeviceOperations::DeviceOperations(const OperationPorts &ports)
    : io_(ports), ctx_{ports.state, ports.link, ports.pump, ports.panels, &abort_}
{
}

void DeviceOperations::BeginBusy()
{
    busy_ = true;
    abort_ = false;
    io_.view.setOperationLock(true);
    io_.panels.setPanel(1, QString());
    io_.panels.setPanel(2, QString());
    io_.state.ComError = 0;
}

void DeviceOperations::EndBusy()
{
    if (!holdLock_) {
        io_.view.setOperationLock(false);
        busy_ = false;
    }
    if (io_.link.isOpen())
        io_.link.close();
}

std::optional<TransferPlan> DeviceOperations::planOrRefuse()
{
    const AccessScope scope = io_.state.AccessMode;
    const int selected = scope == AccessScope::SelectedByte ? io_.view.selectedAddress() : -1;
    const QString size = scope == AccessScope::Block ? io_.view.accessSizeText() : QString();
    auto planned = planTransfer(io_.state, scope, selected, size);
    if (const auto *plan = std::get_if<TransferPlan>(&planned))
        return *plan;
    io_.panels.setPanel(1, refusalText(std::get<Refusal>(planned)));
    io_.state.ComError = 1;
    return std::nullopt;
}

bool DeviceOperations::connectionCheckPassed()
{
    Read_Version(ctx_, io_.settings, io_.boxes);
    return io_.state.ComError == 0;
}

std::variant<TransferPlan, OperationResult> DeviceOperations::startOperation(bool yieldFirst)
{
    if (yieldFirst)
        io_.pump.yield();
    io_.state.OpStartTime = io_.pump.clock();
    io_.state.ComError = 0;
    const auto plan = planOrRefuse();
    if (!plan)
        return OperationResult::Refused;
    if (!connectionCheckPassed())
        return OperationResult::CheckFailed;
    return *plan;
}

void DeviceOperations::Cmd_READ_all_Click()
{
    BusyScope busy(*this);
    io_.panels.setPanel(1, texts::kReadingText);
    io_.state.BufData.recreate(io_.state.chip.DUT_SizeExp);
    io_.state.AccessMode = AccessScope::Block;
    // Whatever stopped the read, the buffer is no longer what the grid shows: show it as it is,
    // so that a following write does not send bytes the user has not seen.
    if (ReadDevice() != OperationResult::Done) {
        // The last progress value stays visible: the user sees how far the read got.
        const QString progress = io_.panels.panel(3);
        io_.view.refreshGrid();
        io_.panels.setPanel(3, progress);
    }
}

void DeviceOperations::Cmd_READ_single_Click()
{
    BusyScope busy(*this);
    io_.state.AccessMode = AccessScope::SelectedByte;
    ReadDevice();
}

void DeviceOperations::Cmd_WRITE_all_Click()
{
    BusyScope busy(*this);
    io_.panels.setPanel(1, texts::kWritingText);
    io_.state.AccessMode = AccessScope::Block;
    // The write's and the verify's own EndBusy only close the port; the window stays locked
    // until the verify is over.
    holdLock_ = true;
    WriteDevice();
    if (!abort_) // the window is closing: nothing to verify for
        VerifyDevice();
}

void DeviceOperations::Cmd_WRITE_single_Click()
{
    BusyScope busy(*this);
    io_.state.AccessMode = AccessScope::SelectedByte;
    WriteDevice();
}

} // namespace zelko6
