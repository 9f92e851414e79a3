// The hex grid, its refresh and the clear commands through the real main window.

#include "core/text/CodePage932.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "support/AppHarness.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

struct GridTest : ::testing::Test {
    AppHarness h;
    QStringList panel3;
    void SetUp() override
    {
        h.programDir.writeFile("zelko6.ini", encodeCp932(QStringLiteral("Ver 1\r\n"
                                                                        "T16 16B 2 4 16 0 0 tiny\r\n"
                                                                        "T256 256B 2 8 16 0 0 small\r\n"
                                                                        "T128K 1Mbit 2 17 256 2 0 big\r\n")));
    }
    MainWindow &main() { return *h.app->mainWindow(); }
    HexGridView &grid() { return main().grid(); }
    void choose(int index)
    {
        auto *combo = main().findChild<QComboBox *>(QStringLiteral("Combo_device"));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void recordPanel3()
    {
        QObject::connect(&main().status(), &MainStatusBar::panelChanged, &main(),
                         [this](int panel, const QString &text) {
                             if (panel == 3)
                                 panel3 << text;
                         });
    }
    QString checkSum() { return main().findChild<QLabel *>(QStringLiteral("LblCheckSUM"))->text(); }
};

} // namespace

TEST_F(GridTest, ASixteenByteChipGivesOneRowAndProgressGoesStraightTo100)
{
    h.start();
    recordPanel3();
    main().ClearBuffer();
    EXPECT_EQ(panel3, (QStringList{"100%", "ADDRESS:0"}));
    EXPECT_EQ(main().gridModel().rowCount(), 1);
    EXPECT_EQ(main().gridModel().headerData(0, Qt::Vertical, Qt::DisplayRole).toString(),
              QStringLiteral("0x00000"));
    EXPECT_EQ(h.programDir.readFile("temp.txt").size(), 106);
    EXPECT_EQ(checkSum(), QStringLiteral("CheckSum:0FF0"));
}

TEST_F(GridTest, AClearedBufferShowsFFAndDotsAndTheEditorOnAddressZero)
{
    h.start();
    choose(1);
    GridModel &model = main().gridModel();
    ASSERT_EQ(model.rowCount(), 16);
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int col = 0; col < 16; ++col)
            ASSERT_EQ(model.data(model.index(row, col), Qt::DisplayRole).toString(), QStringLiteral("0xFF"));
        ASSERT_EQ(model.data(model.index(row, 16), Qt::DisplayRole).toString(), QString(16, QChar(0xFF65)));
    }
    EXPECT_EQ(model.headerData(15, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("0x000F0"));
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), 1);
    EXPECT_EQ(main().status().panel(3), QStringLiteral("ADDRESS:0"));
    EXPECT_EQ(checkSum(), QStringLiteral("CheckSum:FF00"));
    EXPECT_EQ(main().findChild<QLineEdit *>(QStringLiteral("Text_modify_hex"))->text(), QStringLiteral("FF"));
}

TEST_F(GridTest, TheLargestChipEndsWithRow1FFF0AndReachesEveryPercent)
{
    h.start();
    recordPanel3();
    choose(2);
    GridModel &model = main().gridModel();
    EXPECT_EQ(model.rowCount(), 8192);
    EXPECT_EQ(model.headerData(8191, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("0x1FFF0"));
    ASSERT_GE(panel3.size(), 100);
    EXPECT_EQ(panel3.first(), QStringLiteral("1%"));
    EXPECT_EQ(panel3.at(panel3.size() - 2), QStringLiteral("100%"));
    EXPECT_EQ(h.programDir.readFile("temp.txt").size(), 868352);
    EXPECT_EQ(checkSum(), QStringLiteral("CheckSum:0000"));
}

TEST_F(GridTest, TheClearCommandsRecreateTheBufferWithoutAsking)
{
    h.start();
    choose(1);
    h.app->state().BufData[10] = 0;
    main().findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(h.app->state().BufData[10], 0xFF);
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ＰＣのバッファをクリアしました。"));
    h.app->state().BufData[11] = 0;
    main().action("mnuBufferClear")->trigger();
    EXPECT_EQ(h.app->state().BufData[11], 0xFF);
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ＰＣのバッファをクリアしました。"));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(GridTest, ADumpThatCannotBeWrittenCostsOnlyTheDump)
{
    h.start();
    QFile::remove(h.programDir.file("temp.txt"));
    ASSERT_TRUE(QDir().mkpath(h.programDir.file("temp.txt"))); // a folder where the dump should go
    choose(1);
    h.app->state().BufData[0] = 0x41;
    main().RefreshGrid();
    EXPECT_EQ(main().gridModel().rowCount(), 16);
    EXPECT_EQ(main().gridModel().charText(0).at(0), QChar(u'A'));
    EXPECT_EQ(main().status().panel(1), QStringLiteral("終了"));
    EXPECT_TRUE(grid().updatesEnabled());
    EXPECT_EQ(checkSum(), QStringLiteral("CheckSum:FE42"));
}

TEST_F(GridTest, TheOutputCommandOpensTheDumpOfTheLastRefresh)
{
    h.start();
    choose(1);
    h.app->state().BufData[0] = 0x41; // not shown until the next refresh
    main().action("mnuOutPutTextFile")->trigger();
    EXPECT_EQ(h.shell.opened.last(), h.programDir.file("temp.txt"));
    EXPECT_EQ(h.programDir.readFile("temp.txt").mid(7, 5), QByteArray("\t0xFF"));
    main().RefreshGrid();
    EXPECT_EQ(h.programDir.readFile("temp.txt").mid(7, 5), QByteArray("\t0x41"));
}
