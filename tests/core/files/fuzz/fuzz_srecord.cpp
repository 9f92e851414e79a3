// libFuzzer target for the S-record reader (built by scripts/fuzz.sh srecord, not by CMake); the
// properties it checks are in RecordFuzzChecks.h.

#include "RecordFuzzChecks.h"
#include "core/files/SRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelko6;
    return fuzz::checkRecordReader<SRecordReader>(data, size, sRecordText, readSRecord);
}
