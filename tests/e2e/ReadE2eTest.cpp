// Block Read and Byte Read through the main window, the serial link and the simulated board.

#include "E2eSupport.h"

#include "gui/HexGridView.h"
#include "support/JapaneseTexts.h"

#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page8 = "T256P8 256B 2 8 8 0 0 e2e";
const QByteArray kChip512Page16 = "T512 512B 2 9 16 0 0 e2e";
const QByteArray kThreeWire128 = "T3W 128B 3 7 1 0 6 e2e";
const QByteArray kChip128KiB = "T1M 1Mbit 2 17 256 2 0 e2e";

QByteArray record(int count, int second, int address)
{
    const char bytes[] = {char(count), char(second), char(address >> 8), char(address)};
    return QByteArray(bytes, sizeof bytes);
}

struct E2eReadTest : E2eTest {
    // Every cell of the grid shows the buffer's byte.
    void expectGridShowsBuffer()
    {
        const QByteArray bytes = buffer();
        int wrong = 0;
        for (int a = 0; a < bytes.size(); ++a)
            if (cell(a) != byteCell(static_cast<uint8_t>(bytes[a])) && ++wrong <= 3)
                ADD_FAILURE() << "cell " << a << " shows " << cell(a).toStdString();
        EXPECT_EQ(wrong, 0);
    }
    // The read's percentages: the panel-3 texts set while panel 1 said "reading" (the grid
    // refresh that follows has percentages of its own).
    QStringList readProgress() const
    {
        QStringList out;
        bool reading = false;
        for (const auto &[p, text] : history()) {
            if (p == 1)
                reading = text == texts::kReadingText;
            else if (p == 3 && reading)
                out << text;
        }
        return out;
    }
};

} // namespace

TEST_F(E2eReadTest, BlockReadOfATwoWireChipWithPageSizeEightMovesThirtyTwoChunks)
{
    const QByteArray image = pattern(256, 1);
    startBoard(8, {}, image);
    startWindow(kChip256Page8);
    setBuffer(QByteArray(256, '\0'));

    click("Cmd_READ_all");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    const WireTransfer &read = transfers[0];
    EXPECT_EQ(read.header, QByteArray("e2R"));
    EXPECT_EQ(read.startRecord, record(8, 0, 0));
    EXPECT_EQ(read.endRecord, record(8, 0, 0xFF));
    ASSERT_EQ(read.exchange.size(), 64u);
    for (int k = 0; k < 32; ++k) {
        EXPECT_FALSE(read.exchange[2 * k].fromPc);
        EXPECT_EQ(read.exchange[2 * k].bytes, image.mid(8 * k, 8)) << "chunk " << k;
        EXPECT_EQ(read.exchange[2 * k + 1].bytes, QByteArray("@")) << "after chunk " << k;
    }

    // Rounded half to even: 12.5 -> 12, 37.5 -> 38, 62.5 -> 62, 87.5 -> 88.
    EXPECT_EQ(readProgress(), percentages({3,  6,  9,  12, 16, 19, 22, 25, 28, 31, 34, 38, 41, 44, 47, 50,
                                           53, 56, 59, 62, 66, 69, 72, 75, 78, 81, 84, 88, 91, 94, 97, 100}));
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();

    EXPECT_EQ(buffer(), image);
    expectGridShowsBuffer();
    EXPECT_EQ(panel(3), QStringLiteral("ADDRESS:0"));
    EXPECT_EQ(hexBoxText(), byteCell(static_cast<uint8_t>(image[0])).mid(2));
    expectIdle();
}

TEST_F(E2eReadTest, BlockReadOfPartOfTheChipLeavesTheRestOfTheBufferErased)
{
    const QByteArray image = pattern(512, 2);
    startBoard(9, {}, image);
    startWindow(kChip512Page16);
    chooseAccessSize(QStringLiteral("128"));
    setBuffer(QByteArray(512, '\0')); // the read starts from an erased buffer, not from this

    click("Cmd_READ_all");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].startRecord, record(16, 0, 0));
    EXPECT_EQ(transfers[0].endRecord, record(16, 0, 0x7F));
    EXPECT_EQ(transfers[0].fromBoard().size(), 8u);
    EXPECT_EQ(buffer(), image.left(128) + QByteArray(384, '\xFF'));
    expectGridShowsBuffer();
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eReadTest, BytesTheBoardSendsUnaskedAreNeverTakenForData)
{
    // A mode set-up answered with five bytes, and three bytes too many after every chunk.
    const QByteArray image = pattern(256, 10);
    startBoard(8,
               {QStringLiteral("--setup-reply-bytes"), QStringLiteral("5"), QStringLiteral("--surplus"),
                QStringLiteral("3")},
               image);
    startWindow(kChip256Page8);

    click("Cmd_READ_all");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    ASSERT_EQ(transfers[0].fromBoard().size(), 32u);
    EXPECT_EQ(transfers[0].fromBoard()[0].size(), 11);
    EXPECT_EQ(buffer(), image);
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eReadTest, BlockReadOfAThreeWireChipCarriesItsExtraParameterInTheRecords)
{
    const QByteArray image = pattern(128, 3);
    startBoard(7, {}, image);
    startWindow(kThreeWire128);

    click("Cmd_READ_all");

    EXPECT_TRUE(allFromPc(board->wire()).contains("Ee3P")); // the three-wire mode set-up
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].header, QByteArray("e3R"));
    EXPECT_EQ(transfers[0].startRecord, record(16, 6, 0));
    EXPECT_EQ(transfers[0].endRecord, record(16, 6, 0x7F));
    EXPECT_EQ(buffer(), image);
    expectIdle();
}

TEST_F(E2eReadTest, ByteReadFillsTheSelectedCellAndTheEditor)
{
    QByteArray image = pattern(256, 4);
    image[0x24] = 0x0A; // a value below 0x10 shows its leading zero
    startBoard(8, {}, image);
    startWindow(kChip256Page8);
    const QByteArray before = pattern(256, 5);
    setBuffer(before);
    main().grid().setCurrentCell(3, 5);
    main().status().setText(StatusPanel::Progress,
                            QStringLiteral("kept")); // clearing it would show in the history

    click("Cmd_READ_single");

    // Both panels are emptied before anything else is shown; panel 3 is not touched by that.
    ASSERT_GE(panelHistory(1).size(), 1);
    EXPECT_EQ(panelHistory(1).front(), QString());
    ASSERT_GE(panelHistory(2).size(), 1);
    EXPECT_EQ(panelHistory(2).front(), QString());
    EXPECT_FALSE(panelHistory(3).contains(QString()));
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].header, QByteArray("e2R"));
    EXPECT_EQ(transfers[0].startRecord, record(1, 0, 0x24));
    EXPECT_EQ(transfers[0].endRecord, record(1, 0, 0x24));
    ASSERT_EQ(transfers[0].exchange.size(), 2u);
    EXPECT_EQ(transfers[0].exchange[0].bytes, QByteArray("\x0A"));
    EXPECT_EQ(transfers[0].exchange[1].bytes, QByteArray("@"));

    QByteArray expected = before;
    expected[0x24] = 0x0A;
    EXPECT_EQ(buffer(), expected);
    EXPECT_EQ(cell(0x24), QStringLiteral("0x0A"));
    EXPECT_EQ(cell(0x23), byteCell(static_cast<uint8_t>(before[0x23])));
    EXPECT_EQ(hexBoxText(), QStringLiteral("0A"));
    EXPECT_TRUE(panel(3).endsWith(QStringLiteral("ADDRESS:36"))) << panel(3).toStdString();
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eReadTest, ByteReadAboveSixtyFourKiBSendsTheThirdAddressByteAndTheLowerCaseLetter)
{
    QByteArray image = pattern(1 << 17, 6);
    image[0x10000] = 0x3C;
    startBoard(17, {}, image);
    startWindow(kChip128KiB);
    main().grid().setCurrentCell(0x10000 / 16 + 1, 1);

    click("Cmd_READ_single");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].header, QByteArray("e2r"));
    EXPECT_EQ(transfers[0].startRecord, record(1, 1, 0));
    EXPECT_EQ(transfers[0].endRecord, record(1, 1, 0));
    EXPECT_EQ(state().BufData[0x10000], 0x3C);
    EXPECT_EQ(cell(0x10000), QStringLiteral("0x3C"));
    expectIdle();
}
