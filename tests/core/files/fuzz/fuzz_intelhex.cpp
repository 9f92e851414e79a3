// libFuzzer target for the Intel HEX reader (built by scripts/fuzz-intelhex.sh, not by CMake).
// Besides memory errors it looks for three faults a crash would not show: the result must not
// depend on how the file is cut into pieces, a complete load must say how many lines it read,
// and whatever the reader loaded must come back unchanged through the writer.

#include "core/files/IntelHex.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace zelko6;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks the chip size, the second the piece size; the rest is the file. Small
    // chips keep the runs fast; one input in sixteen takes the largest chip for the upper offsets.
    const int sizeExp = data[0] % 16 == 15 ? 17 : 4 + data[0] % 8;
    const size_t step = 1 + data[1] % 64;
    const QByteArrayView text(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));

    MemoryBuffer whole;
    whole.recreate(sizeExp);
    const HexLoadOutcome outcome = readIntelHex(text, whole);

    MemoryBuffer pieces;
    pieces.recreate(sizeExp);
    IntelHexReader reader(pieces);
    for (qsizetype at = 0; at < text.size(); at += static_cast<qsizetype>(step))
        reader.feed(text.sliced(at, std::min(static_cast<qsizetype>(step), text.size() - at)));
    if (!(reader.finish() == outcome) || std::memcmp(whole.data(), pieces.data(), whole.size()) != 0)
        std::abort();

    if (outcome.status == HexLoadOutcome::Status::Unreadable || outcome.line < 0)
        std::abort();

    if (sizeExp == 17)
        return 0;
    MemoryBuffer again;
    again.recreate(sizeExp);
    if (!readIntelHex(intelHexText(whole), again).complete() ||
        std::memcmp(whole.data(), again.data(), whole.size()) != 0)
        std::abort();
    return 0;
}
