#include "core/programmer/Transfer.h"

#include "core/base/Settings.h"
#include "core/programmer/LinkTexts.h"
#include "core/programmer/WireFormat.h"

#include <cmath>

namespace zelko6 {

std::variant<TransferPlan, Refusal> planTransfer(const AppState &state, AccessScope scope,
                                                 int selectedAddress, const QString &accessSizeText)
{
    switch (wire::checkChip(state.chip, scope)) {
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
    plan.chunk = wire::chunkCount(state.chip, scope);
    if (scope == AccessScope::SelectedByte) {
        if (!state.BufData.contains(selectedAddress))
            return Refusal::Address;
        plan.first = plan.last = selectedAddress;
        return plan;
    }
    const auto size = toInt32(accessSizeText);
    if (!size || *size < 1 || static_cast<uint64_t>(*size) > state.BufData.size())
        return Refusal::AccessSize;
    plan.first = 0;
    plan.last = *size - 1;
    return plan;
}

QString refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Bus:
        return texts::kRefusedBus;
    case Refusal::AdrMode:
        return texts::kRefusedAdrMode;
    case Refusal::ExtParam:
        return texts::kRefusedExtParam;
    case Refusal::PageSize:
        return texts::kRefusedPageSize;
    case Refusal::AccessSize:
        return texts::kRefusedAccessSize;
    case Refusal::Address:
        return texts::kRefusedAddress;
    }
    return {};
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

void ProgressDisplay::update(int32_t current)
{
    const int value = progressPercent(plan_, current);
    if (value == lastShown_)
        return;
    lastShown_ = value;
    panels_.setPanel(3, QString::number(value) + u'%');
}

QString tenthsText(double seconds)
{
    return QString::number(std::round(seconds * 10.0) / 10.0, 'f', 1);
}

QString wholeSecondsText(double seconds)
{
    return QString::number(static_cast<int64_t>(std::floor(seconds)));
}

} // namespace zelko6
