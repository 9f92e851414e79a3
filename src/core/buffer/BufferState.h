#pragma once
// The PC-side image of the chip with its checksum, and the file it was last shown in or taken
// from: kept for the whole run.

#include "core/buffer/MemoryBuffer.h"

#include <QString>
#include <cstdint>

namespace zelko6 {

struct BufferState {
    MemoryBuffer BufData;
    int64_t CheckSumTotal = 0; // wide enough for the largest buffers the addresses can reach
    QString WorkFilePath;      // the text dump during a refresh, the chosen file during a load or save
};

} // namespace zelko6
