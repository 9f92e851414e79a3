#pragma once
// The arithmetic around a transfer: which addresses it covers, why it is refused, and how far
// it has got. Plain functions over values.

#include "core/devices/ChipParams.h"
#include "core/programmer/Protocol.h"

#include <cstdint>
#include <variant>

namespace zelko6 {

// Chip parameters or sizes that cannot make a transfer; found before anything is sent.
enum class Refusal { Bus, AdrMode, ExtParam, PageSize, AccessSize, Address };

// The range and chunk size for a scope: the byte at `address` alone, or the block of
// `accessSize` bytes from address 0. The range must lie inside a buffer of `bufferSize` bytes.
std::variant<TransferPlan, Refusal> planTransfer(const ChipParams &chip, size_t bufferSize, AccessScope scope,
                                                 int64_t address, int64_t accessSize);

// (current − first) × 100 ÷ (last − first + 1), rounded half to even.
int progressPercent(const TransferPlan &plan, int32_t current);

} // namespace zelko6
