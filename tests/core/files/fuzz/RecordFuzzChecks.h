#pragma once
// What both record readers must hold to under any input, for the libFuzzer targets beside this
// file (built by scripts/fuzz.sh, not by CMake). Besides memory errors it looks for faults a crash
// would not show: the result must not depend on how the file is cut into pieces, a complete load
// must say how many lines it read and name its damage within them, and whatever the reader loaded
// must come back unchanged and undamaged through the writer.

#include "core/files/HexRecords.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zelko6::fuzz {

using TextWriter = QByteArray (*)(const MemoryBuffer &);
using TextReader = HexLoadOutcome (*)(QByteArrayView, MemoryBuffer &);

inline void require(bool holds)
{
    if (!holds)
        std::abort();
}

// The damage an outcome names lies within the lines read, and "no data" and "no end" only come
// with a file read to its end, at its last line.
inline void requireDamageInBounds(const HexLoadOutcome &outcome)
{
    const FileDamage &damage = outcome.damage;
    if (!damage.found())
        return require(damage.line == 0);
    const bool wholeFile = damage.kind == FileDamage::Kind::NoData || damage.kind == FileDamage::Kind::NoEnd;
    if (wholeFile)
        return require(outcome.complete() && damage.line == outcome.line);
    require(damage.line >= 1 && damage.line <= outcome.line);
}

template <class Reader>
int checkRecordReader(const uint8_t *data, size_t size, TextWriter write, TextReader read)
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
    const HexLoadOutcome outcome = read(text, whole);

    MemoryBuffer pieces;
    pieces.recreate(sizeExp);
    Reader reader(pieces);
    for (qsizetype at = 0; at < text.size(); at += static_cast<qsizetype>(step))
        reader.feed(text.sliced(at, std::min(static_cast<qsizetype>(step), text.size() - at)));
    const HexLoadOutcome inPieces = reader.finish();
    require(inPieces == outcome && inPieces.damage == outcome.damage);
    require(std::memcmp(whole.data(), pieces.data(), whole.size()) == 0);

    require(outcome.status != HexLoadOutcome::Status::Unreadable && outcome.line >= 0);
    requireDamageInBounds(outcome);

    if (sizeExp == 17)
        return 0;
    MemoryBuffer again;
    again.recreate(sizeExp);
    const HexLoadOutcome rewritten = read(write(whole), again);
    require(rewritten.complete() && !rewritten.damage.found());
    require(std::memcmp(whole.data(), again.data(), whole.size()) == 0);
    return 0;
}

} // namespace zelko6::fuzz
