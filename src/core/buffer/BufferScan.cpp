#include "core/buffer/BufferScan.h"

#include "core/buffer/MemoryBuffer.h"

#include <algorithm>
#include <cstring>

namespace zelko6 {

namespace {

// The first match starting in [begin, end), where `end` is at most the last start a match can have
// plus one. memchr finds the candidates for the first byte: in data that rarely holds it, the
// comparison runs only where it can succeed.
std::optional<size_t> firstMatch(std::span<const uint8_t> haystack, std::span<const uint8_t> needle,
                                 size_t begin, size_t end)
{
    const uint8_t *base = haystack.data();
    size_t at = begin;
    while (at < end) {
        const void *found = std::memchr(base + at, needle[0], end - at);
        if (!found)
            return std::nullopt;
        at = static_cast<size_t>(static_cast<const uint8_t *>(found) - base);
        if (std::memcmp(base + at, needle.data(), needle.size()) == 0)
            return at;
        ++at;
    }
    return std::nullopt;
}

// The last match starting in [begin, end).
std::optional<size_t> lastMatch(std::span<const uint8_t> haystack, std::span<const uint8_t> needle,
                                size_t begin, size_t end)
{
    const uint8_t *base = haystack.data();
    for (size_t at = end; at > begin;) {
        --at;
        if (base[at] == needle[0] && std::memcmp(base + at, needle.data(), needle.size()) == 0)
            return at;
    }
    return std::nullopt;
}

} // namespace

std::optional<SearchHit> findBytes(std::span<const uint8_t> haystack, std::span<const uint8_t> needle,
                                   int64_t from, SearchDirection direction)
{
    if (needle.empty() || needle.size() > haystack.size())
        return std::nullopt;
    const size_t starts = haystack.size() - needle.size() + 1; // where a match can start
    const size_t split = std::min(static_cast<size_t>(std::max<int64_t>(from, 0)), starts);
    if (direction == SearchDirection::Forward) {
        if (const auto at = firstMatch(haystack, needle, split, starts))
            return SearchHit{*at, false};
        if (const auto at = firstMatch(haystack, needle, 0, split))
            return SearchHit{*at, true};
        return std::nullopt;
    }
    const size_t through = std::min(static_cast<size_t>(std::max<int64_t>(from + 1, 0)), starts);
    if (const auto at = lastMatch(haystack, needle, 0, through))
        return SearchHit{*at, false};
    if (const auto at = lastMatch(haystack, needle, through, starts))
        return SearchHit{*at, true};
    return std::nullopt;
}

BlankScan scanBlank(std::span<const uint8_t> image)
{
    BlankScan scan;
    const auto first = std::find_if(image.begin(), image.end(), [](uint8_t b) { return b != kErasedByte; });
    if (first == image.end())
        return scan;
    scan.firstNonBlank = first - image.begin();
    scan.nonBlank = std::count_if(first, image.end(), [](uint8_t b) { return b != kErasedByte; });
    return scan;
}

} // namespace zelko6
