// libFuzzer target for the Intel HEX reader (built by scripts/fuzz.sh intelhex, not by CMake);
// the properties it checks are in RecordFuzzChecks.h.

#include "RecordFuzzChecks.h"
#include "core/files/IntelHex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelko6;
    return fuzz::checkRecordReader<IntelHexReader>(data, size, intelHexText, readIntelHex);
}
