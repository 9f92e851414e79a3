// Blank check through the main window against the board simulator: the chip is read with the
// bytes a Block Read sends, the answer is in panel 1, and the buffer the user has loaded (and its
// undo history) stays as it was.

#include "E2eSupport.h"

#include "gui/ByteEditorPanel.h"
#include "gui/HexGridView.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip512 = "T512 512B 2 9 16 0 0 e2e";
constexpr int kSize = 512;

struct E2eBlankCheckTest : E2eTest {
    // The blank check, with the lock set recorded at every text it shows.
    void blankCheck()
    {
        usable.clear();
        onPanelChanged = [this](int p, const QString &text) {
            QStringList open = unlockedNow();
            for (const char *name : {"mnuEditUndo", "mnuEditRedo"})
                if (main().action(name)->isEnabled())
                    open << QLatin1String(name);
            usable.append({QString::number(p) + u':' + text, open});
        };
        trigger("mnuBlankCheck");
        onPanelChanged = nullptr;
    }
    QList<QPair<QString, QStringList>> usable;
};

} // namespace

TEST_F(E2eBlankCheckTest, AnErasedChipIsBlankAndTheLoadedBufferStaysAsItWas)
{
    startBoard(9);
    startWindow(kChip512);
    const QByteArray loaded = pattern(kSize, 4);
    setBuffer(loaded);
    main().grid().setCurrentCell(2, 3);
    main().editor().MSFGrid1_Click(true);
    main().editor().hexBox()->selectAll();
    QTest::keyClicks(main().editor().hexBox(), QStringLiteral("5A")); // an edit that can be undone
    const QByteArray edited = buffer();
    const QString sum = checkSumCaption();

    blankCheck();

    EXPECT_TRUE(panel(1).contains(QStringLiteral("512"))) << panel(1).toStdString();
    EXPECT_FALSE(panel(1).contains(QStringLiteral("0x0"))) << "no address named for a blank chip";
    EXPECT_EQ(buffer(), edited);
    EXPECT_EQ(cell(0x12), QStringLiteral("0x5A"));
    EXPECT_EQ(checkSumCaption(), sum);
    ASSERT_GE(usable.size(), 3);
    for (const auto &[when, names] : usable)
        EXPECT_EQ(names, QStringList()) << when.toStdString();
    expectIdle();
    ASSERT_TRUE(main().action("mnuEditUndo")->isEnabled()) << "the history outlives a blank check";
    main().action("mnuEditUndo")->trigger();
    EXPECT_EQ(buffer(), loaded);
}

TEST_F(E2eBlankCheckTest, OneByteAtTheLastAddressIsNamedWithTheCountAndTheWireIsABlockReads)
{
    QByteArray chip(kSize, '\xFF');
    chip[kSize - 1] = '\x00';
    startBoard(9, {}, chip);
    startWindow(kChip512);

    blankCheck();
    const QString answer = panel(1);
    EXPECT_TRUE(answer.contains(QStringLiteral("0x001FF"))) << answer.toStdString();
    EXPECT_TRUE(answer.contains(QStringLiteral("以外: 1 バイト"))) << answer.toStdString();
    EXPECT_EQ(buffer(), QByteArray(kSize, '\xFF')) << "the chip's bytes go nowhere near the buffer";
    expectIdle();

    // A Block Read afterwards sends exactly what the blank check sent.
    click("Cmd_READ_all");
    EXPECT_EQ(buffer(), chip);
    const auto transfers = board->transfers();
    ASSERT_EQ(transfers.size(), 2u);
    EXPECT_EQ(transfers[0].header, transfers[1].header);
    EXPECT_EQ(transfers[0].startRecord, transfers[1].startRecord);
    EXPECT_EQ(transfers[0].endRecord, transfers[1].endRecord);
    EXPECT_EQ(transfers[0].fromPc(), transfers[1].fromPc());
    EXPECT_EQ(transfers[0].fromBoard(), transfers[1].fromBoard());
}
