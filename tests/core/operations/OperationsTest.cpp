// The four transfer buttons end to end against the scripted board: progress, final texts, the
// buffer, the window lock, and the failure table rows of read and write.

#include "LinkFixture.h"
#include "messages/StatusTexts.h"
#include "support/JapaneseTexts.h"

#include <cmath>

namespace zelko6::test {
namespace {

using OperationsTest = LinkFixture;

TEST_F(OperationsTest, BlockReadShowsProgressAndTheChip)
{
    useChip(2, 8, 8);
    for (size_t i = 0; i < 256; ++i)
        board.memory[i] = static_cast<uint8_t>(255 - i);
    const double clickedAt = pump.now;
    click(OperationKind::ReadBlock);

    EXPECT_EQ(32, board.acksReceived);
    QStringList expected; // each chunk moves 100 × 8 / 256 = 3.125 percent; ties go to even
    for (int k = 1, last = 0; k <= 32; ++k)
        if (const int v = static_cast<int>(std::nearbyint(k * 3.125)); v != last)
            expected << QString::number(last = v) + u'%';
    EXPECT_EQ(expected, panels.historyOf(3));
    EXPECT_EQ(QStringLiteral("3%"), panels.historyOf(3).front());

    EXPECT_EQ(board.memory, view.shownBuffer);
    EXPECT_EQ(1, view.refreshes);
    // The time shown spans every prescribed pause of the check and the opening, and no more than the click.
    EXPECT_EQ(490, tracedPausesMs());
    EXPECT_GE(elapsed(), 0.490);
    EXPECT_LE(elapsed(), pump.now - clickedAt);
    EXPECT_EQ(texts::kReadDoneText + StatusTexts::tenths(elapsed()) + texts::kSecondsSuffix, panels.panel(1));
    EXPECT_EQ((std::vector<bool>{true, false}), view.locks);
    EXPECT_FALSE(board.isOpen());
}

TEST_F(OperationsTest, BlockReadFillsOnlyTheAccessSize)
{
    useChip(2, 9, 16);
    std::fill(board.memory.begin(), board.memory.end(), 0x11);
    view.accessSize = QStringLiteral("128");
    click(OperationKind::ReadBlock);
    EXPECT_EQ(128, std::count(view.shownBuffer.begin(), view.shownBuffer.end(), 0x11));
    EXPECT_EQ(512 - 128, std::count(view.shownBuffer.begin() + 128, view.shownBuffer.end(), 0xFF));
}

TEST_F(OperationsTest, FailedBlockReadsShowTheBufferAsItIs)
{
    useChip(2, 8, 8);
    std::fill(board.memory.begin(), board.memory.end(), 0x22);
    board.readChunksBeforeSilence = 16;
    click(OperationKind::ReadBlock);
    EXPECT_EQ(texts::kTimeOutText + texts::kReadErrorSuffix, panels.panel(1));
    EXPECT_EQ(QStringLiteral("50%"), panels.panel(3));
    ASSERT_EQ(256u, view.shownBuffer.size());
    EXPECT_EQ(128, std::count(view.shownBuffer.begin(), view.shownBuffer.begin() + 128, 0x22));
    EXPECT_EQ(128, std::count(view.shownBuffer.begin() + 128, view.shownBuffer.end(), 0xFF));
    EXPECT_EQ((std::vector<bool>{true, false}), view.locks);
    EXPECT_FALSE(board.isOpen());

    // Stopped by the connection check: nothing but the queries went out, the grid shows 0xFF.
    board.reset();
    board.identification.clear();
    state.BufData[3] = 0x00;
    click(OperationKind::ReadBlock);
    EXPECT_EQ(QByteArray("??"), board.wire());
    EXPECT_EQ(256, std::count(view.shownBuffer.begin(), view.shownBuffer.end(), 0xFF));
}

TEST_F(OperationsTest, ByteReadAndByteWriteMoveTheSelectedByte)
{
    useChip(2, 8, 16);
    board.memory[0x24] = 0x0A;
    view.selected = 0x24;
    click(OperationKind::ReadByte);
    EXPECT_EQ(std::vector<uint8_t>{0x0A}, view.readBytes);
    EXPECT_EQ(0x0A, state.BufData[0x24]);
    EXPECT_EQ(0, view.refreshes);

    board.reset();
    state.BufData[0] = 0x5C;
    view.selected = 0;
    click(OperationKind::WriteByte);
    const std::vector<QByteArray> expected{
        "E", "e2P", "E", "e2W", bytes({1, 0, 0, 0}), bytes({1, 0, 0, 0}), bytes({0x5C})};
    EXPECT_EQ(expected, transferSends());
    EXPECT_EQ(0x5C, board.memory[0]);
    EXPECT_EQ(texts::kWriteDoneText + QString::number(std::floor(elapsed())) + texts::kSecondsSuffix,
              panels.panel(1));
}

TEST_F(OperationsTest, BlockWriteStaysLockedThroughItsVerify)
{
    useChip(2, 8, 16);
    for (size_t i = 0; i < 256; ++i)
        state.BufData[i] = static_cast<uint8_t>(i ^ 0x5A);
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_EQ(16, board.dataChunksReceived);
    EXPECT_TRUE(std::equal(board.memory.begin(), board.memory.end(), state.BufData.bytes().begin()));
    EXPECT_EQ((std::vector<bool>{true, false}), view.locks);
    EXPECT_GE(view.unlockedAt, board.sendTimes.back()); // not before the verify's last byte
    const auto *written =
        view.last<TransferFinished>([](const auto &f) { return f.phase == TransferPhase::Write; });
    ASSERT_TRUE(written);
    EXPECT_EQ(400 + 490, tracedPausesMs()); // the write's prescribed pauses, then the verify's
    EXPECT_GE(written->seconds, 0.400);
    EXPECT_GE(elapsed(), 0.490);
    EXPECT_EQ(texts::kVerifyDoneText + StatusTexts::tenths(written->seconds + elapsed()) +
                  texts::kSecondsSuffix,
              panels.panel(1));
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_FALSE(board.isOpen());
}

TEST_F(OperationsTest, FailedWritesKeepTheLastWriteTimeAndStillVerify)
{
    useChip(2, 8, 16);
    view.selected = 0;
    const double lastWrite = click(OperationKind::WriteByte).seconds;
    ASSERT_GT(lastWrite, 0.0);
    board.reset();
    board.acksBeforeSilence = 4;
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_TRUE(panels.historyOf(1).contains(texts::kTimeOutText + texts::kWriteErrorSuffix));
    EXPECT_TRUE(transferSends().back() == "@"); // the verify read the chip back
    // The failed write keeps the earlier write's time, and the clean verify adds its own to it.
    EXPECT_EQ(texts::kVerifyDoneText + StatusTexts::tenths(lastWrite + elapsed()) + texts::kSecondsSuffix,
              panels.panel(1));

    board.reset();
    board.wrongAckAt = 0;
    view.selected = 1;
    EXPECT_EQ(LinkResult::WrongReply, click(OperationKind::WriteByte).failure);
    EXPECT_EQ(texts::kWriteErrorSuffix, panels.panel(1));
}

TEST_F(OperationsTest, AVerifyOfItsOwnSaysSoAndAddsNoEarlierWritesTime)
{
    useChip(2, 8, 16);
    view.selected = 0;
    ASSERT_GT(click(OperationKind::WriteByte).seconds, 0.0);
    std::copy(board.memory.begin(), board.memory.end(), state.BufData.bytes().begin());
    board.reset();
    click(OperationKind::VerifyBlock);
    EXPECT_EQ(texts::kVerifyAloneDoneText + StatusTexts::tenths(elapsed()) + texts::kSecondsSuffix,
              panels.panel(1));

    // A block write and then a verify, as the command line runs them: the write's time counts.
    board.reset();
    const double written = click(OperationKind::WriteBlock).seconds;
    EXPECT_GE(written, 0.400); // every pause the write prescribes is in its time
    board.reset();
    click(OperationKind::VerifyBlock);
    EXPECT_EQ(texts::kVerifyDoneText + StatusTexts::tenths(written + elapsed()) + texts::kSecondsSuffix,
              panels.panel(1));
}

TEST_F(OperationsTest, ClosingTheWindowAbortsTheWaitAtOnce)
{
    useChip(2, 8, 16);
    board.readChunksBeforeSilence = 2;
    bool busyDuringWait = false;
    pump.onIdle = [&] {
        if (board.acksReceived < 2)
            return;
        busyDuringWait = runner.isBusy();
        runner.abort();
    };
    click(OperationKind::ReadBlock);
    EXPECT_TRUE(busyDuringWait);
    EXPECT_FALSE(runner.isBusy());
    EXPECT_EQ(texts::kTimeOutText + texts::kReadErrorSuffix, panels.panel(1));
    EXPECT_LT(pump.now - sendTime("@", 1), 1.0);
    EXPECT_FALSE(board.isOpen());
}

TEST_F(OperationsTest, ImpossibleTransfersAreRefusedBeforeAnythingIsSent)
{
    useChip(2, 8, 16);
    view.accessSize = QStringLiteral("1024");
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_TRUE(board.sends.empty());
    EXPECT_FALSE(board.openedWith);
    EXPECT_EQ(texts::kRefusedAccessSize, panels.panel(1));

    useChip(2, 8, 0);
    click(OperationKind::ReadBlock);
    EXPECT_TRUE(board.sends.empty());
    EXPECT_EQ(texts::kRefusedPageSize, panels.panel(1));
    EXPECT_EQ((std::vector<bool>{true, false, true, false}), view.locks);
}

} // namespace
} // namespace zelko6::test
