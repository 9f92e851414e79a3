#pragma once
// The bytes where the buffer and another image of the chip (the chip itself after a verify, or a
// file) differ, in address order, with the other image's value at each.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelko6 {

struct ByteDifference {
    int32_t address;
    uint8_t other; // the chip's or the file's byte; the buffer holds something else

    bool operator==(const ByteDifference &) const = default;
};

using Differences = std::vector<ByteDifference>; // ascending addresses, each at most once

// What the buffer was compared with: it names the other value to the user.
enum class ComparedWith { Chip, File };

// Every address below the shorter length where the two differ.
Differences differencesBetween(std::span<const uint8_t> ours, std::span<const uint8_t> other);

// The difference after `address` (before it), wrapping round at the end (the start); nothing
// when there is none at all. `address` -1 means "before the first byte" for the next.
std::optional<int32_t> nextDifference(const Differences &differences, int32_t address);
std::optional<int32_t> previousDifference(const Differences &differences, int32_t address);

// The difference at `address`, if any.
const ByteDifference *differenceAt(const Differences &differences, int32_t address);

} // namespace zelko6
