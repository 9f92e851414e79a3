#pragma once
// The PC-side image of the chip: one byte per chip address, 0xFF after every creation.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zelko6 {

inline constexpr uint8_t kErasedByte = 0xFF;

class MemoryBuffer {
  public:
    // Discards the contents and makes 2^sizeExp bytes of 0xFF.
    void recreate(int sizeExp) { bytes_.assign(size_t{1} << sizeExp, kErasedByte); }

    size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    bool contains(int64_t address) const
    {
        return address >= 0 && static_cast<uint64_t>(address) < bytes_.size();
    }

    uint8_t &operator[](size_t address) { return bytes_[address]; }
    uint8_t operator[](size_t address) const { return bytes_[address]; }

    uint8_t *data() { return bytes_.data(); }
    const uint8_t *data() const { return bytes_.data(); }
    std::span<const uint8_t> bytes() const { return bytes_; }
    std::span<uint8_t> bytes() { return bytes_; }

    // Calls visit(address, byte) for each of `bytes`, placed from address `first` on, that falls
    // inside the buffer: a chunk from the wire never reaches past it.
    template <typename Visit>
    void forEachInside(int64_t first, std::span<const uint8_t> bytes, Visit visit) const
    {
        for (size_t i = 0; i < bytes.size(); ++i)
            if (const int64_t at = first + static_cast<int64_t>(i); contains(at))
                visit(static_cast<size_t>(at), bytes[i]);
    }

  private:
    std::vector<uint8_t> bytes_;
};

} // namespace zelko6
