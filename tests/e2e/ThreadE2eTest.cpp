// The link on a thread of its own, seen from the window: a window thread that stops does not stop
// the transfer, the firmware warning holds the operation until the user has answered it, and the
// lock holds across the thread boundary until the outcome is in.

#include "E2eSupport.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page8 = "T256P8 256B 2 8 8 0 0 e2e";
const QStringList kPaced{QStringLiteral("--baud"), QStringLiteral("57600")};

using E2eThreadTest = E2eTest;

// The "@" the PC has sent so far: one per chunk read.
qsizetype acknowledgements(const SimulatedBoard &board)
{
    return allFromPc(board.wire()).count('@');
}

} // namespace

TEST_F(E2eThreadTest, AWindowThreadThatStopsDoesNotStopTheTransfer)
{
    const QByteArray image = pattern(256, 31);
    startBoard(8, kPaced, image);
    startWindow(kChip256Page8);
    const size_t textsBefore = history().size();
    QTest::mouseClick(main().findChild<QPushButton *>(QStringLiteral("Cmd_READ_all")), Qt::LeftButton);
    // From the click on, the window's thread does nothing until the board has the last chunk's "@":
    // the connection check and the whole read run on the link's thread alone.
    EXPECT_TRUE(test::waitUntil(
        "the whole read while the window's thread stands still",
        [&] { return acknowledgements(*board) == 32; }, test::kGenerousWait, test::WhileWaiting::Hold));
    EXPECT_EQ(history().size(), textsBefore) << "the read's texts wait for the window's thread";
    ASSERT_TRUE(test::waitUntil("the read's outcome", [&] { return !main().operations().isBusy(); }));
    EXPECT_EQ(buffer(), image);
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eThreadTest, TheFirmwareWarningHoldsTheOperationUntilTheUserAnswers)
{
    startBoard(8, {QStringLiteral("--fw-version"), QStringLiteral("5.99")}, pattern(256, 32));
    startWindow(kChip256Page8);
    QByteArray sentWhenShown;
    QStringList lockedWhileShown;
    testing::AssertionResult quietWhileShown = testing::AssertionFailure() << "no box shown";
    h.boxes.whileShown = [&] {
        sentWhenShown = allFromPc(board->wire());
        lockedWhileShown = unlockedNow();
        // The user takes a while; the window's events go on meanwhile.
        quietWhileShown = test::staysFalse("a byte sent while the box is open",
                                           [&] { return allFromPc(board->wire()) != sentWhenShown; });
    };

    click("Cmd_READ_all");
    h.boxes.whileShown = nullptr;

    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(sentWhenShown, QByteArray("??")) << "the identification, and nothing after it";
    EXPECT_TRUE(quietWhileShown);
    EXPECT_EQ(lockedWhileShown, QStringList()) << "the window stays locked while the box is open";
    EXPECT_EQ(board->transfers().size(), 1u) << "after the answer the read went on";
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eThreadTest, TheLockHoldsUntilTheOutcomeIsInAndNoLonger)
{
    startBoard(8, kPaced, pattern(256, 33));
    startWindow(kChip256Page8);
    auto *button = main().findChild<QPushButton *>(QStringLiteral("Cmd_READ_all"));
    QTest::mouseClick(button, Qt::LeftButton);
    // The click returns at once: the read is on the link's thread and the window is locked.
    EXPECT_TRUE(main().operations().isBusy());
    EXPECT_EQ(unlockedNow(), QStringList());
    // A second click on a locked button starts nothing.
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil("the read's outcome", [&] { return !main().operations().isBusy(); }));
    EXPECT_EQ(board->transfers().size(), 1u);
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}
