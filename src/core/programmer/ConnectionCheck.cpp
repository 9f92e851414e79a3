#include "core/programmer/ConnectionCheck.h"

#include "core/base/NumberText.h"
#include "core/programmer/WireFormat.h"

#include <cmath>

namespace zelko6 {

PortSettings savedPortSettings(const Settings &settings)
{
    PortSettings port;
    port.portNumber = settings.int16(keys::ComNo).value_or(0) + 1;
    if (port.portNumber < kFirstPortNumber || port.portNumber > kLastPortNumber)
        port.portNumber = kFirstPortNumber;
    port.rtsEnable = settings.nonZero(keys::RTS).value_or(true);
    port.dtrEnable = settings.nonZero(keys::DTR).value_or(false);
    return port;
}

float firmwareVersionOf(const QString &firmwareId)
{
    return toSingle(firmwareId.right(4)).value_or(0.0f);
}

static CheckResult failedWait(LinkResult result)
{
    switch (result) {
    case LinkResult::PortLost:
        return CheckResult::PortLost;
    case LinkResult::Interrupted:
        return CheckResult::Interrupted;
    default:
        return CheckResult::TimedOut;
    }
}

// Collects the identification, telling `countdown` whenever the seconds left change.
static LinkResult awaitIdentification(LinkContext &ctx, const ReplyWait &wait,
                                      const std::function<void(int)> &countdown)
{
    int shown = -1;
    for (;;) {
        if (ctx.aborted && ctx.aborted())
            return LinkResult::Interrupted;
        if (ctx.link.lost())
            return LinkResult::PortLost;
        if (ctx.link.pendingCount() >= kIdentifyReplyLength)
            return LinkResult::Ok;
        const int left = static_cast<int>(std::floor(wait.limit - (ctx.pump.clock() - wait.start)));
        if (left != shown && countdown)
            countdown(shown = left);
        ctx.pump.idleWait(kWakeInterval);
        if (wait.overdue(ctx.pump.clock()))
            return LinkResult::TimedOut;
    }
}

CheckOutcome Read_Version(LinkContext &ctx, const PortSettings &port,
                          const std::function<void(int)> &countdown)
{
    CheckOutcome outcome;
    outcome.portNumber = port.portNumber;
    ctx.link.close();
    ctx.link.setInputMode(InputMode::Text);

    if (const auto failure = ctx.link.open(port)) {
        outcome.result = CheckResult::PortUnusable;
        outcome.openFailure = *failure;
        return outcome;
    }

    ctx.pump.pause(kPortSettlePause);
    ctx.link.discardInput();
    ctx.link.send(wire::identifyQuery());
    ctx.pump.pause(kFirstQueryPause);
    // The first query only wakes the firmware; its answer may be cut short, so it is dropped.
    ctx.link.discardInput();
    ctx.link.send(wire::identifyQuery());
    const ReplyWait wait = startWait(ctx, kIdentifyLimit);

    if (const LinkResult waited = awaitIdentification(ctx, wait, countdown); waited != LinkResult::Ok) {
        // The input mode stays as it is; the port stays open for the operation's end to close.
        outcome.result = failedWait(waited);
        outcome.pending = ctx.link.pendingCount();
        return outcome;
    }

    outcome.reply = QString::fromLatin1(ctx.link.takeAll().left(kFirmwareIdLength));
    if (outcome.reply.startsWith(QLatin1String(kFirmwarePrefix))) {
        outcome.result = CheckResult::Identified;
        outcome.version = firmwareVersionOf(outcome.reply);
    } else {
        outcome.result = CheckResult::Foreign;
    }
    ctx.link.setInputMode(InputMode::Binary);
    return outcome;
}

} // namespace zelko6
