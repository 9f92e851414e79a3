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

  private:
    std::vector<uint8_t> bytes_;
};

} // namespace zelko6
