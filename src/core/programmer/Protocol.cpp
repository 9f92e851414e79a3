#include "core/programmer/Protocol.h"

#include "core/programmer/LinkTexts.h"
#include "core/programmer/WireFormat.h"

namespace zelko6 {

LinkResult waitForPending(LinkContext &ctx, int count, std::chrono::seconds limit)
{
    const double limitSeconds = static_cast<double>(limit.count());
    for (;;) {
        if (ctx.link.lost() || ctx.aborted())
            return LinkResult::PortLost;
        const int have = ctx.link.pendingCount();
        if (have >= count)
            return LinkResult::Ok;
        // Bytes trickling in at the line rate: the rest cannot arrive sooner than their wire
        // time, so sleep through most of it rather than waking for every byte. A board that
        // sends its reply in one burst never gets here with part of it.
        if (have > 0) {
            const auto rest =
                std::chrono::duration_cast<std::chrono::milliseconds>(kByteWireTime * (count - have - 1));
            if (rest.count() > 0)
                ctx.pump.pause(rest);
        }
        ctx.pump.idleWait(kWakeInterval);
        if (ctx.pump.clock() - ctx.state.WaitStartTime > limitSeconds)
            return LinkResult::TimedOut;
    }
}

void markLinkFailure(LinkContext &ctx, LinkResult result)
{
    if (result == LinkResult::Ok)
        return;
    ctx.state.ComError = 1;
    if (result == LinkResult::TimedOut || result == LinkResult::PortLost)
        ctx.panels.setPanel(1, texts::kTimeOutText);
}

static void modeSetup(LinkContext &ctx, int32_t bus)
{
    ChipParams asked = ctx.state.chip;
    asked.DUT_Bus = bus;
    ctx.link.discardInput();
    ctx.link.send(wire::leadIn());
    ctx.pump.pause(kElementPause);
    ctx.link.send(wire::commandHeader(asked, wire::Operation::Setup));
    ctx.state.ComError = 0;
    ctx.state.WaitStartTime = ctx.pump.clock();
    // Any reply will do; what the board says to a set-up is its own business.
    markLinkFailure(ctx, waitForPending(ctx, 1, kSetupReplyLimit));
}

void SetupTwoWire(LinkContext &ctx)
{
    modeSetup(ctx, wire::kTwoWireBus);
}

void SetupThreeWire(LinkContext &ctx)
{
    modeSetup(ctx, wire::kThreeWireBus);
}

void beginOpening(LinkContext &ctx, OpeningColumn column)
{
    if (column == OpeningColumn::Read)
        ctx.pump.yield();
    // (The verify yields before this itself, with the rest of its own first steps.)
    if (ctx.state.chip.DUT_Bus == wire::kThreeWireBus)
        SetupThreeWire(ctx);
    else
        SetupTwoWire(ctx);
}

void finishOpening(LinkContext &ctx, OpeningColumn column, const TransferPlan &plan)
{
    // Only the write keeps the window's events out of its opening; read and verify let them in.
    const bool yields = column != OpeningColumn::Write;
    const auto op = column == OpeningColumn::Write ? wire::Operation::Write : wire::Operation::Read;
    auto yieldHere = [&] {
        if (yields)
            ctx.pump.yield();
    };

    if (column == OpeningColumn::Verify)
        ctx.pump.yield();
    ctx.pump.pause(kSetupSettlePause);
    ctx.link.discardInput(); // the set-up reply, however long, goes here
    ctx.link.send(wire::leadIn());
    yieldHere();
    ctx.pump.pause(yields ? kReadLeadInPause : kElementPause);
    ctx.link.send(wire::commandHeader(ctx.state.chip, op));
    ctx.pump.pause(kElementPause);
    ctx.link.send(wire::addressRecord(ctx.state.chip, plan.chunk, plan.first));
    yieldHere();
    ctx.pump.pause(kElementPause);
    ctx.link.send(wire::addressRecord(ctx.state.chip, plan.chunk, plan.last));
    yieldHere();
    ctx.pump.pause(kElementPause);
}

// A wait's end: the result of the wait itself, or the set-up's time-out that ComError still
// carries (the data phase is where a silent set-up is finally reported).
static LinkResult settle(LinkContext &ctx, LinkResult waited)
{
    markLinkFailure(ctx, waited);
    if (waited != LinkResult::Ok)
        return waited;
    return ctx.state.ComError != 0 ? LinkResult::TimedOut : LinkResult::Ok;
}

LinkResult readChunks(LinkContext &ctx, const TransferPlan &plan, std::chrono::seconds limit,
                      const std::function<void(int32_t, std::span<const uint8_t>)> &chunk,
                      const std::function<void(int32_t)> &advanced)
{
    int32_t current = plan.first;
    do {
        ctx.state.WaitStartTime = ctx.pump.clock();
        const LinkResult result = settle(ctx, waitForPending(ctx, plan.chunk, limit));
        if (result != LinkResult::Ok)
            return result;
        const QByteArray received = ctx.link.takeAll();
        if (received.size() < plan.chunk) { // the device went away between count and take
            markLinkFailure(ctx, LinkResult::PortLost);
            return LinkResult::PortLost;
        }
        chunk(current, std::span(reinterpret_cast<const uint8_t *>(received.constData()),
                                 static_cast<size_t>(plan.chunk)));
        current += plan.chunk;
        ctx.pump.yield();
        ctx.link.discardInput();
        ctx.link.send(wire::ack());
        advanced(current);
    } while (current <= plan.last);
    return LinkResult::Ok;
}

LinkResult writeChunks(LinkContext &ctx, const TransferPlan &plan, const MemoryBuffer &source,
                       const std::function<void(int32_t)> &advanced)
{
    int32_t current = plan.first;
    do {
        ctx.pump.yield();
        ctx.state.WaitStartTime = ctx.pump.clock();
        const LinkResult result = settle(ctx, waitForPending(ctx, 1, kWriteAckLimit));
        if (result != LinkResult::Ok)
            return result;
        const QByteArray reply = ctx.link.takeAll();
        if (reply.isEmpty() || reply.front() != wire::kAck) {
            markLinkFailure(ctx, LinkResult::WrongReply);
            return LinkResult::WrongReply;
        }
        QByteArray data(plan.chunk, static_cast<char>(kErasedByte));
        for (int i = 0; i < plan.chunk; ++i) {
            const int64_t address = int64_t{current} + i;
            if (source.contains(address))
                data[i] = static_cast<char>(source[static_cast<size_t>(address)]);
        }
        current += plan.chunk;
        ctx.link.send(data);
        advanced(current);
    } while (current <= plan.last);
    return LinkResult::Ok;
}

} // namespace zelko6
