#include "core/programmer/Protocol.h"

namespace zelko6 {

ReplyWait startWait(LinkContext &ctx, std::chrono::seconds limit)
{
    return {ctx.pump.clock(), static_cast<double>(limit.count())};
}

LinkResult waitForPending(LinkContext &ctx, int count, const ReplyWait &wait)
{
    for (;;) {
        if (ctx.aborted && ctx.aborted())
            return LinkResult::Interrupted;
        if (ctx.link.lost())
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
        if (wait.overdue(ctx.pump.clock()))
            return LinkResult::TimedOut;
    }
}

// The end of a wait: a failure is reported the moment it happens.
static LinkResult waited(LinkContext &ctx, LinkResult result)
{
    if (result != LinkResult::Ok && ctx.replyFailed)
        ctx.replyFailed(result);
    return result;
}

static LinkResult modeSetup(LinkContext &ctx, const ChipParams &chip, int32_t bus)
{
    ChipParams asked = chip;
    asked.DUT_Bus = bus;
    ctx.link.discardInput();
    ctx.link.send(wire::leadIn());
    ctx.pump.pause(kElementPause);
    ctx.link.send(wire::commandHeader(asked, wire::Operation::Setup));
    // Any reply will do; what the board says to a set-up is its own business.
    const ReplyWait wait = startWait(ctx, kSetupReplyLimit);
    return waited(ctx, waitForPending(ctx, 1, wait));
}

LinkResult SetupTwoWire(LinkContext &ctx, const ChipParams &chip)
{
    return modeSetup(ctx, chip, wire::kTwoWireBus);
}

LinkResult SetupThreeWire(LinkContext &ctx, const ChipParams &chip)
{
    return modeSetup(ctx, chip, wire::kThreeWireBus);
}

LinkResult beginOpening(LinkContext &ctx, const ChipParams &chip)
{
    return chip.DUT_Bus == wire::kThreeWireBus ? SetupThreeWire(ctx, chip) : SetupTwoWire(ctx, chip);
}

void finishOpening(LinkContext &ctx, OpeningColumn column, const ChipParams &chip, const TransferPlan &plan)
{
    // Read and verify give the board longer after the lead-in than the write does.
    const bool writes = column == OpeningColumn::Write;
    const auto op = writes ? wire::Operation::Write : wire::Operation::Read;

    ctx.pump.pause(kSetupSettlePause);
    ctx.link.discardInput(); // the set-up reply, however long, goes here
    ctx.link.send(wire::leadIn());
    ctx.pump.pause(writes ? kElementPause : kReadLeadInPause);
    ctx.link.send(wire::commandHeader(chip, op));
    ctx.pump.pause(kElementPause);
    ctx.link.send(wire::addressRecord(chip, plan.chunk, plan.first));
    ctx.pump.pause(kElementPause);
    ctx.link.send(wire::addressRecord(chip, plan.chunk, plan.last));
    ctx.pump.pause(kElementPause);
}

LinkResult readChunks(LinkContext &ctx, const TransferPlan &plan, std::chrono::seconds limit,
                      LinkResult setup, const std::function<void(int32_t, std::span<const uint8_t>)> &chunk,
                      const std::function<void(int32_t)> &advanced)
{
    int32_t current = plan.first;
    do {
        const ReplyWait wait = startWait(ctx, limit);
        if (const LinkResult result = waited(ctx, waitForPending(ctx, plan.chunk, wait));
            result != LinkResult::Ok)
            return result;
        // A silent set-up is finally reported here, though the chunk came.
        if (setup != LinkResult::Ok)
            return setup;
        const QByteArray received = ctx.link.takeAll();
        if (received.size() < plan.chunk) // the device went away between count and take
            return waited(ctx, LinkResult::PortLost);
        chunk(current, std::span(reinterpret_cast<const uint8_t *>(received.constData()),
                                 static_cast<size_t>(plan.chunk)));
        current += plan.chunk;
        ctx.link.discardInput();
        ctx.link.send(wire::ack());
        advanced(current);
    } while (current <= plan.last);
    return LinkResult::Ok;
}

LinkResult writeChunks(LinkContext &ctx, const TransferPlan &plan, const MemoryBuffer &source,
                       LinkResult setup, const std::function<void(int32_t)> &advanced)
{
    int32_t current = plan.first;
    do {
        const ReplyWait wait = startWait(ctx, kWriteAckLimit);
        if (const LinkResult result = waited(ctx, waitForPending(ctx, 1, wait)); result != LinkResult::Ok)
            return result;
        if (setup != LinkResult::Ok)
            return setup;
        const QByteArray reply = ctx.link.takeAll();
        if (reply.isEmpty() || reply.front() != wire::kAck)
            return waited(ctx, LinkResult::WrongReply);
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
