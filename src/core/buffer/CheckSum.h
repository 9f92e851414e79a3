#pragma once
#include <QString>
#include <cstdint>
#include <span>

namespace zelko6 {

struct BufferState;

// The checksum caption: "CheckSum:" and the byte sum modulo 65536 as four upper-case digits.
QString checkSumText(int64_t sum);
int64_t byteSum(std::span<const uint8_t> bytes);

// Recomputes CheckSumTotal over the whole buffer and returns its caption.
QString CalcCheckSum(BufferState &state);

} // namespace zelko6
