// The buffer tools in the real window on a 128 KiB chip, driven through their menu items, dialogs
// and keys: go to an address, find bytes or text, fill a range, undo and redo. What is checked is
// what the user sees (current cell, editor, panels, grid, checksum, dump) and what the buffer holds.

#include "gui/BufferTools.h"
#include "core/buffer/CheckSum.h"
#include "core/files/TextDump.h"
#include "gui/AppState.h"
#include "gui/BufferDialogs.h"
#include "gui/ByteEditorPanel.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "messages/Translations.h"
#include "support/AppHarness.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

constexpr int kSize = 0x20000;

// What the user can see of the buffer at one moment, and the buffer itself.
struct Seen {
    QByteArray bytes;
    QStringList rows; // the grid's row records: cells and characters
    QString checkSum;
    QString hex, dec, asc;
    int row = 0, col = 0;
    bool operator==(const Seen &) const = default;
};

struct BufferToolsTest : ::testing::Test {
    AppHarness h;
    void SetUp() override
    {
        h.programDir.writeFile("zelko6.ini", QByteArray("Ver 1\r\nT1M 1Mbit 2 17 256 2 0 big\r\n"));
        h.start();
        ASSERT_TRUE(h.started);
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
        ASSERT_EQ(state().BufData.size(), size_t{kSize});
    }
    void TearDown() override
    {
        h.stop();
        useLanguage(Language::Japanese, {}); // the next test starts as a first run does
    }
    MainWindow &main() { return *h.app->mainWindow(); }
    AppState &state() { return h.app->state(); }
    HexGridView &grid() { return main().grid(); }
    uint8_t &byte(int address) { return state().BufData[static_cast<size_t>(address)]; }
    QLineEdit *box(const char *name) { return main().findChild<QLineEdit *>(QLatin1String(name)); }
    QString panel(int p) { return main().status().panel(p); }
    QString checkSum() { return main().findChild<QLabel *>(QStringLiteral("LblCheckSUM"))->text(); }
    QString cell(int address) { return main().gridModel().byteText(address / 16, address % 16); }
    QString chars(int address) { return main().gridModel().charText(address / 16); }
    void put(int address, const QByteArray &bytes)
    {
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char *>(state().BufData.data()) + address);
    }
    void click(int address)
    {
        const QModelIndex index = grid().model()->index(address / 16, address % 16);
        grid().scrollTo(index);
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(index).center());
    }
    void typeHex(const QString &digits)
    {
        QLineEdit *hex = box("Text_modify_hex");
        hex->setFocus();
        hex->selectAll();
        QTest::keyClicks(hex, digits);
    }
    template <typename Dialog> Dialog *dialog()
    {
        auto *d = main().findChild<Dialog *>();
        EXPECT_NE(d, nullptr);
        return d;
    }
    // Fills an open dialog's fields as a user types them and presses OK.
    void answer(QDialog *d, const std::vector<std::pair<const char *, QString>> &fields)
    {
        for (const auto &[name, text] : fields) {
            QLineEdit *field = d->findChild<QLineEdit *>(QLatin1String(name));
            field->selectAll();
            QTest::keyClicks(field, text);
        }
        QTest::mouseClick(d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    GoToDialog *goTo(const QString &typed)
    {
        main().action("mnuEditGoTo")->trigger();
        auto *d = dialog<GoToDialog>();
        EXPECT_TRUE(d->isVisible());
        answer(d, {{"goToAddress", typed}});
        return d;
    }
    void find(const QString &typed, bool text, const char *button = "findForward")
    {
        main().action("mnuEditFind")->trigger();
        auto *d = dialog<FindDialog>();
        d->findChild<QRadioButton *>(QLatin1String(text ? "findText" : "findHex"))->setChecked(true);
        QLineEdit *field = d->findChild<QLineEdit *>(QStringLiteral("findValue"));
        field->selectAll();
        field->insert(typed); // as an input method or a paste brings katakana in
        QTest::mouseClick(d->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        EXPECT_FALSE(d->isVisible()) << d->refusal().toStdString();
    }
    void fill(const QString &start, const QString &second, bool byLength, const QString &value)
    {
        main().action("mnuEditFill")->trigger();
        auto *d = dialog<FillDialog>();
        d->findChild<QRadioButton *>(QLatin1String(byLength ? "fillByLength" : "fillByEnd"))
            ->setChecked(true);
        answer(d, {{"fillStart", start}, {"fillEnd", second}, {"fillValue", value}});
        EXPECT_FALSE(d->isVisible()) << d->refusal().toStdString();
    }
    // The cells the grid highlights, as addresses.
    std::vector<int> highlighted()
    {
        std::vector<int> out;
        for (const QModelIndex &index : grid().selectionModel()->selectedIndexes())
            out.push_back(index.row() * 16 + index.column());
        std::sort(out.begin(), out.end());
        return out;
    }
    Seen seen()
    {
        Seen s;
        s.bytes = QByteArray(reinterpret_cast<const char *>(state().BufData.data()), kSize);
        for (int row = 0; row < main().gridModel().rowCount(); ++row)
            s.rows << main().gridModel().rowRecord(row);
        s.checkSum = checkSum();
        s.hex = box("Text_modify_hex")->text();
        s.dec = box("Text_modify_dec")->text();
        s.asc = box("Text_modify_asc")->text();
        s.row = grid().Row();
        s.col = grid().Col();
        return s;
    }
    QAction *undo() { return main().action("mnuEditUndo"); }
    QAction *redo() { return main().action("mnuEditRedo"); }
};

std::vector<int> run(int first, int count)
{
    std::vector<int> out(static_cast<size_t>(count));
    std::iota(out.begin(), out.end(), first);
    return out;
}

} // namespace

TEST_F(BufferToolsTest, GoToReachesTheFirstAMiddleAndTheLastAddressAsAClickDoes)
{
    byte(0x10000) = 0x9C;
    byte(0x1FFFF) = 0x41;
    main().RefreshGrid();
    const std::tuple<const char *, int, const char *> cases[] = {
        {"0x10000", 0x10000, "9C"}, {"1FFFFh", 0x1FFFF, "41"}, {"#0", 0, "FF"}, {"#65536", 0x10000, "9C"}};
    for (const auto &[typed, address, hex] : cases) {
        EXPECT_FALSE(goTo(QLatin1String(typed))->isVisible()) << typed;
        EXPECT_EQ(grid().selectedAddress(), address) << typed;
        EXPECT_EQ(box("Text_modify_hex")->text(), QLatin1String(hex)) << typed;
        EXPECT_EQ(panel(3), QStringLiteral("ADDRESS:%1").arg(address)) << typed;
        EXPECT_EQ(QApplication::focusWidget(), box("Text_modify_hex")) << "as after a click";
        const QRect shown = grid().visualRect(grid().currentIndex());
        EXPECT_TRUE(grid().viewport()->rect().contains(shown)) << typed << ": scrolled into view";
    }
    // Ctrl+G opens the same dialog.
    dialog<GoToDialog>()->hide();
    QTest::keyClick(&main(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(dialog<GoToDialog>()->isVisible());
    dialog<GoToDialog>()->reject();
}

TEST_F(BufferToolsTest, GoToRefusesAnAddressOutsideTheChipOrNotANumberAndStaysOpen)
{
    click(0x25);
    // The refusal names the valid range, or the forms a number takes.
    const std::pair<const char *, const char *> cases[] = {
        {"20000", "0x1FFFF"}, {"#131072", "0x1FFFF"}, {"xyz", "#8000"}, {"", "#8000"}, {"0x", "#8000"}};
    for (const auto &[typed, named] : cases) {
        GoToDialog *d = goTo(QLatin1String(typed));
        EXPECT_TRUE(d->isVisible()) << typed;
        EXPECT_TRUE(d->refusal().contains(QLatin1String(named)))
            << typed << ": " << d->refusal().toStdString();
        EXPECT_EQ(grid().selectedAddress(), 0x25) << typed;
        d->reject();
    }
}

TEST_F(BufferToolsTest, FindMovesForwardAndBackWithWrapAcrossRowsAndThe64KiBBoundary)
{
    const QByteArray deadBeef("\xDE\xAD\xBE\xEF", 4);
    put(0x1E, deadBeef);   // across the rows 0x10 and 0x20
    put(0xFFFE, deadBeef); // across the 64 KiB boundary
    main().RefreshGrid();
    click(0x30);

    find(QStringLiteral("de ad be ef"), false);
    EXPECT_EQ(grid().selectedAddress(), 0xFFFE);
    EXPECT_EQ(highlighted(), run(0xFFFE, 4));
    EXPECT_EQ(panel(3), QStringLiteral("ADDRESS:65534"));
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("DE"));
    EXPECT_TRUE(panel(1).contains(QStringLiteral("0x0FFFE"))) << panel(1).toStdString();

    // Next (Ctrl+F3) goes past the end and round to the start; previous (Ctrl+Shift+F3) back again.
    QTest::keyClick(&main(), Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(grid().selectedAddress(), 0x1E);
    EXPECT_EQ(highlighted(), run(0x1E, 4));
    const QString wrappedText = panel(1);
    EXPECT_TRUE(wrappedText.contains(QStringLiteral("0x0001E")));
    QTest::keyClick(&main(), Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid().selectedAddress(), 0xFFFE);
    QTest::keyClick(&main(), Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid().selectedAddress(), 0x1E);
    EXPECT_NE(panel(1), wrappedText) << "a search that went round says so";

    // The dialog's backward search from inside a match finds the one that starts before it.
    click(0x10000);
    find(QStringLiteral("DEADBEEF"), false, "findBackward");
    EXPECT_EQ(grid().selectedAddress(), 0xFFFE);
    // The same search again moves on instead of staying on the match it is on.
    find(QStringLiteral("DEADBEEF"), false, "findBackward");
    EXPECT_EQ(grid().selectedAddress(), 0x1E);

    // Not there: the current cell stays and panel 1 says so.
    find(QStringLiteral("DE AD BE EE"), false);
    EXPECT_EQ(grid().selectedAddress(), 0x1E);
    EXPECT_FALSE(panel(1).contains(QStringLiteral("0x")));
    EXPECT_FALSE(panel(1).isEmpty());
}

TEST_F(BufferToolsTest, FindTextInCodePage932IncludingHalfWidthKatakana)
{
    put(0x1FFF0, QByteArray("\xB6\xB2\xBC\xDE\xAE", 5)); // ｶｲｼﾞｮ, to the last row
    put(0x40, QByteArray("Serial", 6));
    main().RefreshGrid();
    click(0x100);
    find(QStringLiteral("ｶｲｼﾞｮ"), true);
    EXPECT_EQ(grid().selectedAddress(), 0x1FFF0);
    EXPECT_EQ(highlighted(), run(0x1FFF0, 5));
    find(QStringLiteral("Serial"), true);
    EXPECT_EQ(grid().selectedAddress(), 0x40);

    // A text with a character the code page lacks is refused in the dialog.
    main().action("mnuEditFind")->trigger();
    auto *d = dialog<FindDialog>();
    d->findChild<QRadioButton *>(QStringLiteral("findText"))->setChecked(true);
    d->findChild<QLineEdit *>(QStringLiteral("findValue"))->setText(QStringLiteral("\U0001F600"));
    QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("findForward")), Qt::LeftButton);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->refusal().isEmpty());
    d->reject();
}

TEST_F(BufferToolsTest, FillWithAValueAndWithAPatternThatDoesNotDivideTheRange)
{
    click(0x12);
    fill(QStringLiteral("10"), QStringLiteral("1F"), false, QStringLiteral("20"));
    for (int a = 0x10; a <= 0x1F; ++a)
        ASSERT_EQ(byte(a), 0x20) << a;
    EXPECT_EQ(byte(0x0F), 0xFF);
    EXPECT_EQ(byte(0x20), 0xFF);
    EXPECT_EQ(chars(0x10), QString(16, u' ')) << "characters by the edit rule, a space as itself";
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("20")) << "the editor shows the new byte";
    EXPECT_TRUE(panel(1).contains(QStringLiteral("0x00010")));

    // Three bytes over 0x0FFF8 + 20 bytes: across the 64 KiB boundary, ending part way.
    fill(QStringLiteral("0FFF8"), QStringLiteral("#20"), true, QStringLiteral("41 42 43"));
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(byte(0xFFF8 + i), "ABC"[i % 3]) << i;
    EXPECT_EQ(byte(0xFFF8 + 20), 0xFF);
    EXPECT_EQ(cell(0x1000B), QStringLiteral("0x42"));
    EXPECT_EQ(chars(0x10000), QStringLiteral("CABCABCABCAB････"));

    AppState copy;
    copy.BufData = state().BufData;
    EXPECT_EQ(checkSum(), CalcCheckSum(copy));
    QFile dump(state().pathInWriteDir(QStringLiteral("temp.txt")));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_EQ(dump.readAll(), buildTextDump(state().BufData.bytes())) << "the dump follows a fill";

    // The dialog refuses a range past the end or a pattern longer than 16 bytes.
    main().action("mnuEditFill")->trigger();
    auto *d = dialog<FillDialog>();
    d->findChild<QRadioButton *>(QStringLiteral("fillByEnd"))->setChecked(true);
    answer(d, {{"fillStart", "1FFF0"}, {"fillEnd", "20000"}, {"fillValue", "00"}});
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->refusal().contains(QStringLiteral("0x1FFFF")));
    answer(d, {{"fillStart", "0"}, {"fillEnd", "F"}, {"fillValue", QStringLiteral("00 ").repeated(17)}});
    EXPECT_TRUE(d->isVisible());
    d->reject();
}

TEST_F(BufferToolsTest, UndoAndRedoOfEditsAndFillsRestoreEverythingShown)
{
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
    std::vector<Seen> steps{seen()};
    click(0x15);
    steps.front() = seen();        // the click changes the editor, not the buffer
    typeHex(QStringLiteral("3f")); // two digits, one step
    steps.push_back(seen());
    click(0x16);
    typeHex(QStringLiteral("20"));
    steps.push_back(seen());
    fill(QStringLiteral("0"), QStringLiteral("1FFFF"), false, QStringLiteral("12 34 56"));
    steps.push_back(seen());
    fill(QStringLiteral("8"), QStringLiteral("#9"), true, QStringLiteral("00"));
    steps.push_back(seen());
    EXPECT_TRUE(undo()->isEnabled());

    // Ctrl+Z from the hex box reaches the buffer's history, not the box's own.
    QTest::keyClick(box("Text_modify_hex"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(seen(), steps[3]);
    undo()->trigger();
    EXPECT_EQ(seen(), steps[2]);
    undo()->trigger(); // the edit of 0x16: its cell is current again
    EXPECT_EQ(seen().bytes, steps[1].bytes);
    EXPECT_EQ(seen().rows, steps[1].rows);
    EXPECT_EQ(seen().checkSum, steps[1].checkSum);
    EXPECT_EQ(grid().selectedAddress(), 0x16);
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("FF"));
    undo()->trigger();
    EXPECT_EQ(seen().bytes, steps[0].bytes);
    EXPECT_EQ(seen().rows, steps[0].rows) << "the rows' characters back to how a refresh shows them";
    EXPECT_EQ(seen().checkSum, steps[0].checkSum);
    EXPECT_FALSE(undo()->isEnabled());

    QTest::keyClick(&main(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(seen(), steps[1]);
    for (size_t i = 2; i < steps.size(); ++i) {
        redo()->trigger();
        EXPECT_EQ(seen().bytes, steps[i].bytes) << i;
        EXPECT_EQ(seen().rows, steps[i].rows) << i;
        EXPECT_EQ(seen().checkSum, steps[i].checkSum) << i;
    }
    EXPECT_FALSE(redo()->isEnabled());
    // The whole-buffer fill keeps its overwritten bytes once, not a copy per view.
    EXPECT_LE(main().bufferTools().historyBytes(), size_t{kSize} + 4096);
}

TEST_F(BufferToolsTest, ABytesTypedBackToWhatItWasLeavesNothingToUndo)
{
    click(0x40);
    typeHex(QStringLiteral("12"));
    EXPECT_TRUE(undo()->isEnabled());
    typeHex(QStringLiteral("FF"));
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(byte(0x40), 0xFF);
}

TEST_F(BufferToolsTest, ClearingOrChangingTheBufferAnewEmptiesTheHistory)
{
    click(0x40);
    typeHex(QStringLiteral("12"));
    fill(QStringLiteral("100"), QStringLiteral("1FF"), false, QStringLiteral("00"));
    undo()->trigger();
    ASSERT_TRUE(undo()->isEnabled());
    ASSERT_TRUE(redo()->isEnabled());
    main().findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
    EXPECT_EQ(byte(0x40), 0xFF);
    EXPECT_TRUE(undo()->statusTip().contains(QStringLiteral("クリア"))) << "the menu says what empties it";
}

TEST_F(BufferToolsTest, EveryControlOfTheDialogsHasANameAScreenReaderSaysInEitherLanguage)
{
    QAccessible::setActive(true);
    const auto unnamed = [](QDialog *d) {
        QStringList out;
        for (QWidget *control : d->findChildren<QWidget *>()) {
            if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QAbstractButton *>(control))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            if (!face || face->text(QAccessible::Name).isEmpty())
                out << control->objectName() + u'/' + QLatin1String(control->metaObject()->className());
        }
        return out;
    };
    for (const char *item : {"mnuEditGoTo", "mnuEditFind", "mnuEditFill"}) {
        main().action(item)->trigger();
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr) << item;
        EXPECT_EQ(unnamed(d), QStringList()) << item;
        d->reject();
    }

    main().action("mnuLanguageEnglish")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(main().action("mnuEditGoTo")->text(), QStringLiteral("&Go to Address..."));
    EXPECT_EQ(dialog<FillDialog>()->windowTitle(), QStringLiteral("Fill Range"));
    auto *end = dialog<FillDialog>()->findChild<QLineEdit *>(QStringLiteral("fillEnd"));
    dialog<FillDialog>()->findChild<QRadioButton *>(QStringLiteral("fillByLength"))->setChecked(true);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(end)->text(QAccessible::Name), QStringLiteral("Length"));
    find(QStringLiteral("01 02 03 04"), false);
    EXPECT_EQ(panel(1), QStringLiteral("Not found."));
}
