#pragma once
// Looking through the buffer without changing it: a byte sequence, forward or backward with
// wrap-around, and whether an image is blank (all 0xFF, as an erased chip reads).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelko6 {

enum class SearchDirection { Forward, Backward };

struct SearchHit {
    size_t address;
    bool wrapped; // found only after going past the end (forward) or the start (backward)
};

// Forward: the first match starting at `from` or after it, else the first one before it.
// Backward: the last match starting at `from` or before it, else the last one after it.
// `from` may be one step outside the buffer (-1 backward, its size forward): everything is then
// found only by going round. A match lies wholly inside the buffer; nothing when there is none
// anywhere (or `needle` is empty).
std::optional<SearchHit> findBytes(std::span<const uint8_t> haystack, std::span<const uint8_t> needle,
                                   int64_t from, SearchDirection direction);

struct BlankScan {
    int64_t nonBlank = 0;       // bytes other than 0xFF
    int64_t firstNonBlank = -1; // the lowest address of one, or -1
    bool blank() const { return nonBlank == 0; }
};
BlankScan scanBlank(std::span<const uint8_t> image);

} // namespace zelko6
