// The rules of the buffer tools without a window: what the user may type as an address, a range or
// a byte sequence; where a search lands; what a fill writes; what an undo step keeps and puts back;
// and what a blank check counts. Searches and fills are checked against plain reference code over
// many random cases.

#include "core/buffer/AddressEntry.h"
#include "core/buffer/BufferChange.h"
#include "core/buffer/BufferScan.h"
#include "core/buffer/GridModel.h"
#include "core/files/TextDump.h"
#include "core/operations/BufferEdits.h"
#include "core/text/CharRules.h"
#include "core/text/HexText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace zelko6;

namespace {

std::vector<uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

} // namespace

TEST(AddressEntry, HexadecimalInEveryFormAndDecimalAfterTheHashSign)
{
    for (const char *typed : {"0x1F40", "0X1f40", "1F40h", "1f40H", "1f40", " 1F40 ", "#8000"})
        EXPECT_EQ(parseAddress(QString::fromLatin1(typed)), 0x1F40) << typed;
    EXPECT_EQ(parseAddress(QStringLiteral("0")), 0);
    EXPECT_EQ(parseAddress(QStringLiteral("#0")), 0);
    EXPECT_EQ(parseAddress(QStringLiteral("FFFFFFFF")), 0xFFFFFFFFLL);
    for (const char *typed : {"", " ", "0x", "#", "h", "0xh", "-1", "+1", "#1F", "1G", "12 34", "0x0x1",
                              "1F40hh", "123456789", "#12345678901", "１２", "1.5", "# 8000"})
        EXPECT_FALSE(parseAddress(QString::fromUtf8(typed))) << typed;
}

TEST(AddressEntry, AnAddressMustLieInsideTheBuffer)
{
    constexpr size_t size = 0x20000;
    EXPECT_EQ(std::get<int64_t>(addressInBuffer(QStringLiteral("0"), size)), 0);
    EXPECT_EQ(std::get<int64_t>(addressInBuffer(QStringLiteral("1FFFF"), size)), 0x1FFFF);
    EXPECT_EQ(std::get<int64_t>(addressInBuffer(QStringLiteral("#131071"), size)), 0x1FFFF);
    EXPECT_EQ(std::get<AddressRefusal>(addressInBuffer(QStringLiteral("20000"), size)),
              AddressRefusal::OutOfRange);
    EXPECT_EQ(std::get<AddressRefusal>(addressInBuffer(QStringLiteral("#131072"), size)),
              AddressRefusal::OutOfRange);
    EXPECT_EQ(std::get<AddressRefusal>(addressInBuffer(QStringLiteral("1FFFFG"), size)),
              AddressRefusal::Malformed);
}

TEST(AddressEntry, HexBytesWithOrWithoutSeparatorsAndTextInCodePage932)
{
    const auto deadBeef = bytesOf({0xDE, 0xAD, 0xBE, 0xEF});
    for (const char *typed : {"DE AD BE EF", "deadbeef", "0xDE 0xAD 0xBE 0xEF", "de,ad,be,ef", " DEAD BEEF "})
        EXPECT_EQ(parseHexBytes(QString::fromLatin1(typed)), deadBeef) << typed;
    for (const char *typed : {"", " ", "D", "DEA", "DE A D", "GG", "DE-AD", "0x"})
        EXPECT_FALSE(parseHexBytes(QString::fromLatin1(typed))) << typed;

    EXPECT_EQ(textBytes(QStringLiteral("AB ,")), bytesOf({0x41, 0x42, 0x20, 0x2C}));
    EXPECT_EQ(textBytes(QStringLiteral("ｱｲｳﾞ")), bytesOf({0xB1, 0xB2, 0xB3, 0xDE})); // half-width katakana
    EXPECT_EQ(textBytes(QStringLiteral("漢")), bytesOf({0x8A, 0xBF}));
    EXPECT_FALSE(textBytes(QString()));
    EXPECT_FALSE(textBytes(QStringLiteral("A\U0001F600"))) << "a character code page 932 does not have";
}

TEST(RangeEntry, StartWithEndOrLengthAndEveryRefusal)
{
    constexpr size_t size = 256;
    const auto range = [&](const char *start, const char *second, RangeEnd meaning) {
        return rangeInBuffer(QString::fromLatin1(start), QString::fromLatin1(second), meaning, size);
    };
    EXPECT_EQ(std::get<ByteRange>(range("10", "1F", RangeEnd::EndAddress)), (ByteRange{0x10, 0x10}));
    EXPECT_EQ(std::get<ByteRange>(range("10", "10", RangeEnd::EndAddress)), (ByteRange{0x10, 1}));
    EXPECT_EQ(std::get<ByteRange>(range("0", "FF", RangeEnd::EndAddress)), (ByteRange{0, 256}));
    EXPECT_EQ(std::get<ByteRange>(range("F0", "#16", RangeEnd::Length)), (ByteRange{0xF0, 16}));

    const std::tuple<const char *, const char *, RangeEnd, RangeRefusal> refused[] = {
        {"x", "1", RangeEnd::EndAddress, RangeRefusal::StartMalformed},
        {"100", "1", RangeEnd::EndAddress, RangeRefusal::StartOutOfRange},
        {"0", "", RangeEnd::EndAddress, RangeRefusal::EndMalformed},
        {"0", "100", RangeEnd::EndAddress, RangeRefusal::EndOutOfRange},
        {"20", "1F", RangeEnd::EndAddress, RangeRefusal::EndBeforeStart},
        {"0", "#x", RangeEnd::Length, RangeRefusal::LengthMalformed},
        {"0", "0", RangeEnd::Length, RangeRefusal::LengthOutOfRange},
        {"F0", "#17", RangeEnd::Length, RangeRefusal::LengthOutOfRange},
        {"1", "FFFFFFFF", RangeEnd::Length, RangeRefusal::LengthOutOfRange},
    };
    for (const auto &[start, second, meaning, why] : refused)
        EXPECT_EQ(std::get<RangeRefusal>(range(start, second, meaning)), why) << start << " " << second;
}

TEST(FindBytes, AgreesWithAPlainSearchFromEveryStartInBothDirections)
{
    std::mt19937 random(15);
    for (int round = 0; round < 40; ++round) {
        // Few distinct values, so that matches are many and overlap.
        std::vector<uint8_t> haystack(16 + random() % 48);
        for (auto &b : haystack)
            b = static_cast<uint8_t>(random() % 3);
        std::vector<uint8_t> needle(1 + random() % 4);
        for (auto &b : needle)
            b = static_cast<uint8_t>(random() % 3);
        std::vector<int64_t> starts;
        for (size_t at = 0; at + needle.size() <= haystack.size(); ++at)
            if (std::equal(needle.begin(), needle.end(), haystack.begin() + static_cast<ptrdiff_t>(at)))
                starts.push_back(static_cast<int64_t>(at));
        const auto n = static_cast<int64_t>(haystack.size());
        for (int64_t from = -1; from <= n; ++from) {
            std::optional<SearchHit> expectedForward, expectedBackward;
            if (!starts.empty()) {
                const auto after =
                    std::find_if(starts.begin(), starts.end(), [&](int64_t s) { return s >= from; });
                expectedForward = after != starts.end()
                                      ? SearchHit{static_cast<size_t>(*after), false}
                                      : SearchHit{static_cast<size_t>(starts.front()), true};
                const auto before =
                    std::find_if(starts.rbegin(), starts.rend(), [&](int64_t s) { return s <= from; });
                expectedBackward = before != starts.rend()
                                       ? SearchHit{static_cast<size_t>(*before), false}
                                       : SearchHit{static_cast<size_t>(starts.back()), true};
            }
            for (const auto &[direction, expected] :
                 {std::pair{SearchDirection::Forward, expectedForward},
                  std::pair{SearchDirection::Backward, expectedBackward}}) {
                const auto hit = findBytes(haystack, needle, from, direction);
                ASSERT_EQ(hit.has_value(), expected.has_value()) << round << " from " << from;
                if (hit) {
                    EXPECT_EQ(hit->address, expected->address) << round << " from " << from;
                    EXPECT_EQ(hit->wrapped, expected->wrapped) << round << " from " << from;
                }
            }
        }
    }
}

TEST(FindBytes, AMatchNeverRunsPastTheEndIntoTheStart)
{
    const auto haystack = bytesOf({0xEF, 1, 2, 3, 4, 5, 6, 0xDE, 0xAD, 0xBE});
    EXPECT_FALSE(findBytes(haystack, bytesOf({0xDE, 0xAD, 0xBE, 0xEF}), 0, SearchDirection::Forward));
    EXPECT_FALSE(findBytes(haystack, bytesOf({}), 0, SearchDirection::Forward));
    EXPECT_FALSE(findBytes(haystack, std::vector<uint8_t>(11, 1), 0, SearchDirection::Forward));
    const auto last = findBytes(haystack, bytesOf({0xAD, 0xBE}), 9, SearchDirection::Forward);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->address, 8u);
    EXPECT_TRUE(last->wrapped);
}

TEST(Fill, APatternRepeatsFromTheRangesFirstByteAndMayEndPartWay)
{
    for (size_t patternLength = 1; patternLength <= kMaxFillPattern; ++patternLength) {
        std::vector<uint8_t> pattern(patternLength);
        for (size_t i = 0; i < patternLength; ++i)
            pattern[i] = static_cast<uint8_t>(0x10 * i + patternLength);
        for (size_t length :
             {size_t{1}, patternLength - 1, patternLength, patternLength + 1, size_t{7 * 16 + 5}}) {
            if (length == 0)
                continue;
            std::vector<uint8_t> target(length + 2, 0xEE);
            fillWithPattern(std::span(target).subspan(1, length), pattern);
            EXPECT_EQ(target.front(), 0xEE);
            EXPECT_EQ(target.back(), 0xEE);
            for (size_t i = 0; i < length; ++i)
                ASSERT_EQ(target[i + 1], pattern[i % patternLength])
                    << patternLength << " " << length << " " << i;
        }
    }
}

TEST(BufferChange, TakenBackAndMadeAgainAndJoinedWhileTheSameByteIsTyped)
{
    MemoryBuffer buffer;
    buffer.recreate(8);
    for (size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<uint8_t>(i);
    const std::vector<uint8_t> original(buffer.bytes().begin(), buffer.bytes().end());

    BufferChange fill(ByteRange{0x11, 0x25}, bytesOf({1, 2, 3}));
    fill.apply(buffer);
    EXPECT_EQ(buffer[0x10], 0x10);
    EXPECT_EQ(buffer[0x11], 1);
    EXPECT_EQ(buffer[0x34], 3);
    EXPECT_EQ(buffer[0x35], 1); // 0x25 bytes: the pattern starts a thirteenth time and stops
    EXPECT_EQ(buffer[0x36], 0x36);
    const std::vector<uint8_t> filled(buffer.bytes().begin(), buffer.bytes().end());
    fill.revert(buffer);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), buffer.bytes().begin()));
    fill.apply(buffer);
    EXPECT_TRUE(std::equal(filled.begin(), filled.end(), buffer.bytes().begin()));
    fill.revert(buffer);

    // A byte typed twice (0x07 -> 0x3A -> 0x07): one step, which changes nothing.
    BufferChange first(ByteRange{7, 1}, bytesOf({0x3A}));
    first.apply(buffer);
    BufferChange second(ByteRange{7, 1}, bytesOf({0x07}));
    second.apply(buffer);
    ASSERT_TRUE(first.absorb(second));
    EXPECT_TRUE(first.changesNothing());
    BufferChange third(ByteRange{7, 1}, bytesOf({0x55}));
    third.apply(buffer);
    ASSERT_TRUE(first.absorb(third));
    EXPECT_FALSE(first.changesNothing());
    first.revert(buffer);
    EXPECT_EQ(buffer[7], 0x07);
    first.apply(buffer);
    EXPECT_EQ(buffer[7], 0x55);
    // Another byte, or a range, never joins.
    EXPECT_FALSE(first.absorb(BufferChange(ByteRange{8, 1}, bytesOf({0}))));
    EXPECT_FALSE(fill.absorb(BufferChange(ByteRange{0x11, 0x25}, bytesOf({0}))));
}

TEST(BufferChange, AWholeBufferFillKeepsItsBytesOnce)
{
    MemoryBuffer buffer;
    buffer.recreate(17);
    BufferChange fill(ByteRange{0, 1 << 17}, std::vector<uint8_t>(16, 0x5A));
    fill.apply(buffer);
    EXPECT_GE(fill.heldBytes(), size_t{1} << 17);
    EXPECT_LE(fill.heldBytes(), (size_t{1} << 17) + 64);
}

TEST(BlankScan, CountsTheBytesOtherThanErasedAndNamesTheFirst)
{
    std::vector<uint8_t> image(0x20000, 0xFF);
    EXPECT_TRUE(scanBlank(image).blank());
    EXPECT_EQ(scanBlank(image).firstNonBlank, -1);
    image.back() = 0xFE;
    EXPECT_EQ(scanBlank(image).nonBlank, 1);
    EXPECT_EQ(scanBlank(image).firstNonBlank, 0x1FFFF);
    image[0x10000] = 0x00;
    image[0x10001] = 0x7F;
    EXPECT_EQ(scanBlank(image).nonBlank, 3);
    EXPECT_EQ(scanBlank(image).firstNonBlank, 0x10000);
}

namespace {

// What shows the buffer besides the grid, as the window would.
struct RecordingView final : BufferEditView {
    QString caption;
    int reloads = 0;
    void setCheckSumCaption(const QString &text) override { caption = text; }
    void reloadSelectedByte() override { ++reloads; }
};

struct Shown {
    std::vector<uint8_t> bytes;
    QStringList rows; // every row record of the grid
    QString caption;
    bool operator==(const Shown &) const = default;
};

} // namespace

// Random edits and fills, then all of them taken back and made again: the buffer, every row the
// grid shows (cells and characters, by the rule each row followed) and the checksum are what they
// were at each step, and the dump follows a change of more than one byte.
TEST(BufferEdit, UndoAndRedoRestoreWhatEveryViewShowed)
{
    QTemporaryDir dir;
    BufferState state;
    state.BufData.recreate(9);
    std::mt19937 random(3);
    for (auto &b : state.BufData.bytes())
        b = static_cast<uint8_t>(random());
    GridModel grid;
    grid.showBytes(state.BufData.bytes());
    RecordingView view;
    const BufferDisplay display{state, grid, dir.filePath(QStringLiteral("temp.txt")), view};
    const auto shown = [&] {
        Shown s{{state.BufData.bytes().begin(), state.BufData.bytes().end()}, {}, view.caption};
        for (int row = 0; row < grid.rowCount(); ++row)
            s.rows << grid.rowRecord(row);
        return s;
    };
    showChangedRange(display, ByteRange{0, 0}); // nothing changed: sets the caption alone
    std::vector<Shown> states{shown()};
    std::vector<BufferEdit> steps;
    for (int i = 0; i < 30; ++i) {
        const bool single = random() % 2 == 0;
        const int64_t first = random() % 512;
        const int64_t count = single ? 1 : 1 + static_cast<int64_t>(random() % (512 - first));
        std::vector<uint8_t> pattern(single ? 1 : 1 + random() % 16);
        for (auto &b : pattern)
            b = static_cast<uint8_t>(0x20 + random() % 3); // space, '!', '"': the rules differ
        steps.emplace_back(BufferChange(ByteRange{first, count}, pattern));
        steps.back().apply(display);
        for (int64_t a = first; a < first + count; ++a)
            ASSERT_EQ(state.BufData[static_cast<size_t>(a)],
                      pattern[static_cast<size_t>(a - first) % pattern.size()]);
        // The rows touched show their characters by the edit rule (a space as itself).
        const int row = static_cast<int>(first / kBytesPerRow);
        const int column = static_cast<int>(first % kBytesPerRow);
        EXPECT_EQ(grid.byteText(row, column), byteCellText(pattern[0]));
        EXPECT_EQ(grid.charText(row)[column], editRuleChar(pattern[0]));
        if (count > 1) {
            QFile dump(display.dumpPath);
            ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
            EXPECT_EQ(dump.readAll(), buildTextDump(state.BufData.bytes())) << i;
        }
        states.push_back(shown());
    }
    for (size_t i = steps.size(); i-- > 0;) {
        steps[i].revert(display);
        ASSERT_EQ(shown(), states[i]) << "undo of step " << i;
    }
    for (size_t i = 0; i < steps.size(); ++i) {
        steps[i].apply(display);
        ASSERT_EQ(shown(), states[i + 1]) << "redo of step " << i;
    }
    EXPECT_EQ(view.reloads, 1 + 3 * 30) << "the editor follows every change";
}

TEST(DifferenceMarks, AByteChangedToTheOtherValueLosesItsMarkAndOnlyThat)
{
    GridModel model;
    const std::vector<uint8_t> shown(64, 0x00);
    model.showBytes(shown);
    model.markDifferences({{3, 0x10}, {20, 0x22}, {21, 0x23}, {63, 0x7F}, {64, 0x01}}, ComparedWith::Chip);
    EXPECT_EQ(model.differences().size(), 4u) << "a mark beyond the grid is dropped";

    model.setByteCell(0, 3, 0x11); // still not the chip's value
    model.setByteCell(3, 15, 0x7F);
    EXPECT_EQ(model.differences(), (Differences{{3, 0x10}, {20, 0x22}, {21, 0x23}}));

    const std::vector<uint8_t> filled{0x22, 0x00};
    model.showChangedBytes(20, filled);
    EXPECT_EQ(model.differences(), (Differences{{3, 0x10}, {21, 0x23}}));
    EXPECT_EQ(model.index(1, 5).data(kOtherValueRole).toInt(), 0x23);
    EXPECT_FALSE(model.index(1, 4).data(kOtherValueRole).isValid());

    model.showBytes(shown);
    EXPECT_TRUE(model.differences().empty()) << "a refresh makes a new buffer";
}
