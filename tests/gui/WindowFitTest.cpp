// The main window on a 1366x768 laptop screen, measured at the scale the test runs at (CTest runs
// this file at 100 %, 125 % and 150 %): it fits the screen with its status bar, and at 100 % the
// grid shows all its columns without a horizontal scroll bar, in both languages.

#include "core/buffer/GridModel.h"
#include "core/text/CharRules.h"
#include "core/text/CodePage932.h"
#include "core/text/HexText.h"
#include "gui/Fonts.h"
#include "gui/HexGridView.h"
#include "gui/MainWindow.h"
#include "gui/WindowPlacement.h"
#include "messages/Translations.h"
#include "support/AppHarness.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

// The fonts the program uses: its main installs the same substitutions, once.
void useProgramFonts()
{
    [[maybe_unused]] static const bool installed = (installFontSubstitutions(), true);
}

std::string describe(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

struct FitCase {
    const char *language;
    int chip; // in the catalogue below: the smallest (no vertical scroll bar) or the largest
};
void PrintTo(const FitCase &c, std::ostream *os)
{
    *os << c.language << (c.chip ? "/largest" : "/smallest");
}

class WindowFit : public ::testing::TestWithParam<FitCase> {
  protected:
    void SetUp() override
    {
        useProgramFonts();
        h.programDir.writeFile("zelko6.ini", encodeCp932(QStringLiteral("Ver 1\r\n"
                                                                        "T16 16B 2 4 16 0 0 tiny\r\n"
                                                                        "T128K 1Mbit 2 17 256 2 0 big\r\n")));
    }
    void TearDown() override { useLanguage(Language::Japanese, {}); }

    MainWindow &start(const FitCase &c)
    {
        h.store.save("Settings", "Language", c.language);
        h.store.save("Settings", "DUT", QString::number(c.chip));
        h.start();
        MainWindow &main = *h.app->mainWindow();
        QCoreApplication::processEvents(); // the layout settles
        return main;
    }

    AppHarness h;
};

} // namespace

TEST_P(WindowFit, TheWindowAndItsStatusBarStayOnTheScreen)
{
    MainWindow &main = start(GetParam());
    const QRect screen = main.screen()->availableGeometry();
    const QWidget &status = *main.statusBar();
    const QRect statusOnScreen(status.mapToGlobal(QPoint(0, 0)), status.size());

    EXPECT_TRUE(screen.contains(main.frameGeometry()))
        << describe(main.frameGeometry()) << " on " << describe(screen);
    EXPECT_TRUE(status.isVisible());
    EXPECT_TRUE(screen.contains(statusOnScreen)) << describe(statusOnScreen) << " on " << describe(screen);
}

TEST_P(WindowFit, AtFullSizeTheGridShowsEveryColumnWithoutAHorizontalScrollBar)
{
    MainWindow &main = start(GetParam());
    if (main.screen()->devicePixelRatio() != 1.0)
        GTEST_SKIP() << "the grid may scroll sideways on a scaled screen; the window still fits";
    const HexGridView &grid = main.grid();
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    EXPECT_GE(grid.viewport()->width(), grid.horizontalHeader()->length());
    EXPECT_EQ(grid.verticalScrollBar()->isVisible(), GetParam().chip == 1);
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndChips, WindowFit,
                         ::testing::Values(FitCase{"ja", 0}, FitCase{"ja", 1}, FitCase{"en", 0},
                                           FitCase{"en", 1}),
                         [](const ::testing::TestParamInfo<FitCase> &info) {
                             return std::string(info.param.language) +
                                    (info.param.chip ? "Largest" : "Smallest");
                         });

TEST(GridColumns, ALargerFontWidensEveryColumnToItsTexts)
{
    useProgramFonts();
    AppHarness h;
    HexGridView &grid = h.start().mainWindow()->grid();
    const int designedWidth = grid.sizeHint().width();
    QFont large = grid.font();
    large.setPointSize(large.pointSize() * 2);
    grid.setFont(large);
    grid.SetGridLayout();

    const QFontMetrics metrics(large);
    EXPECT_GT(grid.sizeHint().width(), designedWidth);
    EXPECT_GT(grid.verticalHeader()->width(), metrics.horizontalAdvance(QStringLiteral("0x1FFF0")));
    for (int column = 0; column < kBytesPerRow; ++column)
        EXPECT_GT(grid.columnWidth(column), metrics.horizontalAdvance(byteCellText(0xFF))) << column;
    EXPECT_GT(grid.columnWidth(kCharColumn), 16 * metrics.horizontalAdvance(fillRuleChar(0xB1)));
    EXPECT_GE(grid.columnWidth(kCharColumn), 16 * metrics.horizontalAdvance(QChar(u'W')));
}

TEST(WindowPlacementFit, AFrameIsCutToTheAreaAndMovedOnlyAsFarAsItSticksOut)
{
    const QRect area(0, 30, 1000, 700); // a panel above
    struct Case {
        QRect frame;
        QRect fitted;
    } cases[] = {
        {{100, 100, 800, 500}, {100, 100, 800, 500}},   // fits: stays
        {{400, 100, 800, 500}, {200, 100, 800, 500}},   // sticks out on the right
        {{100, 400, 800, 500}, {100, 230, 800, 500}},   // sticks out at the bottom
        {{-50, 0, 800, 500}, {0, 30, 800, 500}},        // off the left and under the panel
        {{100, 100, 1200, 900}, {0, 30, 1000, 700}},    // larger than the area
        {{2000, 2000, 300, 200}, {700, 530, 300, 200}}, // off the area altogether
    };
    for (const Case &c : cases)
        EXPECT_EQ(fitIntoArea(c.frame, area), c.fitted) << describe(c.frame);
}
