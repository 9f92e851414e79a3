#pragma once
// The catalogue read at start-up and the chip chosen from it: kept for the whole run.

#include "core/devices/ChipParams.h"
#include "core/devices/DeviceTable.h"

#include <QString>

namespace zelko6 {

struct CatalogueState {
    DeviceTable deviceTable;
    int DeviceCount = 0;
    QString DefFileVer;
    ChipParams chip; // the chip in effect; set only by the chip selection
    bool chipSelected = false;
};

} // namespace zelko6
