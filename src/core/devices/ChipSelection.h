#pragma once
// What choosing a chip from the catalogue means: its parameters (or why it cannot be driven),
// the texts that describe it, and the access sizes offered for block transfers.

#include "core/devices/ChipParams.h"
#include "core/devices/DeviceTable.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace zelko6 {

inline constexpr int kMinSizeExp = 4;  // one grid row of 16 bytes
inline constexpr int kMaxSizeExp = 24; // the address records carry 24 bits

// Why a catalogue row cannot be driven; the faces say it in words.
struct ChipRefusal {
    enum class Problem {
        NotANumber, // `column` holds `cell`, which is not a number
        Bus,        // not 2 or 3
        SizeExp,    // outside kMinSizeExp..kMaxSizeExp
        AdrMode,    // outside 0..2
        ExtParam,   // outside 0..255
    };
    QString chipName;
    Problem problem = Problem::NotANumber;
    int column = -1;
    QString cell;
};

// The chip's parameters when the program can drive it.
std::variant<ChipParams, ChipRefusal> evaluateChip(const DeviceRecord &record);

// "　Mem. Size: ..." (and the page size line for two-wire chips); empty for other buses.
QString pageSizeLabel(const ChipParams &chip);
// "VDD:... Endurance:... Density:... WriteSpeed:... ClockSpeed:... " for two- and three-wire chips.
QString specLabel(const ChipParams &chip, const DeviceRecord &record);

// Block sizes offered: doubling from the half page size up to the chip size; three-wire chips
// only from 64 bytes. Never larger than the chip.
QStringList accessSizes(int bus, int sizeExp, int pageSize);

// The list the main window starts with, before the first chip is chosen: 2^4 .. 2^17.
QStringList initialAccessSizes();

} // namespace zelko6
