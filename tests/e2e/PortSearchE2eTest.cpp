// "Find the programmer" in the port window against two simulated boards on two pseudo-terminals:
// one silent, one answering. The window's search runs the real connection check on each present
// port in turn, on its own link thread, and chooses the port that answered as a user would.

#include "E2eSupport.h"

#include "core/programmer/QtSerialLink.h"
#include "gui/PortWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page16 = "T256P16 256B 2 8 16 0 0 e2e";

class E2ePortSearchTest : public E2eTest {
  protected:
    template <typename W> static W *control(QWidget &window, const char *name)
    {
        W *w = window.findChild<W *>(QLatin1String(name));
        EXPECT_NE(nullptr, w) << name;
        return w;
    }
    static QString writerColumn(QWidget &window, int row)
    {
        QTreeWidgetItem *item = control<QTreeWidget>(window, "LstPorts")->topLevelItem(row);
        return item ? item->text(item->columnCount() - 1) : QString();
    }
};

TEST_F(E2ePortSearchTest, FindsTheAnsweringBoardPastASilentOneAndChoosesIt)
{
    // Port 1: a board that says nothing; port 2: ours; the others lead nowhere.
    SimulatedBoard silent(work.path(),
                          {QStringLiteral("--size-exp"), QStringLiteral("8"), QStringLiteral("--silent")});
    ASSERT_TRUE(silent.ready()) << silent.startError().toStdString();
    startBoard(8, {}, {}, 2);
    ASSERT_TRUE(board->ready()) << board->startError().toStdString();
    pointPortAt(1, silent.linkPath());
    for (int n = 3; n <= 20; ++n)
        pointPortAt(n, work.filePath(QStringLiteral("nothing%1").arg(n)));
    startWindow(kChip256Page16);
    ASSERT_EQ(QStringLiteral("0"), h.app->settings().text(keys::ComNo));

    PortWindow window(h.app->portWindowLink(), h.app->settings(), h.boxes, {}, &main());
    window.show();
    auto *find = control<QPushButton>(window, "Cmd_Find");
    QTest::mouseClick(find, Qt::LeftButton);
    // The window stays usable while the silent port is waited out; the controls that would open
    // a port under the search are locked.
    EXPECT_FALSE(find->isEnabled());
    EXPECT_FALSE(control<QComboBox>(window, "Cmb_com")->isEnabled());
    auto *status = control<QLabel>(window, "LabelFind");
    EXPECT_TRUE(test::waitUntil("the search at COM1", [&] {
        return status->text().contains(QStringLiteral("COM1"));
    })) << status->text().toStdString();

    ASSERT_TRUE(test::waitUntil("the end of the search", [&] { return find->isEnabled(); }))
        << status->text().toStdString();
    EXPECT_EQ(QStringLiteral("応答なし"), writerColumn(window, 0));
    EXPECT_EQ(QStringLiteral("QT-LNK310 V 6.50"), writerColumn(window, 1));
    EXPECT_TRUE(writerColumn(window, 2).isEmpty()); // absent: not tried
    EXPECT_TRUE(status->text().contains(QStringLiteral("COM2 : QT-LNK310 V 6.50")))
        << status->text().toStdString();

    // Chosen as the user would: shown, saved, and opened by the window's probe.
    EXPECT_EQ(QStringLiteral("2"), control<QComboBox>(window, "Cmb_com")->currentText());
    EXPECT_EQ(QStringLiteral("1"), h.app->settings().text(keys::ComNo));
    EXPECT_TRUE(h.app->portWindowLink().isOpen());
    EXPECT_TRUE(h.boxes.shown.empty());
    window.close();
    EXPECT_FALSE(h.app->portWindowLink().isOpen());

    // The next operation goes to the board that was found.
    click("Cmd_READ_single");
    EXPECT_EQ(panel(2), QStringLiteral("COM2 : QT-LNK310 V 6.50"));
}

// Closing the window while the search waits on a silent port: the link's end must wait for the
// check that is waiting, not pull the link from under it.
TEST_F(E2ePortSearchTest, ClosingTheWindowEndsASearchUnderWay)
{
    SimulatedBoard silent(work.path(),
                          {QStringLiteral("--size-exp"), QStringLiteral("8"), QStringLiteral("--silent")});
    ASSERT_TRUE(silent.ready()) << silent.startError().toStdString();
    pointPortAt(1, silent.linkPath());
    for (int n = 2; n <= 20; ++n)
        pointPortAt(n, work.filePath(QStringLiteral("nothing%1").arg(n)));
    startWindow(kChip256Page16);

    auto window = std::make_unique<PortWindow>(h.app->portWindowLink(), h.app->settings(), h.boxes,
                                               PortWindowSystem{}, &main());
    window->show();
    QTest::mouseClick(control<QPushButton>(*window, "Cmd_Find"), Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil("a query to the silent board",
                                [&] { return allFromPc(silent.wire()).contains('?'); }));
    window->close();
    window.reset();
    // The search's port is free again: nothing holds the silent board's line after the window.
    QtSerialLink after;
    EXPECT_FALSE(after.open(PortSettings{1, true, false, silent.linkPath()}));
    after.close();
    EXPECT_TRUE(h.boxes.shown.empty());
}

} // namespace
