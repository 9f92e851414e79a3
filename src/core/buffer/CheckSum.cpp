#include "core/buffer/CheckSum.h"

#include "core/buffer/BufferState.h"
#include "core/text/HexText.h"

#include <numeric>

namespace zelko6 {

QString checkSumText(int64_t sum)
{
    return QStringLiteral("CheckSum:") + hexDigits(static_cast<uint32_t>(sum & 0xFFFF), 4);
}

int64_t byteSum(std::span<const uint8_t> bytes)
{
    return std::accumulate(bytes.begin(), bytes.end(), int64_t{0});
}

QString CalcCheckSum(BufferState &state)
{
    state.CheckSumTotal = byteSum(state.BufData.bytes());
    return checkSumText(state.CheckSumTotal);
}

} // namespace zelko6
