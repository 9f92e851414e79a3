#pragma once
// A change the user makes to the buffer (a byte typed in the editor, a fill), kept so that it can
// be taken back and made again: the range, the bytes it writes, and what it overwrote.

#include "core/buffer/MemoryBuffer.h"

#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

namespace zelko6 {

struct ByteRange {
    int64_t first = 0;
    int64_t count = 0;
    int64_t last() const { return first + count - 1; }
    bool operator==(const ByteRange &) const = default;
};

// How the fill dialog's second number is meant.
enum class RangeEnd {
    EndAddress, // the last address filled, included
    Length,     // how many bytes from the start
};

enum class RangeRefusal {
    StartMalformed,
    StartOutOfRange,
    EndMalformed,
    EndOutOfRange,
    EndBeforeStart,
    LengthMalformed,
    LengthOutOfRange, // zero, or reaching past the buffer's end
};

// The range typed as a start and an end address or a length (see AddressEntry.h for the forms),
// inside a buffer of `size` bytes.
std::variant<ByteRange, RangeRefusal> rangeInBuffer(const QString &start, const QString &endOrLength,
                                                    RangeEnd meaning, size_t size);

// Writes `pattern` again and again over `target`, from its first byte: a pattern that does not
// divide the range ends part way through.
void fillWithPattern(std::span<uint8_t> target, std::span<const uint8_t> pattern);

class BufferChange {
  public:
    // `pattern` repeated over `range` from its first byte (a byte edit is one byte at one address).
    BufferChange(ByteRange range, std::vector<uint8_t> pattern);

    const ByteRange &range() const { return range_; }
    const std::vector<uint8_t> &pattern() const { return pattern_; }

    // Writes the change into the buffer, which holds the range; the first time, it keeps what it
    // overwrites (only then: a redo overwrites what the undo put back, the same bytes).
    void apply(MemoryBuffer &buffer);
    // Puts back what apply overwrote.
    void revert(MemoryBuffer &buffer) const;

    // A later edit of the same single byte joins this one: one step takes the byte back to what it
    // was before the first. False (and nothing changes) for anything else.
    bool absorb(const BufferChange &later);
    // After apply: the range holds what it held before.
    bool changesNothing() const;

    // What the change keeps in memory for undo and redo: the bytes it overwrote and its pattern.
    size_t heldBytes() const { return before_.capacity() + pattern_.capacity(); }

  private:
    ByteRange range_;
    std::vector<uint8_t> pattern_;
    std::vector<uint8_t> before_;
};

} // namespace zelko6
