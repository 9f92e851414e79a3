// Checksum, character rules and the grid's cells, without a window.

#include "core/buffer/CheckSum.h"
#include "core/buffer/GridModel.h"
#include "core/operations/GridRefresh.h"
#include "core/text/CharRules.h"
#include "core/text/HexText.h"
#include "gui/AppState.h"

#include <gtest/gtest.h>

using namespace zelko6;

TEST(CheckSum, AClearedBufferSumsTo255TimesItsSize)
{
    const std::pair<int, const char *> cases[] = {{4, "0FF0"},  {7, "7F80"},  {8, "FF00"},  {9, "FE00"},
                                                  {15, "8000"}, {16, "0000"}, {17, "0000"}, {24, "0000"}};
    AppState state;
    for (const auto &[exp, digits] : cases) {
        state.BufData.recreate(exp);
        EXPECT_EQ(CalcCheckSum(state), QStringLiteral("CheckSum:") + QLatin1String(digits)) << exp;
        EXPECT_EQ(state.CheckSumTotal, int64_t{255} << exp);
    }
}

TEST(CheckSum, WrapsModulo65536)
{
    AppState state;
    state.BufData.recreate(8);
    std::fill(state.BufData.data(), state.BufData.data() + 256, 0);
    EXPECT_EQ(CalcCheckSum(state), QStringLiteral("CheckSum:0000"));
    state.BufData.recreate(9);
    state.BufData[0] = 0x00; // 0xFE00 - 0xFF
    EXPECT_EQ(CalcCheckSum(state), QStringLiteral("CheckSum:FD01"));
}

TEST(CharacterRules, FillEditAndSelectionRulesOverEveryByte)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<uint8_t>(b);
        const bool fillShown =
            ((b >= 0x21 && b <= 0x7F) || (b >= 0xA0 && b <= 0xDF)) && b != 0x22 && b != 0x2C;
        EXPECT_EQ(fillRuleByte(byte), fillShown ? byte : 0xA5) << b;
        const bool editShown = (b >= 0x20 && b <= 0x7F) || (b >= 0xA0 && b <= 0xDF);
        EXPECT_EQ(editRuleByte(byte), editShown ? byte : 0xA5) << b;
        const QChar selected = selectionRuleChar(byte);
        EXPECT_EQ(selected, (b >= 0x20 && b <= 0x7E) ? QChar(b) : QChar(0xFF65)) << b;
    }
    EXPECT_EQ(fillRuleChar(0x41), QChar(u'A'));
    EXPECT_EQ(fillRuleChar(0xB1), QChar(0xFF71)); // half-width katakana A
    EXPECT_EQ(editRuleChar(0x20), QChar(u' '));
    EXPECT_EQ(editRuleChar(0x7F), QChar(0xFF65)); // no visible glyph: drawn as the middle dot
    EXPECT_EQ(fillRuleChar(0xA0), QChar(0xFF65));
}

TEST(HexText, WordValueReadsTheLastFourCharactersLeniently)
{
    EXPECT_EQ(HexWordValue(u"3"), 0x3);
    EXPECT_EQ(HexWordValue(u"3f"), 0x3F);
    EXPECT_EQ(HexWordValue(u""), 0);
    EXPECT_EQ(HexWordValue(u"1G"), 0x10);
    EXPECT_EQ(HexWordValue(u"ABCDE"), 0xBCDE);
    EXPECT_EQ(HexWordValue("ff10", 4), 0xFF10);
    EXPECT_EQ(HexDigitValue(u"a"), 0);
    EXPECT_EQ(HexDigitValue(u"F"), 15);
    EXPECT_EQ(HexDigitValue(u"12"), 0);
    EXPECT_EQ(byteCellText(0x0A), QStringLiteral("0x0A"));
}

TEST(GridModel, RowsShowAddressesBytesAndCharacters)
{
    std::vector<uint8_t> bytes(256);
    for (int i = 0; i < 256; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    GridModel model;
    model.showBytes(bytes);
    EXPECT_EQ(model.rowCount(), 16);
    EXPECT_EQ(model.columnCount(), 17);
    EXPECT_EQ(GridModel::addressText(15), QStringLiteral("0x000F0"));
    EXPECT_EQ(GridModel::addressText(8191), QStringLiteral("0x1FFF0"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("0x00"));
    EXPECT_EQ(model.headerData(16, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("ASCII"));
    EXPECT_EQ(model.charText(2), QStringLiteral("･!･#$%&'()*+･-./"));
    EXPECT_EQ(model.rowRecord(4).section(u'\t', 0, 2), QStringLiteral("0x00040\t0x40\t0x41"));

    // An edit rebuilds the row's characters by the edit rule, and the space shows as itself.
    model.setByteCell(2, 0, 0x20);
    model.setCharCellByEditRule(2);
    EXPECT_EQ(model.charText(2), QStringLiteral(" !\"#$%&'()*+,-./"));
    model.setByteCell(99, 0, 0); // outside the grid: ignored
    model.showBytes(bytes);
    EXPECT_EQ(model.charText(2), QStringLiteral("･!･#$%&'()*+･-./"));
}

TEST(GridRefresh, ProgressIsTheLastAddressShareRoundedHalfToEven)
{
    EXPECT_EQ(refreshProgress(15, 16), 100);
    EXPECT_EQ(refreshProgress(15, 256), 6);  // 5.88
    EXPECT_EQ(refreshProgress(31, 256), 12); // 12.16
    EXPECT_EQ(refreshProgress(255, 256), 100);
}
