// Wire elements byte for byte, the chunk-count table, and the arithmetic of a transfer.

#include "LinkFixture.h"
#include "core/programmer/Transfer.h"
#include "core/programmer/WireFormat.h"

#include <cfenv>
#include <cmath>

namespace zelko6::test {
namespace {

ChipParams chip(int bus, int page, int adrMode = 0, int ext = 0)
{
    return ChipParams{bus, 17, page, adrMode, ext, {}};
}

TEST(WireElements, SplitLongAndAddressRecords)
{
    const auto split = wire::SplitLong(-2);
    EXPECT_EQ((std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFE}), split);
    EXPECT_EQ(bytes({0x01, 0x00, 0x01, 0x23}), wire::addressRecord(chip(2, 8), 1, 0x0123));
    EXPECT_EQ(bytes({0x10, 0x01, 0xFF, 0xFF}), wire::addressRecord(chip(2, 256), 16, 0x1FFFF));
    // Bits 24..31 never leave; a three-wire record carries the extra parameter instead of 16..23.
    EXPECT_EQ(bytes({0x10, 0x34, 0x56, 0x78}), wire::addressRecord(chip(2, 16), 16, 0x12345678));
    EXPECT_EQ(bytes({0x10, 0x06, 0x00, 0x7F}), wire::addressRecord(chip(3, 4, 0, 6), 16, 0x3007F));
}

TEST(WireElements, HeaderLettersFollowTheAddressingCode)
{
    EXPECT_EQ(QByteArray("e2R"), wire::commandHeader(chip(2, 8, 0), wire::Operation::Read));
    EXPECT_EQ(QByteArray("e2W"), wire::commandHeader(chip(2, 8, 1), wire::Operation::Write));
    EXPECT_EQ(QByteArray("e3r"), wire::commandHeader(chip(3, 8, 2), wire::Operation::Read));
    EXPECT_EQ(QByteArray("e3w"), wire::commandHeader(chip(3, 8, 2), wire::Operation::Write));
    EXPECT_EQ(QByteArray("e3P"), wire::commandHeader(chip(3, 8, 2), wire::Operation::Setup));
    EXPECT_FALSE(wire::operationLetter(wire::Operation::Read, 3));
}

TEST(WireElements, ChunkCountTable)
{
    EXPECT_EQ(1, wire::chunkCount(chip(2, 256), AccessScope::SelectedByte));
    EXPECT_EQ(16, wire::chunkCount(chip(2, 256), AccessScope::Block));
    EXPECT_EQ(8, wire::chunkCount(chip(2, 8), AccessScope::Block));
    EXPECT_EQ(1, wire::chunkCount(chip(2, 1), AccessScope::Block));
    EXPECT_EQ(16, wire::chunkCount(chip(3, 4), AccessScope::Block));
    EXPECT_EQ(0, wire::chunkCount(chip(4, 8), AccessScope::Block));
}

TEST(TransferArithmetic, ProgressRoundsHalfToEven)
{
    // 32 chunks of 8 bytes over 256: 3.125 k per chunk, so 12.5 and 37.5 are the ties.
    const TransferPlan plan{AccessScope::Block, 0, 255, 8};
    ASSERT_EQ(FE_TONEAREST, std::fegetround());
    for (int k = 1; k <= 32; ++k)
        EXPECT_EQ(static_cast<int>(std::nearbyint(k * 8 * 100 / 256.0)), progressPercent(plan, k * 8)) << k;
    EXPECT_EQ(12, progressPercent(plan, 32));
    EXPECT_EQ(38, progressPercent(plan, 96));
    EXPECT_EQ(100, progressPercent(plan, 256));
}

TEST(TransferArithmetic, PlansAndRefusals)
{
    ChipParams params = chip(2, 8);
    const size_t bufferSize = 512;
    auto plan = std::get<TransferPlan>(planTransfer(params, bufferSize, AccessScope::Block, -1, 128));
    EXPECT_EQ(0, plan.first);
    EXPECT_EQ(127, plan.last);
    EXPECT_EQ(8, plan.chunk);
    plan = std::get<TransferPlan>(planTransfer(params, bufferSize, AccessScope::SelectedByte, 0x24, 0));
    EXPECT_EQ(0x24, plan.last);

    auto refusal = [&](AccessScope scope, int selected, int64_t size) {
        const auto r = planTransfer(params, bufferSize, scope, selected, size);
        return std::holds_alternative<Refusal>(r) ? std::get<Refusal>(r) : static_cast<Refusal>(-1);
    };
    EXPECT_EQ(Refusal::AccessSize, refusal(AccessScope::Block, -1, 1024));
    EXPECT_EQ(Refusal::AccessSize, refusal(AccessScope::Block, -1, 0));
    EXPECT_EQ(Refusal::Address, refusal(AccessScope::SelectedByte, -1, 0));
    EXPECT_EQ(Refusal::Address, refusal(AccessScope::SelectedByte, 512, 0));
    params.DUT_PageSize = 0;
    EXPECT_EQ(Refusal::PageSize, refusal(AccessScope::Block, -1, 128));
    EXPECT_NE(Refusal::PageSize, refusal(AccessScope::SelectedByte, 3, 0)); // one byte needs no page
    params.DUT_Bus = 1;
    EXPECT_EQ(Refusal::Bus, refusal(AccessScope::SelectedByte, 3, 0));
    params = chip(3, 8, 0, 300);
    EXPECT_EQ(Refusal::ExtParam, refusal(AccessScope::Block, -1, 128));
}

} // namespace
} // namespace zelko6::test
