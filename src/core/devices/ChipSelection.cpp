#include "core/devices/ChipSelection.h"

#include "core/base/Settings.h"

#include <cmath>

namespace zelko6 {

namespace {

struct NumericColumn {
    int column;
    const char16_t *name;
};

constexpr NumericColumn kNumericColumns[] = {
    {kColBus, u"バス種別"},           {kColSizeExp, u"サイズ指数"},      {kColPageSize, u"ページサイズ"},
    {kColAdrMode, u"アドレスモード"}, {kColExtParam, u"拡張パラメータ"},
};

QString chipPrefix(const DeviceRecord &record)
{
    return record[kColName] + QStringLiteral(" : ");
}

} // namespace

std::variant<ChipParams, ChipRefusal> evaluateChip(const DeviceRecord &record)
{
    int32_t values[5] = {};
    for (size_t i = 0; i < std::size(kNumericColumns); ++i) {
        const QString &cell = record[static_cast<size_t>(kNumericColumns[i].column)];
        if (cell.isEmpty())
            continue; // an empty cell reads as 0
        const auto value = toInt32(cell);
        if (!value)
            return ChipRefusal{chipPrefix(record) + QStringLiteral("デバイス定義の") +
                               QString::fromUtf16(kNumericColumns[i].name) +
                               QStringLiteral("が数値ではありません（") + cell + QStringLiteral("）。")};
        values[i] = *value;
    }
    ChipParams chip;
    chip.DUT_Bus = values[0];
    chip.DUT_SizeExp = values[1];
    chip.DUT_PageSize = values[2];
    chip.DUT_AdrMode = values[3];
    chip.DUT_ExtParam = values[4];
    chip.DUT_Memo = record[kColMemo];

    QString wrong;
    if (chip.DUT_Bus != 2 && chip.DUT_Bus != 3)
        wrong = QStringLiteral("バス種別は2または3でなければなりません。");
    else if (chip.DUT_SizeExp < kMinSizeExp || chip.DUT_SizeExp > kMaxSizeExp)
        wrong = QStringLiteral("サイズ指数は4～24でなければなりません。");
    else if (chip.DUT_AdrMode < 0 || chip.DUT_AdrMode > 2)
        wrong = QStringLiteral("アドレスモードは0～2でなければなりません。");
    else if (chip.DUT_ExtParam < 0 || chip.DUT_ExtParam > 255)
        wrong = QStringLiteral("拡張パラメータは0～255でなければなりません。");
    if (!wrong.isEmpty())
        return ChipRefusal{chipPrefix(record) + QStringLiteral("このデバイスは使用できません。") + wrong};
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
