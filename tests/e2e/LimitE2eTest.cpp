// The two cases that must wait out a real reply limit (10 s each): a board whose identification
// is one character short, and a board that stops in the middle of a Block Read. They show that
// the real waits end on the real clock and leave the window usable.

#include "E2eSupport.h"

#include "support/JapaneseTexts.h"

#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page8 = "T256P8 256B 2 8 8 0 0 e2e";

using E2eLimitTest = E2eTest;

} // namespace

TEST_F(E2eLimitTest, ASeventeenCharacterIdentificationTimesOutTheCheckAndNothingIsSent)
{
    startBoard(8, {QStringLiteral("--id-length"), QStringLiteral("17")}, pattern(256, 31));
    startWindow(kChip256Page8);
    setBuffer(QByteArray(256, '\0'));

    click("Cmd_READ_all");

    EXPECT_EQ(panel(1), texts::kCheckErrorCountOpen + QStringLiteral("17") + texts::kCheckErrorCountClose);
    EXPECT_EQ(panel(2), texts::kPortNamePrefix + u'1' + texts::kNotConnectedSuffix);
    // The countdown in panel 2 went from 9 down to 0, one second at a time.
    QStringList countdown;
    for (const QString &text : panelHistory(2))
        if (text.startsWith(texts::kWaitingPrefix))
            countdown << text.mid(texts::kWaitingPrefix.size());
    EXPECT_EQ(countdown, (QStringList{"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}));
    EXPECT_EQ(allFromPc(board->wire()), QByteArray("??"));
    // The read never started, yet the buffer was erased for it, and the grid shows that.
    EXPECT_EQ(buffer(), QByteArray(256, '\xFF'));
    EXPECT_EQ(cell(0), QStringLiteral("0xFF"));
    expectIdle();
}

TEST_F(E2eLimitTest, ABoardThatStopsMidReadTimesOutAndTheGridShowsWhatArrived)
{
    const QByteArray image = pattern(256, 32);
    startBoard(8, {QStringLiteral("--read-stall-after"), QStringLiteral("16")}, image);
    startWindow(kChip256Page8);
    setBuffer(QByteArray(256, '\0'));

    click("Cmd_READ_all");

    EXPECT_EQ(panel(1), texts::kTimeOutText + texts::kReadErrorSuffix);
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_EQ(transfers[0].fromBoard().size(), 16u);
    EXPECT_EQ(transfers[0].fromPc().size(), 16u);
    // The last progress shown before the wait gave up is half the block.
    QStringList progress;
    for (const QString &text : panelHistory(3))
        if (text.endsWith(u'%'))
            progress << text;
    ASSERT_GE(progress.size(), 16);
    EXPECT_EQ(progress[15], QStringLiteral("50%"));
    EXPECT_EQ(buffer(), image.left(128) + QByteArray(128, '\xFF'));
    EXPECT_EQ(cell(127), byteCell(static_cast<uint8_t>(image[127])));
    EXPECT_EQ(cell(128), QStringLiteral("0xFF"));
    expectIdle();
}
