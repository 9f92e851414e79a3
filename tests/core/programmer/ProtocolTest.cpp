// The exchanges on the wire with a scripted board, in fake time.

#include "LinkFixture.h"
#include "support/JapaneseTexts.h"

namespace zelko6::test {
namespace {

using ExchangeTest = LinkFixture;

void fillPattern(std::vector<uint8_t> &memory)
{
    for (size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
}

TEST_F(ExchangeTest, OneByteReadAt0123SendsTheSameRecordTwice)
{
    useChip(2, 10, 8);
    board.memory.assign(1024, 0xFF);
    board.memory[0x123] = 0x5A;
    view.selected = 0x123;
    click(OperationKind::ReadByte);

    const std::vector<QByteArray> expected{
        "E", "e2P", "E", "e2R", bytes({1, 0, 1, 0x23}), bytes({1, 0, 1, 0x23}), "@"};
    EXPECT_EQ(expected, transferSends());
    EXPECT_EQ(0x5A, state.BufData[0x123]);
    EXPECT_EQ(std::vector<uint8_t>{0x5A}, view.readBytes);
    EXPECT_EQ(0, board.sendsWhileClosed);
    EXPECT_FALSE(board.isOpen());
    EXPECT_TRUE(panels.panel(1).startsWith(texts::kReadDoneText));
}

TEST_F(ExchangeTest, BlockRecordsCarryTheWholeRange)
{
    useChip(2, 17, 256);
    fillPattern(board.memory);
    click(OperationKind::ReadBlock);
    const auto sent = transferSends();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_EQ(bytes({0x10, 0, 0, 0}), sent[4]);
    EXPECT_EQ(bytes({0x10, 0x01, 0xFF, 0xFF}), sent[5]);
    EXPECT_EQ(8192, board.acksReceived);
    EXPECT_TRUE(std::equal(board.memory.begin(), board.memory.end(), state.BufData.bytes().begin()));

    useChip(3, 7, 4, 2, 6);
    board.sends.clear();
    click(OperationKind::ReadBlock);
    const std::vector<QByteArray> threeWire{
        "E", "e3P", "E", "e3r", bytes({0x10, 6, 0, 0}), bytes({0x10, 6, 0, 0x7F})};
    const auto threeWireSent = transferSends();
    EXPECT_EQ(threeWire, std::vector<QByteArray>(threeWireSent.begin(), threeWireSent.begin() + 6));
}

TEST_F(ExchangeTest, SmallPagesMoveInPageSizedChunksUpToTheLastAddress)
{
    for (int page : {8, 1}) {
        useChip(2, 5, page);
        for (int i = 0; i < 32; ++i)
            state.BufData[i] = static_cast<uint8_t>(0x40 + i);
        board.sends.clear();
        board.dataChunksReceived = 0;
        click(OperationKind::WriteBlockAndVerify);
        EXPECT_EQ(32 / page, board.dataChunksReceived) << page;
        EXPECT_EQ(0x40 + 31, board.memory[31]) << page;
        EXPECT_EQ(QByteArray(1, static_cast<char>(page)), transferSends()[4].left(1));
        // The verify read the same range back in the same chunks and found it equal.
        EXPECT_TRUE(panels.panel(1).startsWith(texts::kVerifyDoneText)) << page;
    }
}

// The opening of each column from the set-up on: what it sends and how long the board gets.
TEST_F(ExchangeTest, OpeningColumnsPauseAsTheBoardNeeds)
{
    useChip(2, 8, 16);
    auto opening = [&](OperationKind operation, const QStringList &expected) {
        trace.clear();
        run(operation);
        QStringList seen;
        for (const QString &t : trace.mid(trace.lastIndexOf(QStringLiteral("send 3f")) + 1))
            if (t != QStringLiteral("idle"))
                seen << t;
        EXPECT_EQ(expected, seen.mid(0, expected.size()));
    };
    const QString setup = QStringLiteral("send 45,pause 10,send 65 32 50,");
    const QString records = QStringLiteral("send 10 00 00 00,pause 10,send 10 00 00 ff,pause 10");
    const QString read =
        setup + QStringLiteral("pause 100,send 45,pause 100,send 65 32 52,pause 10,") + records;
    opening(OperationKind::ReadBlock, read.split(u','));
    opening(
        OperationKind::WriteBlock,
        (setup + QStringLiteral("pause 100,send 45,pause 10,send 65 32 57,pause 10,") + records).split(u','));
    opening(OperationKind::VerifyBlock, read.split(u','));
}

TEST_F(ExchangeTest, LongSetupReplyAndSurplusChunkBytesAreDropped)
{
    useChip(2, 6, 16);
    fillPattern(board.memory);
    board.setupReply = "READY FOR MODE P";
    board.surplus = "\xAA\xBB\xCC";
    click(OperationKind::ReadBlock);
    EXPECT_TRUE(std::equal(board.memory.begin(), board.memory.end(), state.BufData.bytes().begin()));
    EXPECT_EQ(4, board.acksReceived);
}

TEST_F(ExchangeTest, EachWaitTimesOutJustPastItsLimit)
{
    auto timeoutAfter = [&](double since) { return panels.firstTimeOf(1, texts::kTimeOutText) - since; };

    useChip(2, 8, 16);
    board.setupReply.clear();
    click(OperationKind::ReadBlock);
    EXPECT_GT(timeoutAfter(sendTime("e2P")), 30.0);
    EXPECT_LT(timeoutAfter(sendTime("e2P")), 30.1);
    // The set-up's time-out fails the read at its first chunk, though the chunk came.
    EXPECT_EQ(texts::kTimeOutText + texts::kReadErrorSuffix, panels.panel(1));

    // Each stalls after two chunks; the clock runs from the PC's last byte before the silence.
    const struct {
        OperationKind click;
        int *silence;
        QByteArray lastSend;
        double limit;
    } cases[] = {
        {OperationKind::ReadBlock, &board.readChunksBeforeSilence, "@", 10.0},
        {OperationKind::WriteBlockAndVerify, &board.acksBeforeSilence, QByteArray(16, '\xFF'), 30.0},
        {OperationKind::WriteBlockAndVerify, &board.readChunksBeforeSilence, "@", 30.0}, // its verify
    };
    for (const auto &c : cases) {
        board.reset();
        panels.history.clear();
        *c.silence = 2;
        click(c.click);
        const double since = sendTime(c.lastSend, 1);
        EXPECT_GT(timeoutAfter(since), c.limit) << c.limit;
        EXPECT_LT(timeoutAfter(since), c.limit + 0.1) << c.limit;
    }
}

TEST_F(ExchangeTest, WrongAcknowledgementAndLostPortFailAtOnce)
{
    useChip(2, 8, 16);
    board.wrongAckAt = 3;
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_EQ(3, board.dataChunksReceived);
    EXPECT_TRUE(panels.historyOf(1).contains(texts::kWritingText + texts::kWriteErrorSuffix));
    EXPECT_FALSE(panels.historyOf(1).contains(texts::kTimeOutText));
    EXPECT_LT(panels.firstTimeOf(1, texts::kWritingText + texts::kWriteErrorSuffix) -
                  sendTime(QByteArray(16, '\xFF'), 2),
              0.1);

    board.reset();
    panels.history.clear();
    board.chunksBeforeVanishing = 4;
    click(OperationKind::ReadBlock);
    EXPECT_EQ(texts::kTimeOutText + texts::kReadErrorSuffix, panels.panel(1));
    EXPECT_LT(panels.firstTimeOf(1, texts::kTimeOutText) - sendTime("@", 3), 0.1);
    EXPECT_FALSE(board.isOpen());
}

TEST_F(ExchangeTest, BoardThatOnlyIdentifiesCostsSetupAndChunkLimits)
{
    useChip(2, 8, 16);
    board.setupReply.clear();
    board.readChunksBeforeSilence = 0;
    view.selected = 5;
    const double start = pump.now;
    EXPECT_EQ(LinkResult::TimedOut, click(OperationKind::ReadByte).failure);
    EXPECT_EQ(texts::kTimeOutText + texts::kReadErrorSuffix, panels.panel(1));
    EXPECT_GT(pump.now - start, 40.0);
    EXPECT_LT(pump.now - start, 41.0);
}

} // namespace
} // namespace zelko6::test
