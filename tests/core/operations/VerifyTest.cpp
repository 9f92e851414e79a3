// The verify after a block write: the log's lines byte for byte, when it is opened, and that the
// comparison does not depend on the log.

#include "LinkFixture.h"
#include "core/text/CodePage932.h"
#include "support/JapaneseTexts.h"

namespace zelko6::test {
namespace {

class VerifyTest : public LinkFixture {
  protected:
    QString logPath() const { return dir.file(kVerifyLogName); }
    QStringList logLines() const
    {
        const QByteArray raw = dir.readFile(kVerifyLogName);
        EXPECT_TRUE(raw.endsWith("\r\n"));
        QStringList lines = decodeCp932(raw).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }
    const QString header =
        texts::kLogAddressHead + u'\t' + texts::kLogExpectedHead + u'\t' + texts::kLogActualHead;
};

TEST_F(VerifyTest, OneWrongByteIsLoggedAndTheLogOpened)
{
    useChip(2, 8, 16);
    view.accessSize = QStringLiteral("128");
    std::fill(state.BufData.bytes().begin(), state.BufData.bytes().end(), 0x00);
    board.readsWrong[0x7F] = 0xFF;
    click(OperationKind::WriteBlockAndVerify);

    EXPECT_EQ(QStringList({texts::kLogTitle, header, QStringLiteral("0x000007F\t0x00\t0xFF"),
                           QStringLiteral("1") + texts::kLogCountSuffix, texts::kLogEndLine}),
              logLines());
    EXPECT_TRUE(dir.readFile(kVerifyLogName).startsWith(encodeCp932(texts::kLogTitle) + "\r\n"));
    EXPECT_EQ(texts::kVerifyErrorText, panels.panel(1));
    EXPECT_EQ(QStringList{logPath()}, shell.opened);
    EXPECT_EQ(OperationResult::Mismatches, lastOutcome.result); // the link worked; the bytes differ
}

TEST_F(VerifyTest, CleanVerifyLeavesFourLinesUnopened)
{
    useChip(2, 7, 16);
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_EQ(QStringList({texts::kLogTitle, header, QStringLiteral("0") + texts::kLogCountSuffix,
                           texts::kLogEndLine}),
              logLines());
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(VerifyTest, StalledVerifyEndsTheLogAndOpensIt)
{
    useChip(2, 8, 16);
    board.readChunksBeforeSilence = 0;
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_EQ(QStringList({texts::kLogTitle, header, texts::kLogEndLine}), logLines());
    EXPECT_EQ(texts::kTimeOutText + texts::kReadErrorSuffix, panels.panel(1));
    EXPECT_EQ(QStringList{logPath()}, shell.opened);

    // With a mismatch already logged, the communication error is noted instead of a count.
    board.reset();
    shell.opened.clear();
    board.readsWrong[3] = 0x12;
    board.readChunksBeforeSilence = 2;
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_EQ(QStringList({texts::kLogTitle, header, QStringLiteral("0x0000003\t0xFF\t0x12"),
                           texts::kLogLinkErrorLine, texts::kLogEndLine}),
              logLines());
    EXPECT_EQ(QStringList{logPath()}, shell.opened);
}

TEST_F(VerifyTest, UnwritableLogStillCompares)
{
    useChip(2, 8, 16);
    state.AppDir = dir.file(QStringLiteral("no-such-folder/"));
    board.readsWrong[0x10] = 0x00;
    click(OperationKind::WriteBlockAndVerify);
    EXPECT_EQ(texts::kVerifyErrorText, panels.panel(1));
    EXPECT_EQ(16, board.acksReceived);
    EXPECT_EQ(1, shell.opened.size());
    EXPECT_FALSE(QFile::exists(state.AppDir + kVerifyLogName));
}

TEST_F(VerifyTest, EveryByteWrongGivesOneLineEach)
{
    useChip(2, 16, 16);
    std::fill(state.BufData.bytes().begin(), state.BufData.bytes().end(), 0x00);
    EXPECT_EQ(OperationResult::Mismatches, run(OperationKind::VerifyBlock).result);
    const QStringList lines = logLines();
    ASSERT_EQ(2 + 65536 + 2, lines.size());
    EXPECT_EQ(QStringLiteral("0x000FFFF\t0x00\t0xFF"), lines[2 + 65535]);
    EXPECT_EQ(QStringLiteral("65536") + texts::kLogCountSuffix, lines[2 + 65536]);
}

} // namespace
} // namespace zelko6::test
