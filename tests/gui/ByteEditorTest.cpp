// The byte editor driven like a user: mouse clicks on the grid, keys typed into the boxes, clicks
// on the bit boxes. The controls raise their own change events, so EditLock is what is tested.

#include "core/text/CodePage932.h"
#include "gui/ByteEditorPanel.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "support/AppHarness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

struct EditorTest : ::testing::Test {
    AppHarness h;
    void SetUp() override
    {
        h.programDir.writeFile("zelko6.ini", QByteArray("Ver 1\r\nT256 256B 2 8 16 0 0 small\r\n"));
        h.start();
        ASSERT_TRUE(h.started);
        h.app->mainWindow()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.app->mainWindow()));
    }
    MainWindow &main() { return *h.app->mainWindow(); }
    HexGridView &grid() { return main().grid(); }
    uint8_t &byte(int address) { return h.app->state().BufData[static_cast<size_t>(address)]; }
    QLineEdit *box(const char *name) { return main().findChild<QLineEdit *>(QLatin1String(name)); }
    QCheckBox *bit(int index)
    {
        for (auto *check : main().findChildren<QCheckBox *>(QStringLiteral("ChkBin")))
            if (check->property("index").toInt() == index)
                return check;
        return nullptr;
    }
    QString bits()
    {
        QString out;
        for (int i = 7; i >= 0; --i)
            out += bit(i)->isChecked() ? u'1' : u'0';
        return out;
    }
    // A mouse click on grid row `row` (1..), column `col` (1..17).
    void click(int row, int col)
    {
        const QModelIndex index = grid().model()->index(row - 1, col - 1);
        grid().scrollTo(index);
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(index).center());
    }
    void replaceText(QLineEdit *edit, const QString &typed)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
    }
    QString cell(int address) { return main().gridModel().byteText(address / 16, address % 16); }
    QString chars(int row) { return main().gridModel().charText(row - 1); }
    QString checkSum() { return main().findChild<QLabel *>(QStringLiteral("LblCheckSUM"))->text(); }
};

} // namespace

TEST_F(EditorTest, ClickingLoadsTheByteIntoEveryView)
{
    byte(0x2F) = 0x9C;
    main().RefreshGrid();
    click(3, 17); // the characters of row 3 select its last byte
    EXPECT_EQ(grid().Col(), 16);
    EXPECT_EQ(main().status().panel(3), QStringLiteral("ADDRESS:47"));
    EXPECT_EQ(bits(), QStringLiteral("10011100"));
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("9C"));
    EXPECT_EQ(box("Text_modify_dec")->text(), QStringLiteral("156"));
    EXPECT_EQ(box("Text_modify_asc")->text(), QStringLiteral("･"));
    EXPECT_EQ(QApplication::focusWidget(), box("Text_modify_hex"));
    EXPECT_EQ(box("Text_modify_hex")->selectedText(), QStringLiteral("9C"));
    EXPECT_EQ(byte(0x2F), 0x9C); // loading writes nothing back
}

TEST_F(EditorTest, HalfWidthKatakanaShowsAsADotWhenSelectedAndAsItselfAfterAnEdit)
{
    byte(5) = 0xB1;
    main().RefreshGrid();
    click(1, 6);
    EXPECT_EQ(box("Text_modify_asc")->text(), QStringLiteral("･"));
    replaceText(box("Text_modify_hex"), QStringLiteral("B1"));
    EXPECT_EQ(byte(5), 0xB1);
    EXPECT_EQ(box("Text_modify_asc")->text(), QStringLiteral("ｱ"));
    EXPECT_EQ(chars(1).at(5), QChar(0xFF71));
}

TEST_F(EditorTest, TheHexBoxTakesOnlyHexDigitsInUpperCase)
{
    click(1, 1);
    QLineEdit *hex = box("Text_modify_hex");
    hex->selectAll();
    QTest::keyClicks(hex, QStringLiteral("a"));
    EXPECT_EQ(hex->text(), QStringLiteral("A"));
    EXPECT_EQ(byte(0), 0x0A);
    QTest::keyClicks(hex, QStringLiteral("g "));
    EXPECT_EQ(hex->text(), QStringLiteral("A"));
    QTest::keyClicks(hex, QStringLiteral("b"));
    EXPECT_EQ(hex->text(), QStringLiteral("AB"));
    EXPECT_EQ(byte(0), 0xAB);
    QTest::keyClick(hex, Qt::Key_Backspace);
    EXPECT_EQ(hex->text(), QStringLiteral("A"));
    EXPECT_EQ(byte(0), 0x0A);
    EXPECT_EQ(box("Text_modify_dec")->text(), QStringLiteral("10"));
    EXPECT_EQ(cell(0), QStringLiteral("0x0A"));
}

TEST_F(EditorTest, TextThatReachesTheHexBoxOtherwiseThanTypedPassesTheSameRules)
{
    click(1, 1);
    byte(0) = 0x5A;
    main().RefreshGrid();
    click(1, 1);
    QLineEdit *hex = box("Text_modify_hex");
    const auto paste = [&](const QString &clipboard) {
        QGuiApplication::clipboard()->setText(clipboard);
        hex->selectAll();
        QTest::keyClick(hex, Qt::Key_V, Qt::ControlModifier);
    };
    for (const char *refused : {"zz", "1g"}) {
        paste(QLatin1String(refused));
        EXPECT_EQ(hex->text(), QStringLiteral("5A")) << refused;
        EXPECT_EQ(byte(0), 0x5A) << refused;
    }
    // A cut would empty the box and store 0x00: refused, by the key and in the box's own menu.
    hex->selectAll();
    QTest::keyClick(hex, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(hex->text(), QStringLiteral("5A"));
    EXPECT_EQ(byte(0), 0x5A);
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QStringList entries;
        for (QAction *action : menu->actions())
            entries << action->objectName();
        EXPECT_EQ(entries, QStringList({"hexCopy", "hexPaste", "hexDelete", "hexSelectAll"}));
        menu->close();
    });
    emit hex->customContextMenuRequested(QPoint(2, 2));

    paste(QStringLiteral("3f"));
    EXPECT_EQ(hex->text(), QStringLiteral("3F"));
    EXPECT_EQ(byte(0), 0x3F);
    EXPECT_EQ(cell(0), QStringLiteral("0x3F"));
}

TEST_F(EditorTest, HexTextsStoreTheirValueAndAnEmptyBoxStoresZero)
{
    click(2, 3); // address 0x12
    replaceText(box("Text_modify_hex"), QStringLiteral("3"));
    EXPECT_EQ(byte(0x12), 0x03);
    EXPECT_EQ(cell(0x12), QStringLiteral("0x03"));
    replaceText(box("Text_modify_hex"), QStringLiteral("3F"));
    EXPECT_EQ(byte(0x12), 0x3F);
    EXPECT_EQ(bits(), QStringLiteral("00111111"));
    box("Text_modify_hex")->selectAll();
    QTest::keyClick(box("Text_modify_hex"), Qt::Key_Backspace);
    EXPECT_EQ(byte(0x12), 0x00);
    EXPECT_EQ(cell(0x12), QStringLiteral("0x00"));
}

TEST_F(EditorTest, TheDecimalBoxClampsAndIgnoresWhatIsNotANumber)
{
    click(1, 2);
    QLineEdit *dec = box("Text_modify_dec");
    replaceText(dec, QStringLiteral("300"));
    EXPECT_EQ(dec->text(), QStringLiteral("255"));
    EXPECT_EQ(byte(1), 0xFF);
    replaceText(dec, QStringLiteral("65"));
    EXPECT_EQ(byte(1), 65);
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("41"));
    EXPECT_EQ(box("Text_modify_asc")->text(), QStringLiteral("A"));
    for (const QString &ignored : {QStringLiteral("-5"), QStringLiteral("x"), QString()}) {
        replaceText(dec, ignored);
        EXPECT_EQ(byte(1), 65) << ignored.toStdString();
        EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("41"));
    }
    replaceText(dec, QStringLiteral("2.5")); // half to even
    EXPECT_EQ(byte(1), 2);
    replaceText(dec, QStringLiteral(" 7"));
    EXPECT_EQ(byte(1), 7);
}

TEST_F(EditorTest, TheCharacterBoxStoresSingleByteCodesOnly)
{
    click(1, 4);
    QLineEdit *asc = box("Text_modify_asc");
    replaceText(asc, QStringLiteral("A"));
    EXPECT_EQ(byte(3), 0x41);
    EXPECT_EQ(box("Text_modify_dec")->text(), QStringLiteral("65"));
    asc->selectAll();
    QTest::keyClick(asc, Qt::Key_Backspace);
    EXPECT_EQ(byte(3), 0x41);
    asc->setText(QStringLiteral("あ")); // no single-byte code
    EXPECT_EQ(byte(3), 0x41);
    asc->setText(QStringLiteral("ｶ"));
    EXPECT_EQ(byte(3), 0xB6);
    click(1, 4);
    EXPECT_EQ(asc->text(), QStringLiteral("･")); // what the buffer holds, by the selection rule
}

TEST_F(EditorTest, BitBoxesRebuildTheByteAndTheChecksumFollows)
{
    byte(16) = 0x00;
    main().RefreshGrid();
    const QString before = checkSum();
    click(2, 1);
    QTest::mouseClick(bit(7), Qt::LeftButton);
    EXPECT_EQ(byte(16), 0x80);
    EXPECT_EQ(chars(2).at(0), QChar(0xFF65));
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("80"));
    bool ok = false;
    EXPECT_EQ(checkSum().mid(9).toInt(&ok, 16) - before.mid(9).toInt(nullptr, 16), 0x80);
    replaceText(box("Text_modify_hex"), QStringLiteral("20"));
    EXPECT_EQ(chars(2).at(0), QChar(u' ')); // a full refresh would show the dot
    main().RefreshGrid();
    EXPECT_EQ(chars(2).at(0), QChar(0xFF65));
}

TEST_F(EditorTest, NothingChangesWhileTheCurrentColumnIsTheCharacters)
{
    click(1, 1);
    grid().setCurrentCell(1, 17);
    const auto before =
        std::vector<uint8_t>(h.app->state().BufData.bytes().begin(), h.app->state().BufData.bytes().end());
    replaceText(box("Text_modify_hex"), QStringLiteral("12"));
    replaceText(box("Text_modify_dec"), QStringLiteral("34"));
    replaceText(box("Text_modify_asc"), QStringLiteral("z"));
    QTest::mouseClick(bit(0), Qt::LeftButton);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), h.app->state().BufData.bytes().begin()));
}

TEST_F(EditorTest, ArrowKeysMoveTheEditorAndKeepTheGridFocused)
{
    byte(1) = 0x5A;
    main().RefreshGrid();
    click(1, 1);
    grid().setFocus();
    QTest::keyClick(&grid(), Qt::Key_Right);
    EXPECT_EQ(grid().Col(), 2);
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("5A"));
    EXPECT_EQ(main().status().panel(3), QStringLiteral("ADDRESS:1"));
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_EQ(main().status().panel(3), QStringLiteral("ADDRESS:17"));
    EXPECT_EQ(box("Text_modify_hex")->text(), QStringLiteral("FF"));
    EXPECT_TRUE(grid().hasFocus());
}
