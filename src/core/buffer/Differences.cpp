#include "core/buffer/Differences.h"

#include <algorithm>

namespace zelko6 {

namespace {

bool before(const ByteDifference &difference, int32_t address)
{
    return difference.address < address;
}

} // namespace

Differences differencesBetween(std::span<const uint8_t> ours, std::span<const uint8_t> other)
{
    Differences found;
    const size_t length = std::min(ours.size(), other.size());
    for (size_t at = 0; at < length; ++at)
        if (ours[at] != other[at])
            found.push_back({static_cast<int32_t>(at), other[at]});
    return found;
}

std::optional<int32_t> nextDifference(const Differences &differences, int32_t address)
{
    if (differences.empty())
        return std::nullopt;
    const auto after = std::upper_bound(differences.begin(), differences.end(), address,
                                        [](int32_t a, const ByteDifference &d) { return a < d.address; });
    return after == differences.end() ? differences.front().address : after->address;
}

std::optional<int32_t> previousDifference(const Differences &differences, int32_t address)
{
    if (differences.empty())
        return std::nullopt;
    const auto first = std::lower_bound(differences.begin(), differences.end(), address, before);
    return first == differences.begin() ? differences.back().address : std::prev(first)->address;
}

const ByteDifference *differenceAt(const Differences &differences, int32_t address)
{
    const auto found = std::lower_bound(differences.begin(), differences.end(), address, before);
    return found != differences.end() && found->address == address ? &*found : nullptr;
}

} // namespace zelko6
