#pragma once
// The chip catalogue in memory: a fixed table of 101 rows by 21 cells of text.

#include <QString>
#include <array>

namespace zelko6 {

inline constexpr int kDeviceRows = 101;   // rows 0..100
inline constexpr int kDeviceColumns = 21; // columns 0..20; column 20 is never filled
inline constexpr int kStoredWords = 20;   // words 0..19 of a chip line are kept

using DeviceRecord = std::array<QString, kDeviceColumns>;

struct DeviceTable {
    std::array<DeviceRecord, kDeviceRows> rows{};

    const DeviceRecord &row(int r) const { return rows.at(static_cast<size_t>(r)); }
};

// Column numbers of a chip line.
enum DeviceColumn : int {
    kColName = 0,
    kColLabel = 1,
    kColBus = 2,
    kColSizeExp = 3,
    kColPageSize = 4,
    kColAdrMode = 5,
    kColExtParam = 6,
    kColMemo = 7,
    kColVdd = 8,
    kColEndurance = 9,
    kColDensity = 10,
    kColWriteSpeed = 11,
    kColClockSpeed = 12,
};

} // namespace zelko6
