#include "core/programmer/ConnectionCheck.h"

#include "core/base/Version.h"
#include "core/programmer/LinkTexts.h"
#include "core/programmer/PortResolver.h"
#include "core/programmer/WireFormat.h"

#include <cmath>

namespace zelko6 {

PortSettings savedPortSettings(const Settings &settings)
{
    PortSettings port;
    port.portNumber = settings.int16(keys::ComNo).value_or(0) + 1;
    port.rtsEnable = settings.nonZero(keys::RTS).value_or(true);
    port.dtrEnable = settings.nonZero(keys::DTR).value_or(false);
    return port;
}

float firmwareVersionOf(const QString &firmwareId)
{
    return toSingle(firmwareId.right(4)).value_or(0.0f);
}

static QString failureReason(const OpenFailure &failure)
{
    switch (failure.kind) {
    case OpenFailure::Kind::NotFound:
        return texts::kPortMissingReason + failure.device;
    case OpenFailure::Kind::Busy:
        return texts::kPortBusyReason + failure.device;
    case OpenFailure::Kind::Other:
        break;
    }
    return texts::kPortFailedReason + failure.device + QStringLiteral(" (") + failure.detail + u')';
}

static QString countdownText(double elapsed)
{
    const double left = std::floor(static_cast<double>(kIdentifyLimit.count()) - elapsed);
    return texts::kWaitingPrefix + QString::number(static_cast<int>(left));
}

// Collects the identification; the countdown in panel 2 moves while it waits.
static LinkResult awaitIdentification(LinkContext &ctx)
{
    const double limit = static_cast<double>(kIdentifyLimit.count());
    QString shown;
    for (;;) {
        if (ctx.link.lost() || ctx.aborted())
            return LinkResult::PortLost;
        if (ctx.link.pendingCount() >= kIdentifyReplyLength)
            return LinkResult::Ok;
        const QString text = countdownText(ctx.pump.clock() - ctx.state.WaitStartTime);
        if (text != shown)
            ctx.panels.setPanel(2, shown = text);
        ctx.pump.idleWait(kWakeInterval);
        if (ctx.pump.clock() - ctx.state.WaitStartTime > limit)
            return LinkResult::TimedOut;
    }
}

CheckResult Read_Version(LinkContext &ctx, const Settings &settings, MessageBoxes &boxes)
{
    ctx.state.ComError = 0;
    ctx.link.close();
    const PortSettings port = savedPortSettings(settings);
    const QString notConnected = PortResolver::portName(port.portNumber) + texts::kNotConnectedSuffix;
    ctx.link.setInputMode(InputMode::Text);

    if (const auto failure = ctx.link.open(port)) {
        ctx.panels.setPanel(2, notConnected);
        ctx.panels.setPanel(1, texts::kCheckErrorText + failureReason(*failure));
        ctx.state.ComError = 1;
        return CheckResult::PortUnusable;
    }

    ctx.pump.pause(kPortSettlePause);
    ctx.link.discardInput();
    ctx.link.send(wire::identifyQuery());
    ctx.pump.pause(kFirstQueryPause);
    ctx.pump.yield();
    // The first query only wakes the firmware; its answer may be cut short, so it is dropped.
    ctx.link.discardInput();
    ctx.link.send(wire::identifyQuery());
    ctx.state.WaitStartTime = ctx.pump.clock();

    if (awaitIdentification(ctx) != LinkResult::Ok) {
        // The input mode stays as it is; the port stays open for the operation's end to close.
        ctx.panels.setPanel(2, notConnected);
        ctx.panels.setPanel(1, texts::kCheckErrorCountOpen + QString::number(ctx.link.pendingCount()) +
                                   texts::kCheckErrorCountClose);
        ctx.state.ComError = 1;
        return CheckResult::TimedOut;
    }

    const QString reply = QString::fromLatin1(ctx.link.takeAll().left(kFirmwareIdLength));
    CheckResult result = CheckResult::Foreign;
    if (reply.startsWith(texts::kFirmwarePrefix)) {
        result = CheckResult::Identified;
        ctx.state.FirmwareId = reply;
        ctx.panels.setPanel(2, PortResolver::portName(port.portNumber) + texts::kPortSeparator + reply);
        ctx.state.FirmwareVersion = firmwareVersionOf(reply);
        if (ctx.state.FirmwareVersion != 0.0f && ctx.state.FirmwareVersion < kOldestGoodFirmware)
            boxes.show(BoxIcon::None, BoxButtons::Ok, kAppTitle, texts::kOldFirmwareText);
    } else {
        ctx.panels.setPanel(1, texts::kCheckErrorText);
        ctx.panels.setPanel(2, notConnected);
    }
    ctx.link.setInputMode(InputMode::Binary);
    return result;
}

} // namespace zelko6
