#pragma once
// The parameters of the chip in the socket, as the catalogue gives them; set only by the chip
// selection, read by every transfer.

#include <QString>
#include <cstdint>

namespace zelko6 {

struct ChipParams {
    int32_t DUT_Bus = 0;      // 2 = two-wire, 3 = three-wire
    int32_t DUT_SizeExp = 0;  // the chip holds 2^DUT_SizeExp bytes
    int32_t DUT_PageSize = 0; // bytes per write page
    int32_t DUT_AdrMode = 0;  // 0, 1 or 2: chooses the read/write letters
    int32_t DUT_ExtParam = 0; // extra byte of three-wire address records
    QString DUT_Memo;
};

} // namespace zelko6
