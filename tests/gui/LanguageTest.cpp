// The window in Japanese or English: the choice in the menu, every window's texts switched at
// once, the choice kept for the next start; the status panels read by a screen reader; panels
// wide enough for what they show; the About window modal over the main window.

#include "gui/AboutWindow.h"
#include "gui/BoardWindow.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "support/AppHarness.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

struct LanguageTest : ::testing::Test {
    AppHarness h;
    void SetUp() override
    {
        h.start();
        ASSERT_TRUE(h.started);
    }
    void TearDown() override
    {
        h.stop();
        useLanguage(Language::Japanese, {}); // the next test starts as a first run does
    }
    MainWindow &main() { return *h.app->mainWindow(); }
    QString button(const char *name) { return main().findChild<QPushButton *>(QLatin1String(name))->text(); }
    QString menuTitle(const char *name) { return main().findChild<QMenu *>(QLatin1String(name))->title(); }
    QString accessibleName(QWidget *widget)
    {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QStringLiteral("(no interface)");
    }
};

} // namespace

TEST_F(LanguageTest, ChoosingEnglishChangesEveryOpenWindowAndIsKeptForTheNextStart)
{
    EXPECT_EQ(button("Cmd_Open"), QStringLiteral("開く"));
    EXPECT_EQ(menuTitle("mnuFile"), QStringLiteral("ファイル(&F)"));
    EXPECT_TRUE(main().action("mnuLanguageJapanese")->isChecked());
    h.app->mnuBoardInfomation_Click(); // the board window is hidden at first; show it
    if (!h.app->boardWindow()->isVisible())
        h.app->mnuBoardInfomation_Click();

    main().action("mnuLanguageEnglish")->trigger();
    QCoreApplication::processEvents(); // the windows hear of the change through the event queue

    EXPECT_EQ(h.settings.stored("Settings", "Language"), QStringLiteral("en"));
    EXPECT_TRUE(main().action("mnuLanguageEnglish")->isChecked());
    EXPECT_EQ(button("Cmd_Open"), QStringLiteral("Open"));
    EXPECT_EQ(button("Cmd_READ_all"), QStringLiteral("Block Read"));
    EXPECT_EQ(menuTitle("mnuFile"), QStringLiteral("&File"));
    EXPECT_EQ(main().action("mnuToolsOptions")->text(), QStringLiteral("Serial P&ort..."));
    EXPECT_EQ(main().findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("Edit byte"));
    EXPECT_EQ(h.app->boardWindow()->windowTitle(), QStringLiteral("Chip orientation"));
    EXPECT_EQ(h.app->aboutWindow()->windowTitle(), QStringLiteral("About ZELKO6"));
    // The texts of what happens next come in the new language.
    main().bufferClearCommand();
    EXPECT_EQ(main().status().panel(1), QStringLiteral("The PC's buffer was cleared."));

    h.stop();
    h.start();
    EXPECT_EQ(button("Cmd_Open"), QStringLiteral("Open"));
    EXPECT_EQ(main().status().panel(1), QStringLiteral("Use firmware version QT-LNK310 V6.50 or later."));
    main().action("mnuLanguageJapanese")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(button("Cmd_Open"), QStringLiteral("開く"));
    EXPECT_EQ(h.settings.stored("Settings", "Language"), QStringLiteral("ja"));
}

TEST_F(LanguageTest, AScreenReaderHearsWhatThePanelsShow)
{
    QAccessible::setActive(true);
    main().bufferClearCommand();
    main().grid().setCurrentCell(3, 5);
    main().report(AddressSelected{36});
    for (const auto panel : {StatusPanel::Message, StatusPanel::Progress, StatusPanel::Remark}) {
        QLabel *label = main().status().label(panel);
        EXPECT_EQ(accessibleName(label), label->text());
        EXPECT_FALSE(label->text().isEmpty());
    }
    EXPECT_EQ(accessibleName(main().status().label(StatusPanel::Message)),
              QStringLiteral("ＰＣのバッファをクリアしました。"));
    EXPECT_EQ(accessibleName(main().status().label(StatusPanel::Progress)), QStringLiteral("ADDRESS:36"));
    QAccessibleInterface *face =
        QAccessible::queryAccessibleInterface(main().status().label(StatusPanel::Port));
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->text(QAccessible::Description), QStringLiteral("Panel 2"));
}

TEST_F(LanguageTest, TheAddressAndThePercentageAreNeverCutOff)
{
    main().show();
    main().resize(980, 640); // as the window starts
    // The longest texts of an operation in the two panels beside them.
    main().report(ChipRefused{ChipRefusal{QString(100, u'X'), ChipRefusal::Problem::Bus, 2, {}}});
    main().report(
        CheckFailed{20, CheckResult::PortUnusable, 0, {OpenFailure::Kind::Busy, QString(80, u'/'), {}}});
    main().report(FirmwareIdentified{20, QStringLiteral("QT-LNK310 V 6.50"), 6.5f});
    for (const QString &text : {QStringLiteral("ADDRESS:131071"), QStringLiteral("100%")}) {
        main().status().setText(StatusPanel::Progress, text);
        QCoreApplication::processEvents();
        QLabel *panel = main().status().label(StatusPanel::Progress);
        EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(text))
            << text.toStdString();
    }
    QLabel *port = main().status().label(StatusPanel::Port);
    EXPECT_GE(port->contentsRect().width(), port->fontMetrics().horizontalAdvance(port->text()))
        << port->text().toStdString();
}

TEST_F(LanguageTest, TheAboutWindowIsModalOverTheMainWindow)
{
    bool checked = false;
    QTimer::singleShot(0, [&] {
        AboutWindow *about = h.app->aboutWindow();
        EXPECT_EQ(about->parentWidget(), &main());
        EXPECT_TRUE(about->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), about);
        checked = true;
        about->accept();
    });
    h.app->mnuHelpAbout_Click();
    EXPECT_TRUE(checked);
}
