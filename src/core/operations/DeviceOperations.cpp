#include "core/operations/DeviceOperations.h"

#include <utility>

namespace zelko6 {

namespace {

// Closes the port on every way out of an operation.
class PortCloser {
  public:
    explicit PortCloser(SerialLink &link) : link_(link) {}
    ~PortCloser() { link_.close(); }
    PortCloser(const PortCloser &) = delete;
    PortCloser &operator=(const PortCloser &) = delete;

  private:
    SerialLink &link_;
};

} // namespace

bool comparesWithChip(OperationKind kind)
{
    switch (kind) {
    case OperationKind::WriteBlockAndVerify:
    case OperationKind::VerifyBlock:
        return true;
    case OperationKind::ReadBlock:
    case OperationKind::ReadByte:
    case OperationKind::WriteBlock:
    case OperationKind::WriteByte:
    case OperationKind::BlankCheck: // compares with 0xFF, never with the buffer
        return false;
    }
    return false;
}

DeviceOperations::DeviceOperations(SerialLink &link, Pump &pump, EventSink &events)
    : link_(link), pump_(pump), events_(events)
{
}

OperationOutcome DeviceOperations::run(const OperationRequest &request, MemoryBuffer &buffer)
{
    const bool blockJustWritten = std::exchange(blockJustWritten_, false);
    events_.report(OperationStarted{request.kind});
    PortCloser closer(link_);
    switch (request.kind) {
    case OperationKind::ReadBlock: {
        buffer.recreate(request.chip.DUT_SizeExp);
        const OperationOutcome outcome = ReadDevice(request, buffer, AccessScope::Block);
        // Whatever stopped the read, the buffer is no longer what the face shows: it must show it
        // as it is, so that a following write does not send bytes the user has not seen.
        if (outcome.result != OperationResult::Done)
            events_.report(ReadIncomplete{});
        return outcome;
    }
    case OperationKind::ReadByte:
        return ReadDevice(request, buffer, AccessScope::SelectedByte);
    case OperationKind::WriteBlock: {
        const OperationOutcome written = WriteDevice(request, buffer, AccessScope::Block);
        blockJustWritten_ = written.result == OperationResult::Done;
        return written;
    }
    case OperationKind::WriteBlockAndVerify: {
        const OperationOutcome written = WriteDevice(request, buffer, AccessScope::Block);
        link_.close(); // the verify opens the port anew with its own connection check
        if (abortRequested())
            return written; // nobody is waiting for a verify any more
        return VerifyDevice(request, buffer, true);
    }
    case OperationKind::WriteByte:
        return WriteDevice(request, buffer, AccessScope::SelectedByte);
    case OperationKind::VerifyBlock:
        // Its success text adds the write's time only when it checks a write just made (the
        // command line writes and then verifies in two steps); a verify of its own adds none.
        return VerifyDevice(request, buffer, blockJustWritten);
    case OperationKind::BlankCheck:
        return BlankCheck(request);
    }
    return {};
}

CheckOutcome DeviceOperations::identify(const PortSettings &port)
{
    PortCloser closer(link_);
    return connectionCheck(port);
}

LinkContext DeviceOperations::context()
{
    return LinkContext{link_, pump_, [this] { return abortRequested(); },
                       [this](LinkResult failure) { events_.report(ReplyMissed{failure}); }};
}

CheckOutcome DeviceOperations::connectionCheck(const PortSettings &port)
{
    LinkContext ctx = context();
    const CheckOutcome check =
        Read_Version(ctx, port, [this](int secondsLeft) { events_.report(CheckCountdown{secondsLeft}); });
    switch (check.result) {
    case CheckResult::Identified:
        events_.report(FirmwareIdentified{check.portNumber, check.reply, check.version});
        if (check.outdated())
            events_.report(FirmwareOutdated{check.version});
        break;
    case CheckResult::Foreign:
        events_.report(ReplyUnrecognised{check.portNumber, check.reply});
        break;
    case CheckResult::TimedOut:
    case CheckResult::PortLost:
    case CheckResult::Interrupted:
    case CheckResult::PortUnusable:
        events_.report(CheckFailed{check.portNumber, check.result, check.pending, check.openFailure});
        break;
    }
    return check;
}

std::variant<DeviceOperations::Started, OperationOutcome>
DeviceOperations::startOperation(const OperationRequest &request, size_t bufferSize, AccessScope scope)
{
    const double startTime = pump_.clock();
    const auto planned = planTransfer(request.chip, bufferSize, scope, request.address, request.accessSize);
    if (const auto *refusal = std::get_if<Refusal>(&planned)) {
        events_.report(TransferRefused{*refusal});
        OperationOutcome outcome;
        outcome.result = OperationResult::Refused;
        outcome.refusal = *refusal;
        return outcome;
    }
    const CheckOutcome check = connectionCheck(request.port);
    if (!check.passed()) {
        OperationOutcome outcome;
        outcome.result = OperationResult::CheckFailed;
        outcome.check = check.result;
        return outcome;
    }
    return Started{std::get<TransferPlan>(planned), startTime};
}

OperationOutcome DeviceOperations::linkFailed(const OperationRequest &request, TransferPhase phase,
                                              LinkResult failure)
{
    events_.report(TransferFailed{request.kind, phase, failure});
    OperationOutcome outcome;
    outcome.result = OperationResult::LinkFailed;
    outcome.failure = failure;
    return outcome;
}

OperationOutcome DeviceOperations::finished(const OperationRequest &request, TransferPhase phase,
                                            double startTime, int64_t mismatches,
                                            std::optional<double> writeSeconds)
{
    const double seconds = pump_.clock() - startTime;
    events_.report(TransferFinished{request.kind, phase, seconds, writeSeconds, mismatches});
    OperationOutcome outcome;
    outcome.result = mismatches != 0 ? OperationResult::Mismatches : OperationResult::Done;
    outcome.mismatches = mismatches;
    outcome.seconds = seconds;
    return outcome;
}

} // namespace zelko6
