// Block Write with its verify, and Byte Write, through the main window, the serial link and the
// simulated board: what reaches the chip, what the verify log holds and what the user is shown.

#include "E2eSupport.h"

#include "gui/HexGridView.h"
#include "support/JapaneseTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page16 = "T256P16 256B 2 8 16 0 0 e2e";
const QByteArray kThreeWire128 = "T3W 128B 3 7 1 0 6 e2e";
const QByteArray kChip64KiB = "T64K 512Kbit 2 16 16 1 0 e2e";

QString countLine(qint64 mismatches)
{
    return QString::number(mismatches) + texts::kLogCountSuffix;
}

struct E2eWriteVerifyTest : E2eTest {
    QStringList opened() const
    {
        QStringList out;
        for (const QString &path : h.shell.opened)
            out << QDir::cleanPath(path);
        return out;
    }
    QStringList logOpened() const { return {QDir::cleanPath(logPath())}; }
    // Verify on its own, the buffer holding `image`, against a 256-byte board with `faults`: the
    // board must see exactly one read-back and no write.
    void verifyAloneAgainst(const QByteArray &image, const QStringList &faults)
    {
        startBoard(8, faults, image);
        startWindow(kChip256Page16);
        setBuffer(image);

        click("Cmd_VERIFY_all");

        const auto transfers = board->transfers();
        ASSERT_EQ(transfers.size(), 1u);
        EXPECT_EQ(transfers[0].header, QByteArray("e2R"));
    }
};

} // namespace

TEST_F(E2eWriteVerifyTest, BlockWriteSendsEachChunkAfterItsAcknowledgementAndTheCleanVerifyAddsTheTimes)
{
    startBoard(8);
    startWindow(kChip256Page16);
    const QByteArray data = pattern(256, 7);
    setBuffer(data);
    h.programDir.writeFile(QStringLiteral("VerifyLog.txt"), QByteArray(4096, 'x')); // an earlier verify's

    click("Cmd_WRITE_all");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 2u);
    const WireTransfer &write = transfers[0];
    EXPECT_EQ(write.header, QByteArray("e2W"));
    EXPECT_EQ(write.startRecord, QByteArray::fromHex("10000000"));
    EXPECT_EQ(write.endRecord, QByteArray::fromHex("100000FF"));
    // The board asks for every chunk with "@"; the PC answers each with the next 16 bytes.
    ASSERT_EQ(write.exchange.size(), 32u);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(write.exchange[2 * k].bytes, QByteArray("@")) << "before chunk " << k;
        EXPECT_TRUE(write.exchange[2 * k + 1].fromPc);
        EXPECT_EQ(write.exchange[2 * k + 1].bytes, data.mid(16 * k, 16)) << "chunk " << k;
    }
    const WireTransfer &verify = transfers[1];
    EXPECT_EQ(verify.header, QByteArray("e2R"));
    EXPECT_EQ(verify.fromBoard().size(), 16u);
    EXPECT_EQ(verify.fromPc(), std::vector<QByteArray>(16, QByteArray("@")));
    EXPECT_EQ(board->savedImage(), data);

    // Write and verify each show their progress in 16 steps (12.5 -> 12, 37.5 -> 38, ...).
    const QStringList steps = percentages({6, 12, 19, 25, 31, 38, 44, 50, 56, 62, 69, 75, 81, 88, 94, 100});
    EXPECT_EQ(panelHistory(3), steps + steps);
    const QStringList messages = panelHistory(1);
    EXPECT_TRUE(messages.contains(texts::kWritingText));
    EXPECT_TRUE(messages.contains(texts::kVerifyingText));
    // The write's own end, in whole seconds.
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const QString &m) {
        return secondsShown(m, texts::kWriteDoneText, 0).has_value();
    })) << messages.join(u'|').toStdString();
    EXPECT_TRUE(secondsShown(panel(1), texts::kVerifyDoneText, 1)) << panel(1).toStdString();

    EXPECT_EQ(verifyLog(), logBytes(verifyLogHead() + QStringList{countLine(0), texts::kLogEndLine}));
    EXPECT_TRUE(h.shell.opened.isEmpty());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, BlockWriteOfAThreeWireChipMovesSixteenBytesPerChunkWhateverItsPageSize)
{
    startBoard(7);
    startWindow(kThreeWire128);
    const QByteArray data = pattern(128, 17);
    setBuffer(data);

    click("Cmd_WRITE_all");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 2u);
    EXPECT_EQ(transfers[0].header, QByteArray("e3W"));
    EXPECT_EQ(transfers[0].startRecord, QByteArray::fromHex("10060000"));
    EXPECT_EQ(transfers[0].endRecord, QByteArray::fromHex("1006007F"));
    EXPECT_EQ(transfers[0].fromBoard(), std::vector<QByteArray>(8, QByteArray("@")));
    ASSERT_EQ(transfers[0].fromPc().size(), 8u);
    EXPECT_EQ(transfers[0].fromPc()[7], data.mid(112, 16));
    EXPECT_EQ(transfers[1].header, QByteArray("e3R"));
    EXPECT_EQ(board->savedImage(), data);
    EXPECT_TRUE(secondsShown(panel(1), texts::kVerifyDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, ByteWriteWritesTheSelectedByteAloneAndIsNotVerified)
{
    const QByteArray image = pattern(256, 8);
    startBoard(8, {}, image);
    startWindow(kChip256Page16);
    QByteArray data = image;
    data[0x12] = 0x5A;
    setBuffer(data);
    main().grid().setCurrentCell(2, 3);

    click("Cmd_WRITE_single");

    // The board logs the byte it takes, which may be after the click has returned.
    ASSERT_TRUE(test::waitUntil("the board's log of the written byte", [&] {
        const auto logged = board->transfers();
        return !logged.empty() && logged[0].exchange.size() >= 2;
    }));
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u); // no verify follows
    EXPECT_EQ(transfers[0].header, QByteArray("e2W"));
    EXPECT_EQ(transfers[0].startRecord, QByteArray::fromHex("01000012"));
    EXPECT_EQ(transfers[0].endRecord, QByteArray::fromHex("01000012"));
    ASSERT_EQ(transfers[0].exchange.size(), 2u);
    EXPECT_EQ(transfers[0].exchange[0].bytes, QByteArray("@"));
    EXPECT_EQ(transfers[0].exchange[1].bytes, QByteArray("\x5A"));
    // The board saves its chip when it has taken the last chunk, which may be after the click.
    EXPECT_TRUE(test::waitUntil("the board's saved chip", [&] { return board->savedImage() == data; }))
        << board->savedImage().toHex().toStdString();

    // No start text for a Byte Write: panel 1 is emptied, then shows the whole seconds.
    EXPECT_EQ(panelHistory(1).size(), 2);
    const auto seconds = secondsShown(panel(1), texts::kWriteDoneText, 0);
    ASSERT_TRUE(seconds) << panel(1).toStdString();
    EXPECT_FALSE(QFile::exists(logPath()));
    EXPECT_TRUE(h.shell.opened.isEmpty());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, AByteThatReadsBackWrongGivesOneLogLineAndOpensTheLog)
{
    startBoard(8, {QStringLiteral("--corrupt"), QStringLiteral("0x7F=0xFF")});
    startWindow(kChip256Page16);
    setBuffer(QByteArray(256, '\0'));

    click("Cmd_WRITE_all");

    EXPECT_EQ(board->savedImage(), QByteArray(256, '\0')); // the chip itself holds the right byte
    EXPECT_EQ(verifyLog(), logBytes(verifyLogHead() + QStringList{QStringLiteral("0x000007F\t0x00\t0xFF"),
                                                                  countLine(1), texts::kLogEndLine}));
    EXPECT_EQ(panel(1), texts::kVerifyErrorText);
    EXPECT_EQ(opened(), logOpened());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, AVerifyLogThatCannotBeCreatedCostsOnlyTheLog)
{
    // A folder where the log should be: no file can be created under that name.
    ASSERT_TRUE(QDir(h.programDir.appDir()).mkdir(QStringLiteral("VerifyLog.txt")));
    startBoard(8, {QStringLiteral("--corrupt"), QStringLiteral("0x7F=0xFF")});
    startWindow(kChip256Page16);
    setBuffer(QByteArray(256, '\0'));

    click("Cmd_WRITE_all");

    // The comparison ran to the end and found the byte.
    EXPECT_EQ(board->transfers().size(), 2u);
    ASSERT_FALSE(panelHistory(3).isEmpty());
    EXPECT_EQ(panelHistory(3).back(), QStringLiteral("100%"));
    EXPECT_EQ(panel(1), texts::kVerifyErrorText);
    EXPECT_TRUE(QFileInfo(logPath()).isDir());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, EveryByteOfA64KiBRangeDifferingGivesALineEach)
{
    // The chip holds zeros, the buffer 0xFF, and the board refuses the write at its first chunk:
    // the verify then compares the whole range against bytes that all differ.
    startBoard(16, {QStringLiteral("--write-ack-wrong-at"), QStringLiteral("0")}, QByteArray(1 << 16, '\0'));
    startWindow(kChip64KiB);

    click("Cmd_WRITE_all");

    EXPECT_TRUE(panelHistory(1).contains(texts::kWritingText + texts::kWriteErrorSuffix));
    QStringList lines = verifyLogHead();
    for (int a = 0; a < (1 << 16); ++a)
        lines << mismatchLine(a, 0xFF, 0x00);
    lines << countLine(65536) << texts::kLogEndLine;
    const QByteArray log = verifyLog();
    EXPECT_EQ(log.count("\r\n"), 65536 + 4);
    EXPECT_TRUE(log == logBytes(lines)) << "log of " << log.size() << " bytes differs";
    EXPECT_TRUE(log.endsWith(logBytes({countLine(65536), texts::kLogEndLine})));
    EXPECT_EQ(panel(1), texts::kVerifyErrorText);
    EXPECT_EQ(opened(), logOpened());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, AWrongAcknowledgementFailsTheWriteAtOnceAndTheVerifyStillRuns)
{
    const QByteArray data = pattern(256, 9);
    startBoard(8, {}, data);
    startWindow(kChip256Page16);
    setBuffer(data); // the chip already holds the buffer, so the verify is clean
    main().grid().setCurrentCell(1, 1);
    click("Cmd_WRITE_single");                                             // an earlier successful write
    const auto earlier = secondsShown(panel(1), texts::kWriteDoneText, 0); // rounded down
    ASSERT_TRUE(earlier) << panel(1).toStdString();
    startBoard(8, {QStringLiteral("--write-ack-wrong-at"), QStringLiteral("0")}, data);

    click("Cmd_WRITE_all");

    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 2u);
    ASSERT_EQ(transfers[0].exchange.size(), 1u); // "A" instead of "@", and nothing sent after it
    EXPECT_EQ(transfers[0].exchange[0].bytes, QByteArray("A"));
    EXPECT_EQ(transfers[1].header, QByteArray("e2R"));
    EXPECT_EQ(transfers[1].fromBoard().size(), 16u);

    // No time-out text: the wrong byte is appended to the start text.
    const QStringList messages = panelHistory(1);
    EXPECT_TRUE(messages.contains(texts::kWritingText + texts::kWriteErrorSuffix))
        << messages.join(u'|').toStdString();
    EXPECT_FALSE(messages.contains(texts::kTimeOutText + texts::kWriteErrorSuffix));
    EXPECT_TRUE(secondsShown(panel(1), texts::kVerifyDoneText, 1)) << panel(1).toStdString();
    EXPECT_EQ(verifyLog(), logBytes(verifyLogHead() + QStringList{countLine(0), texts::kLogEndLine}));
    EXPECT_TRUE(h.shell.opened.isEmpty());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, ByteWriteWithAWrongAcknowledgementShowsOnlyTheErrorText)
{
    startBoard(8, {QStringLiteral("--write-ack-wrong-at"), QStringLiteral("0")});
    startWindow(kChip256Page16);
    main().grid().setCurrentCell(1, 1);

    click("Cmd_WRITE_single");

    EXPECT_EQ(panel(1), texts::kWriteErrorSuffix);
    EXPECT_EQ(board->transfers().size(), 1u); // and no verify
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, AChipEqualToTheBufferVerifiesCleanWithNothingWritten)
{
    ASSERT_NO_FATAL_FAILURE(verifyAloneAgainst(pattern(256, 9), {}));
    // A verify of its own says so, with its own time.
    EXPECT_TRUE(secondsShown(panel(1), texts::kVerifyAloneDoneText, 1)) << panel(1).toStdString();
    EXPECT_TRUE(opened().isEmpty());
    EXPECT_TRUE(main().gridModel().differences().empty());
    EXPECT_FALSE(main().action("mnuNextDifference")->isEnabled());
    expectIdle();
}

TEST_F(E2eWriteVerifyTest, VerifyAloneReadsBackWithoutWritingAndMarksWhatDiffers)
{
    const QByteArray image = pattern(256, 3);
    ASSERT_NO_FATAL_FAILURE(verifyAloneAgainst(
        image, {QStringLiteral("--corrupt"), QStringLiteral("0x00=0x11"), QStringLiteral("--corrupt"),
                QStringLiteral("0x80=0x22"), QStringLiteral("--corrupt"), QStringLiteral("0xFF=0x33")}));
    EXPECT_EQ(buffer(), image) << "a verify leaves the buffer as it was";
    EXPECT_EQ(panel(1), texts::kVerifyErrorText);
    EXPECT_EQ(verifyLog(),
              logBytes(verifyLogHead() + QStringList{mismatchLine(0x00, uint8_t(image[0x00]), 0x11),
                                                     mismatchLine(0x80, uint8_t(image[0x80]), 0x22),
                                                     mismatchLine(0xFF, uint8_t(image[0xFF]), 0x33),
                                                     countLine(3), texts::kLogEndLine}));
    EXPECT_EQ(opened(), logOpened());
    expectIdle();

    // Each differing cell is marked with the chip's value, for the eye and for a screen reader.
    const QAbstractItemModel *shown = main().findChild<HexGridView *>(QStringLiteral("MSFGrid1"))->model();
    const std::pair<int, QString> marks[] = {
        {0x00, QStringLiteral("0x11")}, {0x80, QStringLiteral("0x22")}, {0xFF, QStringLiteral("0x33")}};
    for (const auto &[address, chipValue] : marks) {
        const QModelIndex cellIndex = shown->index(address / kBytesPerRow, address % kBytesPerRow);
        EXPECT_TRUE(shown->data(cellIndex, Qt::AccessibleDescriptionRole).toString().endsWith(chipValue))
            << address;
        EXPECT_TRUE(shown->data(cellIndex, Qt::BackgroundRole).isValid()) << address;
    }
    EXPECT_FALSE(shown->data(shown->index(0, 1), Qt::BackgroundRole).isValid());

    // The verify leaves the first byte current; F3 goes on from there and wraps round to the
    // first difference, Shift+F3 wraps back to the last.
    QStringList visited;
    for (int k = 0; k < 3; ++k) {
        main().action("mnuNextDifference")->trigger();
        visited << panel(3);
    }
    main().action("mnuPreviousDifference")->trigger();
    visited << panel(3);
    EXPECT_EQ(visited, (QStringList{QStringLiteral("ADDRESS:128"), QStringLiteral("ADDRESS:255"),
                                    QStringLiteral("ADDRESS:0"), QStringLiteral("ADDRESS:255")}));
    EXPECT_EQ(hexBoxText(), byteCell(uint8_t(image[0xFF])).mid(2)) << "the editor loads the buffer's byte";

    // The same mismatches found by a write's verify give the same log, byte for byte.
    const QByteArray aloneLog = verifyLog();
    click("Cmd_WRITE_all");
    EXPECT_EQ(verifyLog(), aloneLog);

    // A buffer made anew carries no marks.
    main().action("mnuBufferClear")->trigger();
    EXPECT_TRUE(main().gridModel().differences().empty());
    EXPECT_FALSE(main().action("mnuNextDifference")->isEnabled());
}
