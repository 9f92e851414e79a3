#include "core/buffer/BufferChange.h"

#include "core/buffer/AddressEntry.h"

#include <algorithm>
#include <cstring>

namespace zelko6 {

std::variant<ByteRange, RangeRefusal> rangeInBuffer(const QString &start, const QString &endOrLength,
                                                    RangeEnd meaning, size_t size)
{
    const auto first = addressInBuffer(start, size);
    if (const auto *refusal = std::get_if<AddressRefusal>(&first))
        return *refusal == AddressRefusal::Malformed ? RangeRefusal::StartMalformed
                                                     : RangeRefusal::StartOutOfRange;
    const int64_t from = std::get<int64_t>(first);
    if (meaning == RangeEnd::EndAddress) {
        const auto last = addressInBuffer(endOrLength, size);
        if (const auto *refusal = std::get_if<AddressRefusal>(&last))
            return *refusal == AddressRefusal::Malformed ? RangeRefusal::EndMalformed
                                                         : RangeRefusal::EndOutOfRange;
        if (std::get<int64_t>(last) < from)
            return RangeRefusal::EndBeforeStart;
        return ByteRange{from, std::get<int64_t>(last) - from + 1};
    }
    const auto length = parseAddress(endOrLength);
    if (!length)
        return RangeRefusal::LengthMalformed;
    if (*length == 0 || static_cast<uint64_t>(from + *length) > size)
        return RangeRefusal::LengthOutOfRange;
    return ByteRange{from, *length};
}

void fillWithPattern(std::span<uint8_t> target, std::span<const uint8_t> pattern)
{
    if (pattern.empty() || target.empty())
        return;
    // The pattern once, then the part already written copied onto what follows, doubling each time.
    size_t done = std::min(pattern.size(), target.size());
    std::memcpy(target.data(), pattern.data(), done);
    while (done < target.size()) {
        const size_t chunk = std::min(done - done % pattern.size(), target.size() - done);
        std::memcpy(target.data() + done, target.data(), chunk);
        done += chunk;
    }
}

BufferChange::BufferChange(ByteRange range, std::vector<uint8_t> pattern)
    : range_(range), pattern_(std::move(pattern))
{
}

void BufferChange::apply(MemoryBuffer &buffer)
{
    const std::span<uint8_t> target =
        buffer.bytes().subspan(static_cast<size_t>(range_.first), static_cast<size_t>(range_.count));
    if (before_.empty())
        before_.assign(target.begin(), target.end());
    fillWithPattern(target, pattern_);
}

void BufferChange::revert(MemoryBuffer &buffer) const
{
    std::copy(before_.begin(), before_.end(), buffer.data() + range_.first);
}

bool BufferChange::absorb(const BufferChange &later)
{
    if (range_.count != 1 || later.range_ != range_)
        return false;
    pattern_ = later.pattern_;
    return true;
}

bool BufferChange::changesNothing() const
{
    if (before_.size() != static_cast<size_t>(range_.count))
        return false;
    for (size_t i = 0; i < before_.size(); ++i)
        if (before_[i] != pattern_[i % pattern_.size()])
            return false;
    return true;
}

} // namespace zelko6
