// The link on a thread of its own, seen from the window: a window thread that stops does not stop
// the transfer, the firmware warning holds the operation until the user has answered it, and the
// lock holds across the thread boundary until the outcome is in.

#include "E2eSupport.h"

#include <QPushButton>
#include <QTest>
#include <QThread>
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
    qsizetype before = -1, after = -1;
    onPanelChanged = [&](int p, const QString &text) {
        if (p != 3 || !text.endsWith(u'%') || before >= 0)
            return;
        // The window's thread does nothing for longer than the rest of the read takes on the wire.
        before = acknowledgements(*board);
        QThread::msleep(400);
        after = acknowledgements(*board);
    };

    click("Cmd_READ_all");
    onPanelChanged = nullptr;

    ASSERT_GE(before, 0);
    EXPECT_LT(before, 32);
    EXPECT_EQ(after, 32) << "the link's thread went on while the window's slept";
    EXPECT_EQ(buffer(), image);
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eThreadTest, TheFirmwareWarningHoldsTheOperationUntilTheUserAnswers)
{
    startBoard(8, {QStringLiteral("--fw-version"), QStringLiteral("5.99")}, pattern(256, 32));
    startWindow(kChip256Page8);
    QByteArray sentWhenShown, sentWhenAnswered;
    QStringList lockedWhileShown;
    h.boxes.whileShown = [&] {
        sentWhenShown = allFromPc(board->wire());
        lockedWhileShown = unlockedNow();
        // The user takes a while; the window's events go on meanwhile.
        QTest::qWait(300);
        sentWhenAnswered = allFromPc(board->wire());
    };

    click("Cmd_READ_all");
    h.boxes.whileShown = nullptr;

    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(sentWhenShown, QByteArray("??")) << "the identification, and nothing after it";
    EXPECT_EQ(sentWhenAnswered, sentWhenShown) << "nothing was sent while the box was open";
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main().operations().isBusy(); }, 10000));
    EXPECT_EQ(board->transfers().size(), 1u);
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}
