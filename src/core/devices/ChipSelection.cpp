#include "core/devices/ChipSelection.h"

#include "core/base/NumberText.h"

#include <cmath>

namespace zelko6 {

namespace {
constexpr int kNumericColumns[] = {kColBus, kColSizeExp, kColPageSize, kColAdrMode, kColExtParam};
} // namespace

std::variant<ChipParams, ChipRefusal> evaluateChip(const DeviceRecord &record)
{
    using Problem = ChipRefusal::Problem;
    const QString &name = record[kColName];
    int32_t values[std::size(kNumericColumns)] = {};
    for (size_t i = 0; i < std::size(kNumericColumns); ++i) {
        const QString &cell = record[static_cast<size_t>(kNumericColumns[i])];
        if (cell.isEmpty())
            continue; // an empty cell reads as 0
        const auto value = toInt32(cell);
        if (!value)
            return ChipRefusal{name, Problem::NotANumber, kNumericColumns[i], cell};
        values[i] = *value;
    }
    ChipParams chip;
    chip.DUT_Bus = values[0];
    chip.DUT_SizeExp = values[1];
    chip.DUT_PageSize = values[2];
    chip.DUT_AdrMode = values[3];
    chip.DUT_ExtParam = values[4];
    chip.DUT_Memo = record[kColMemo];

    if (chip.DUT_Bus != 2 && chip.DUT_Bus != 3)
        return ChipRefusal{name, Problem::Bus, kColBus, {}};
    if (chip.DUT_SizeExp < kMinSizeExp || chip.DUT_SizeExp > kMaxSizeExp)
        return ChipRefusal{name, Problem::SizeExp, kColSizeExp, {}};
    if (chip.DUT_AdrMode < 0 || chip.DUT_AdrMode > 2)
        return ChipRefusal{name, Problem::AdrMode, kColAdrMode, {}};
    if (chip.DUT_ExtParam < 0 || chip.DUT_ExtParam > 255)
        return ChipRefusal{name, Problem::ExtParam, kColExtParam, {}};
    return chip;
}

QString pageSizeLabel(const ChipParams &chip)
{
    const QString memory = QStringLiteral("　Mem. Size: ") + QString::number(int64_t{1} << chip.DUT_SizeExp) +
                           QStringLiteral(" byte");
    if (chip.DUT_Bus == 2)
        return memory + QStringLiteral("\r\n") + QStringLiteral("　Page Size: ") +
               QString::number(chip.DUT_PageSize) + QStringLiteral(" byte");
    if (chip.DUT_Bus == 3)
        return memory;
    return {};
}

QString specLabel(const ChipParams &chip, const DeviceRecord &record)
{
    if (chip.DUT_Bus != 2 && chip.DUT_Bus != 3)
        return {};
    return QStringLiteral("VDD:") + record[kColVdd] + u' ' + QStringLiteral("Endurance:") +
           record[kColEndurance] + u' ' + QStringLiteral("Density:") + record[kColDensity] + u' ' +
           QStringLiteral("WriteSpeed:") + record[kColWriteSpeed] + u' ' + QStringLiteral("ClockSpeed:") +
           record[kColClockSpeed] + u' ';
}

QStringList accessSizes(int bus, int sizeExp, int pageSize)
{
    QStringList sizes;
    if (sizeExp < 0 || sizeExp > 30)
        return sizes;
    const int64_t chipSize = int64_t{1} << sizeExp;
    int64_t g = static_cast<int64_t>(std::nearbyint(pageSize / 2.0)); // half to even
    if (g < 1)
        g = 1;
    while (chipSize > g) {
        // A page size that is not a power of two would double past the chip: stop at its size.
        const int64_t k = std::min(2 * g, chipSize);
        if (bus == 2 || (bus == 3 && k >= 64))
            sizes << QString::number(k);
        g = k;
    }
    return sizes;
}

QStringList initialAccessSizes()
{
    QStringList sizes;
    for (int exp = 4; exp <= 17; ++exp)
        sizes << QString::number(1 << exp);
    return sizes;
}

} // namespace zelko6
