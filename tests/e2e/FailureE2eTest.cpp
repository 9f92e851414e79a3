// Boards that go away in the middle of a transfer, and the window's lock while an operation runs.

#include "E2eSupport.h"

#include "support/JapaneseTexts.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page8 = "T256P8 256B 2 8 8 0 0 e2e";
const QByteArray kChip256Page16 = "T256P16 256B 2 8 16 0 0 e2e";

QStringList unplugAfter(int chunks)
{
    return {QStringLiteral("--unplug-after"), QString::number(chunks)};
}

using E2eUnplugTest = E2eTest;
struct E2eLockTest : E2eTest {
    // The user closes the window at the first progress text of the next click.
    void closeAtFirstProgress()
    {
        onPanelChanged = [this](int p, const QString &text) {
            if (p == 3 && text.endsWith(u'%') && !closeAsked) {
                closeAsked = true;
                main().close();
            }
        };
    }
    bool closeAsked = false;
};

} // namespace

TEST_F(E2eUnplugTest, MidReadKeepsWhatArrivedAndTheWindowShowsIt)
{
    const QByteArray image = pattern(256, 11);
    startBoard(8, unplugAfter(4), image);
    startWindow(kChip256Page8);
    setBuffer(QByteArray(256, '\0'));
    const QString zerosCheckSum = checkSumCaption();

    click("Cmd_READ_all");

    EXPECT_TRUE(board->hasExited());
    EXPECT_EQ(panel(1), texts::kTimeOutText + texts::kReadErrorSuffix);
    const QByteArray expected = image.left(32) + QByteArray(224, '\xFF');
    EXPECT_EQ(buffer(), expected);
    // What the user sees is that buffer, not the zeros from before: the grid, the editor and
    // the checksum (which a second refresh must not change).
    EXPECT_EQ(cell(0), byteCell(static_cast<uint8_t>(image[0])));
    EXPECT_EQ(cell(31), byteCell(static_cast<uint8_t>(image[31])));
    EXPECT_EQ(cell(32), QStringLiteral("0xFF"));
    EXPECT_EQ(cell(255), QStringLiteral("0xFF"));
    EXPECT_EQ(hexBoxText(), byteCell(static_cast<uint8_t>(image[0])).mid(2));
    const QString shownCheckSum = checkSumCaption();
    EXPECT_NE(shownCheckSum, zerosCheckSum);
    expectIdle();
    main().RefreshGrid();
    EXPECT_EQ(checkSumCaption(), shownCheckSum);
}

TEST_F(E2eUnplugTest, ABoardPluggedInAgainWorksWithoutARestart)
{
    startBoard(8, unplugAfter(2), pattern(256, 18));
    startWindow(kChip256Page8);
    click("Cmd_READ_all");
    ASSERT_EQ(panel(1), texts::kTimeOutText + texts::kReadErrorSuffix);

    const QByteArray image = pattern(256, 19);
    startBoard(8, {}, image);
    click("Cmd_READ_all");

    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    EXPECT_EQ(buffer(), image);
    expectIdle();
}

TEST_F(E2eUnplugTest, MidWriteFailsTheWriteAndTheVerifyFindsNoPort)
{
    startBoard(8, unplugAfter(4));
    startWindow(kChip256Page16);
    const QByteArray data = pattern(256, 12);
    setBuffer(data);
    const QByteArray earlierLog = logBytes(verifyLogHead() + QStringList{texts::kLogEndLine});
    h.programDir.writeFile(QStringLiteral("VerifyLog.txt"), earlierLog);

    click("Cmd_WRITE_all");

    EXPECT_TRUE(board->hasExited());
    EXPECT_TRUE(panelHistory(1).contains(texts::kTimeOutText + texts::kWriteErrorSuffix))
        << panelHistory(1).join(u'|').toStdString();
    // The verify still runs; its connection check cannot open the vanished port and stops it.
    EXPECT_TRUE(panel(1).startsWith(texts::kCheckErrorText)) << panel(1).toStdString();
    EXPECT_EQ(panel(2), texts::kPortNamePrefix + u'1' + texts::kNotConnectedSuffix);
    EXPECT_EQ(verifyLog(), earlierLog); // a verify stopped by its check leaves the log alone
    EXPECT_TRUE(h.shell.opened.isEmpty());
    // The four chunks the board took before it went are in the chip.
    EXPECT_EQ(board->savedImage(), data.left(64) + QByteArray(192, '\xFF'));
    expectIdle();
}

TEST_F(E2eUnplugTest, MidVerifyLogsTheMismatchesSoFarWithTheCommunicationErrorAndOpensTheLog)
{
    // The write is refused at once, so the unplug hits the verify's fourth chunk.
    startBoard(8, unplugAfter(3) + QStringList{QStringLiteral("--write-ack-wrong-at"), QStringLiteral("0")},
               QByteArray(256, '\0'));
    startWindow(kChip256Page16); // the buffer is 0xFF, the chip zeros

    click("Cmd_WRITE_all");

    EXPECT_EQ(panel(1), texts::kTimeOutText + texts::kReadErrorSuffix);
    QStringList lines = verifyLogHead();
    for (int a = 0; a < 48; ++a)
        lines << mismatchLine(a, 0xFF, 0x00);
    lines << texts::kLogLinkErrorLine << texts::kLogEndLine;
    EXPECT_EQ(verifyLog(), logBytes(lines));
    ASSERT_EQ(h.shell.opened.size(), 1);
    EXPECT_EQ(QDir::cleanPath(h.shell.opened.front()), QDir::cleanPath(logPath()));
    expectIdle();
}

TEST_F(E2eUnplugTest, MidVerifyBeforeAnyMismatchLogsOnlyTheFrameAndStillOpensTheLog)
{
    const QByteArray data = pattern(256, 13);
    startBoard(8, unplugAfter(3) + QStringList{QStringLiteral("--write-ack-wrong-at"), QStringLiteral("0")},
               data);
    startWindow(kChip256Page16);
    setBuffer(data);

    click("Cmd_WRITE_all");

    EXPECT_EQ(panel(1), texts::kTimeOutText + texts::kReadErrorSuffix);
    EXPECT_EQ(verifyLog(), logBytes(verifyLogHead() + QStringList{texts::kLogEndLine}));
    EXPECT_EQ(h.shell.opened.size(), 1);
    expectIdle();
}

TEST_F(E2eLockTest, EverythingThatCouldDisturbAReadIsLockedWhileItRuns)
{
    startBoard(8, {}, pattern(256, 14));
    startWindow(kChip256Page8);
    // What could be used at every text the read shows: the connection check's, each progress
    // step, the grid refresh's and the final one.
    QList<QPair<QString, QStringList>> usable;
    onPanelChanged = [&](int p, const QString &text) {
        usable.append({QString::number(p) + u':' + text, unlockedNow()});
    };

    click("Cmd_READ_all");
    onPanelChanged = nullptr;

    ASSERT_GE(usable.size(), 32);
    for (const auto &[when, names] : usable)
        EXPECT_EQ(names, QStringList()) << when.toStdString();
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eLockTest, TheWindowStaysLockedFromTheStartOfTheWriteToTheEndOfTheVerify)
{
    startBoard(8);
    startWindow(kChip256Page16);
    QList<QPair<QString, QStringList>> usable; // at every text the operation shows
    onPanelChanged = [&](int p, const QString &text) {
        usable.append({QString::number(p) + u':' + text, unlockedNow()});
    };

    click("Cmd_WRITE_all");
    onPanelChanged = nullptr;

    bool sawWriteDone = false;
    for (const auto &[when, names] : usable) {
        sawWriteDone = sawWriteDone || when.startsWith(QStringLiteral("1:") + texts::kWriteDoneText);
        EXPECT_EQ(names, QStringList()) << when.toStdString();
    }
    EXPECT_TRUE(sawWriteDone); // the write's own end is among the moments looked at
    EXPECT_TRUE(secondsShown(panel(1), texts::kVerifyDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

// The board answers at the line's pace, as a real one does, and the chip takes 1024 chunks: three
// seconds on the wire. The operation runs on the link's own thread, so the window's close, asked for
// at the first progress text, must come while the transfer is under way however late a loaded
// machine runs the window's thread.
const QStringList kPaced{QStringLiteral("--baud"), QStringLiteral("57600")};
const QByteArray kChip16KiB = "T16K 128Kbit 2 14 16 1 0 e2e";
constexpr size_t kChunks16KiB = 1024;

TEST_F(E2eLockTest, ClosingTheWindowDuringAReadEndsTheReadThenTheProgram)
{
    startBoard(14, kPaced, pattern(1 << 14, 15));
    startWindow(kChip16KiB);
    closeAtFirstProgress();

    click("Cmd_READ_all");
    onPanelChanged = nullptr;

    ASSERT_TRUE(closeAsked);
    EXPECT_TRUE(test::waitUntil("the program's end", [&] { return h.quits == 1; }));
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(main().link().portOpen());
    // The read gave up instead of finishing.
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_LT(transfers[0].fromPc().size(), kChunks16KiB);
}

TEST_F(E2eLockTest, ClosingTheWindowDuringABlockWriteEndsItWithoutAVerifyThenTheProgram)
{
    startBoard(14, kPaced);
    startWindow(kChip16KiB);
    setBuffer(pattern(1 << 14, 16));
    const QByteArray earlierLog = logBytes(verifyLogHead() + QStringList{texts::kLogEndLine});
    h.programDir.writeFile(QStringLiteral("VerifyLog.txt"), earlierLog);
    closeAtFirstProgress();

    click("Cmd_WRITE_all");
    onPanelChanged = nullptr;

    ASSERT_TRUE(closeAsked);
    EXPECT_TRUE(test::waitUntil("the program's end", [&] { return h.quits == 1; }));
    EXPECT_FALSE(main().link().portOpen());
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u); // no read-back
    EXPECT_LT(transfers[0].fromPc().size(), kChunks16KiB);
    EXPECT_EQ(verifyLog(), earlierLog); // nor a log of a verify that never compared
}
