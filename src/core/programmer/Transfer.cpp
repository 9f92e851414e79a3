#include "core/programmer/Transfer.h"

#include "core/programmer/WireFormat.h"

namespace zelko6 {

std::variant<TransferPlan, Refusal> planTransfer(const ChipParams &chip, size_t bufferSize, AccessScope scope,
                                                 int64_t address, int64_t accessSize)
{
    switch (wire::checkChip(chip, scope)) {
    case wire::ChipFault::Bus:
        return Refusal::Bus;
    case wire::ChipFault::AdrMode:
        return Refusal::AdrMode;
    case wire::ChipFault::ExtParam:
        return Refusal::ExtParam;
    case wire::ChipFault::PageSize:
        return Refusal::PageSize;
    case wire::ChipFault::None:
        break;
    }

    TransferPlan plan;
    plan.scope = scope;
    plan.chunk = wire::chunkCount(chip, scope);
    if (scope == AccessScope::SelectedByte) {
        if (address < 0 || static_cast<uint64_t>(address) >= bufferSize)
            return Refusal::Address;
        plan.first = plan.last = static_cast<int32_t>(address);
        return plan;
    }
    if (accessSize < 1 || static_cast<uint64_t>(accessSize) > bufferSize)
        return Refusal::AccessSize;
    plan.first = 0;
    plan.last = static_cast<int32_t>(accessSize - 1);
    return plan;
}

int progressPercent(const TransferPlan &plan, int32_t current)
{
    // In integers: a double quotient of 12.5 may come out as 12.4999… and round the wrong way.
    const int64_t numerator = (int64_t{current} - plan.first) * 100;
    const int64_t denominator = int64_t{plan.last} - plan.first + 1;
    int64_t quotient = numerator / denominator;
    const int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

} // namespace zelko6
