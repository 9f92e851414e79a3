// What a chip of the catalogue means for the program: parameters, refusals, labels, access sizes.

#include "core/devices/ChipSelection.h"

#include <gtest/gtest.h>

using namespace zelko6;

namespace {

DeviceRecord record(std::initializer_list<const char *> words)
{
    DeviceRecord r;
    size_t i = 0;
    for (const char *w : words)
        r[i++] = QString::fromUtf8(w);
    return r;
}

} // namespace

TEST(AccessSizes, DoubleFromTheHalfPageUpToTheChip)
{
    const auto list = [](std::initializer_list<int> sizes) {
        QStringList out;
        for (int s : sizes)
            out << QString::number(s);
        return out;
    };
    EXPECT_EQ(accessSizes(2, 7, 8), list({8, 16, 32, 64, 128}));
    EXPECT_EQ(accessSizes(2, 8, 16), list({16, 32, 64, 128, 256}));
    EXPECT_EQ(accessSizes(2, 17, 256), list({256, 512, 1024, 2048, 4096, 8192, 16384, 32768, 65536, 131072}));
    EXPECT_EQ(accessSizes(2, 7, 0), list({2, 4, 8, 16, 32, 64, 128}));
    EXPECT_EQ(accessSizes(2, 8, 8), list({8, 16, 32, 64, 128, 256}));
    EXPECT_EQ(accessSizes(3, 7, 1), list({64, 128}));
    EXPECT_TRUE(accessSizes(3, 5, 16).isEmpty());
    EXPECT_TRUE(accessSizes(0, 7, 8).isEmpty());
    // Half the page rounds to even: 3 gives 2, 5 gives 2.
    EXPECT_EQ(accessSizes(2, 4, 3).first(), QStringLiteral("4"));
    EXPECT_EQ(accessSizes(2, 4, 5).first(), QStringLiteral("4"));
    // A page that is not a power of two never offers more than the chip holds.
    EXPECT_EQ(accessSizes(2, 4, 6), list({6, 12, 16}));
    EXPECT_EQ(initialAccessSizes().size(), 14);
    EXPECT_EQ(initialAccessSizes().last(), QStringLiteral("131072"));
}

TEST(ChipEvaluation, DrivableChipsGiveTheirParameters)
{
    const auto result = evaluateChip(record({"93C46", "1Kbit", "3", "7", "", "2", "6", "ORG"}));
    ASSERT_TRUE(std::holds_alternative<ChipParams>(result));
    const auto &chip = std::get<ChipParams>(result);
    EXPECT_EQ(chip.DUT_Bus, 3);
    EXPECT_EQ(chip.DUT_SizeExp, 7);
    EXPECT_EQ(chip.DUT_PageSize, 0); // an empty cell reads as 0
    EXPECT_EQ(chip.DUT_AdrMode, 2);
    EXPECT_EQ(chip.DUT_ExtParam, 6);
    EXPECT_EQ(chip.DUT_Memo, QStringLiteral("ORG"));
}

TEST(ChipEvaluation, ChipsOutsideWhatTheProgramCanDriveAreRefusedByName)
{
    const char *cases[][7] = {
        {"X1", "l", "2", "8", "x8", "0", "0"},  // not a number
        {"X2", "l", "4", "8", "8", "0", "0"},   // no such bus
        {"X3", "l", "", "8", "8", "0", "0"},    // bus missing: 0
        {"X4", "l", "2", "3", "8", "0", "0"},   // smaller than a grid row
        {"X5", "l", "2", "25", "8", "0", "0"},  // beyond 24 address bits
        {"X6", "l", "2", "8", "8", "3", "0"},   // no such addressing mode
        {"X7", "l", "3", "8", "1", "0", "256"}, // extra byte does not fit a byte
    };
    for (const auto &c : cases) {
        const auto result = evaluateChip(record({c[0], c[1], c[2], c[3], c[4], c[5], c[6]}));
        ASSERT_TRUE(std::holds_alternative<ChipRefusal>(result)) << c[0];
        EXPECT_EQ(std::get<ChipRefusal>(result).chipName, QString::fromLatin1(c[0]));
    }
}

TEST(ChipLabels, SizesAndDataSheetFigures)
{
    const DeviceRecord r =
        record({"24C02", "2Kbit", "2", "8", "8", "0", "0", "memo", "1.8-5.5V", "1M", "2Kbit", "5ms"});
    const auto chip = std::get<ChipParams>(evaluateChip(r));
    EXPECT_EQ(pageSizeLabel(chip), QStringLiteral("　Mem. Size: 256 byte\r\n　Page Size: 8 byte"));
    EXPECT_EQ(specLabel(chip, r),
              QStringLiteral("VDD:1.8-5.5V Endurance:1M Density:2Kbit WriteSpeed:5ms ClockSpeed: "));
    ChipParams threeWire = chip;
    threeWire.DUT_Bus = 3;
    threeWire.DUT_SizeExp = 7;
    EXPECT_EQ(pageSizeLabel(threeWire), QStringLiteral("　Mem. Size: 128 byte"));
}
