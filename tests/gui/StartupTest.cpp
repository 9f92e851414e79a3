// Start-up, shutdown and the small windows, through the real windows on the offscreen platform.

#include "gui/AboutWindow.h"
#include "gui/BoardWindow.h"
#include "gui/DuringOperations.h"
#include "gui/GuardedApplication.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "gui/SplashWindow.h"
#include "gui/StepReport.h"
#include "support/AppHarness.h"
#include "support/Waiting.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace zelko6;
using zelko6::test::AppHarness;
using zelko6::test::ScopedEnvironment;

namespace {

QString text(const QWidget *window, const char *name)
{
    const auto *label = window->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// At the offscreen platform's 96 dpi, 15 twips make a pixel.
QPoint pixels(int leftTwips, int topTwips)
{
    return {qRound(leftTwips / 15.0), qRound(topTwips / 15.0)};
}

class ThrowingShell final : public Shell {
  public:
    void open(const QString &) override { throw std::runtime_error("no shell"); }
};

class FailingWidget final : public QWidget {
  protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("handler failed");
        return QWidget::event(e);
    }
};

// Something the user can work with in the main window itself: not Qt's own parts, nor the
// dialogs' (windows of their own, modal, opened only through commands that are locked).
bool isControlOfTheWindow(const QObject &object, const QWidget &window)
{
    if (object.objectName().startsWith(QLatin1String("qt_")))
        return false; // the menu bar's button for menus that do not fit
    for (const QObject *o = &object; o != &window; o = o->parent())
        if (!o || o->inherits("QDialog"))
            return false;
    if (const auto *item = qobject_cast<const QAction *>(&object))
        // A menu's own item only opens it; one never shown cannot be used.
        return !item->isSeparator() && !item->menu() && item->isVisible();
    for (const char *kind : {"QAbstractButton", "QComboBox", "QLineEdit", "QAbstractScrollArea",
                             "QAbstractSpinBox", "QAbstractSlider"})
        if (object.inherits(kind))
            return true;
    return false;
}

} // namespace

TEST(Startup, WithoutCatalogueShowsTheMessageAndEndsBeforeAnyMainWindow)
{
    AppHarness h;
    QFile::remove(h.programDir.file(QStringLiteral("zelko6.ini")));
    h.start();

    EXPECT_FALSE(h.started);
    EXPECT_EQ(h.app->mainWindow(), nullptr);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    const auto &box = h.boxes.shown.front();
    EXPECT_EQ(box.icon, BoxIcon::Error);
    EXPECT_EQ(box.buttons, BoxButtons::Ok);
    EXPECT_EQ(box.title, QStringLiteral("シリアルＥＥＰＲＯＭプログラマー メッセージ"));
    EXPECT_EQ(box.text, h.programDir.appDir() +
                            QStringLiteral("内に zelko6.iniファイルがありませんので         \r\n"
                                           "シリアルＥＥＰＲＯＭプログラマーの起動を中止しました。"));
    EXPECT_FALSE(h.settings.has(QStringLiteral("Settings"), QStringLiteral("DUT")));
}

TEST(Startup, ASecondInstanceEndsSilently)
{
    AppHarness h;
    QLockFile running(h.lockDir.path() + "/zelko6.lock");
    ASSERT_TRUE(running.tryLock(0));
    h.start();

    EXPECT_FALSE(h.started);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.app->mainWindow(), nullptr);
}

TEST(Startup, FirstRunOpensAtDefaultsWithTheFirstChipAndTheBoardWindow)
{
    AppHarness h;
    Application &app = h.start();
    ASSERT_TRUE(h.started);
    MainWindow *main = app.mainWindow();
    ASSERT_NE(main, nullptr);

    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->pos(), pixels(1000, 1000));
    EXPECT_EQ(main->windowTitle(),
              QStringLiteral("Serial EEPROM Programmer Ver 6.5.8    zelko6.ini Ver 2.03  2026/12/01"));
    EXPECT_EQ(main->status().panel(1),
              QStringLiteral("ﾌｧｰﾑｳｴｱﾊﾞｰｼﾞｮﾝ QT-LNK310 V6.50 以降を使用してください。"));
    EXPECT_EQ(main->findChild<QComboBox *>(QStringLiteral("Combo_device"))->currentIndex(), 0);
    const auto *sizes = main->findChild<QComboBox *>(QStringLiteral("CmbSize"));
    EXPECT_EQ(sizes->currentText(), QStringLiteral("128")); // the largest offered for the first chip
    EXPECT_FALSE(main->findChild<QComboBox *>(QStringLiteral("DataCombo1"))->isVisible());

    ASSERT_NE(app.boardWindow(), nullptr);
    EXPECT_TRUE(app.boardWindow()->isVisible());
    EXPECT_TRUE(main->action("mnuBoardInfomation")->isChecked());
    EXPECT_EQ(app.boardWindow()->pos(), pixels(1000, 1000));
    EXPECT_FALSE(app.splashWindow()->isVisible());
}

TEST(Startup, PositionsComeBackAfterCloseAndAMinimizedCloseKeepsThem)
{
    AppHarness h;
    h.start().mainWindow()->move(200, 90); // where the whole window fits on the screen
    h.app->mainWindow()->close();
    EXPECT_EQ(h.quits, 1);
    EXPECT_EQ(h.settings.stored("Settings", "MainLeft"), QStringLiteral("3000"));
    EXPECT_EQ(h.settings.stored("Settings", "MainTop"), QStringLiteral("1350"));
    EXPECT_EQ(h.settings.stored("Settings", "MainLeft_Board"), QStringLiteral("1000"));
    h.stop();

    MainWindow *main = h.start().mainWindow();
    EXPECT_EQ(main->pos(), QPoint(200, 90));
    main->showMinimized();
    main->move(300, 300);
    main->close();
    EXPECT_EQ(h.settings.stored("Settings", "MainLeft"), QStringLiteral("3000"));
    EXPECT_EQ(h.settings.stored("Settings", "MainTop"), QStringLiteral("1350"));
}

TEST(Startup, UnmovedWindowsSaveTheirStoredTwipsWithoutRoundingDrift)
{
    AppHarness h;
    h.store.save("Settings", "MainLeft", "1234.5");
    h.store.save("Settings", "MainTop_Board", "777");
    h.start().mainWindow()->close();
    EXPECT_EQ(h.settings.stored("Settings", "MainLeft"), QStringLiteral("1234.5"));
    EXPECT_EQ(h.settings.stored("Settings", "MainTop_Board"), QStringLiteral("777"));
}

TEST(Startup, BrokenOrOffScreenPositionsStillShowTheWindow)
{
    AppHarness h;
    h.store.save("Settings", "MainLeft", "left");
    h.store.save("Settings", "MainTop", "1200");
    EXPECT_EQ(h.start().mainWindow()->pos(), pixels(1000, 1200));
    h.stop();

    h.store.save("Settings", "MainLeft", "900000");
    h.store.save("Settings", "MainTop", "-900000");
    MainWindow *main = h.start().mainWindow();
    const QRect screen = main->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(main->frameGeometry())) << main->pos().x() << "," << main->pos().y();
}

TEST(BoardWindow, MenuToggleHidesShowsSavesAndReturnsFocus)
{
    AppHarness h;
    Application &app = h.start();
    MainWindow *main = app.mainWindow();
    QAction *item = main->action("mnuBoardInfomation");
    BoardWindow *board = app.boardWindow();
    board->move(400, 300);

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(board->isVisible());
    EXPECT_EQ(h.settings.stored("Settings6", "mnuBoardInfomation"), QStringLiteral("False"));

    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(board->isVisible());
    EXPECT_EQ(board->pos(), QPoint(400, 300));
    EXPECT_EQ(h.settings.stored("Settings6", "mnuBoardInfomation"), QStringLiteral("True"));
    EXPECT_TRUE(main->isActiveWindow() || QApplication::activeWindow() == main ||
                QApplication::activeWindow() == nullptr);
}

TEST(BoardWindow, CloseBoxUnloadsItAndTheMenuStaysCheckedForOneClick)
{
    AppHarness h;
    h.store.save("Settings", "MainLeft_Board", "3000");
    Application &app = h.start();
    QAction *item = app.mainWindow()->action("mnuBoardInfomation");
    BoardWindow *board = app.boardWindow();
    board->move(500, 20);
    board->close();
    EXPECT_FALSE(board->isVisible());
    EXPECT_TRUE(item->isChecked());

    item->trigger(); // unchecks and "hides" the unloaded window, loading it from the settings
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(board->isVisible());
    item->trigger();
    EXPECT_TRUE(board->isVisible());
    EXPECT_EQ(board->pos(), pixels(3000, 1000)); // the move before the close is forgotten

    // Every start shows it again, whatever the menu said at the last exit.
    item->trigger();
    app.mainWindow()->close();
    h.stop();
    EXPECT_TRUE(h.start().boardWindow()->isVisible());
}

TEST(AboutWindow, ShowsTheVersionsAgainAfterCloseAndReopen)
{
    AppHarness h;
    Application &app = h.start();
    AboutWindow *about = app.aboutWindow();
    const auto readAll = [about] {
        return QStringList{about->windowTitle(), text(about, "lblVersion"), text(about, "lblTitle"),
                           text(about, "Label_zelko_rev"), text(about, "lblDisclaimer")};
    };
    const QStringList expected{QStringLiteral("ZELKO6のﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("Ver 6.5.8"),
                               QStringLiteral("ZELKO6"), QStringLiteral("zelko6.ini  Ver 2.03  2026/12/01"),
                               QStringLiteral("ｻﾎﾟｰﾄﾍﾟｰｼﾞ : ") +
                                   QStringLiteral("https://www.zelko-devices.example/support/")};
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, about,
                           [about] { about->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
        app.mainWindow()->action("mnuHelpAbout")->trigger();
        EXPECT_FALSE(about->isVisible());
        EXPECT_EQ(readAll(), expected);
    }
    about->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(h.shell.opened.last(), expected.last().mid(QStringLiteral("ｻﾎﾟｰﾄﾍﾟｰｼﾞ : ").size()));
}

TEST(Help, OpensTheHelpFileThroughTheShellAndReportsOnlyItsOwnFailure)
{
    AppHarness h;
    Application &app = h.start();
    app.mainWindow()->action("mnuHelpContents")->trigger();
    EXPECT_EQ(h.shell.opened, QStringList{h.programDir.file(QStringLiteral("zelko6new.chm"))});
    EXPECT_TRUE(h.boxes.shown.empty()); // a missing help file is the shell's business

    ThrowingShell broken;
    Application failing(h.store, h.boxes, broken,
                        {h.programDir.appDir(), h.lockDir.path() + "/other.lock", {}});
    ASSERT_TRUE(failing.Main());
    failing.mnuHelpContents_Click();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].icon, BoxIcon::Information);
    EXPECT_EQ(h.boxes.shown[0].title, failing.mainWindow()->windowTitle());
    EXPECT_EQ(
        h.boxes.shown[0].text,
        QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"));
}

TEST(FailureReport, AFailureEscapingAHandlerIsReportedInTheCommonForm)
{
    auto *app = static_cast<GuardedApplication *>(QCoreApplication::instance());
    QStringList reports;
    app->setFailureReporter([&](const QString &description) { reports << description; });
    FailingWidget widget;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&widget, &event);
    app->setFailureReporter({});
    EXPECT_EQ(reports, QStringList{QStringLiteral("handler failed")});
    EXPECT_EQ(stepReportText(reports.value(0), 300, QStringLiteral("  k = 0 m = 0")),
              QStringLiteral("エラー番号 = handler failed   処理番号 = 300  k = 0 m = 0"));
}

// Every control and menu item of the main window is made with its decision about a running
// operation, and the window's lock follows the decisions: one made without a decision fails here
// by name; one decided Locked is off while a Block Read runs and on again after it.
TEST(MainWindowLock, EveryControlAndItemIsMadeWithItsDecisionAndTheLockFollowsIt)
{
    AppHarness h;
    QTemporaryDir work;
    // A port that is not there: the read stops at its connection check, after the window locked.
    const ScopedEnvironment port("ZELKO6_COM1", QFile::encodeName(work.filePath(QStringLiteral("none"))));
    h.start();
    MainWindow &main = *h.app->mainWindow();

    QStringList undecided;
    std::vector<std::pair<QObject *, DuringOperations>> decided;
    for (QObject *object : main.findChildren<QObject *>()) {
        if (!isControlOfTheWindow(*object, main))
            continue;
        // Its own decision, or that of the control it is part of (the editor's boxes, the grid's bars).
        std::optional<DuringOperations> rule;
        for (const QObject *o = object; !rule && o != &main; o = o->parent())
            rule = duringOperations(*o);
        if (rule)
            decided.emplace_back(object, *rule);
        else
            undecided << QLatin1String(object->metaObject()->className()) + u' ' + object->objectName();
    }
    EXPECT_EQ(undecided, QStringList());
    EXPECT_GT(decided.size(), 40u); // the buttons, the lists, the grid, the editor's boxes, the menus

    // Those whose owners decide when they are usable are only checked to be off while it runs.
    const auto wrong = [&](bool running) {
        QStringList out;
        for (const auto &[object, rule] : decided) {
            const bool usable = rule == DuringOperations::Usable || !running;
            if ((running || rule != DuringOperations::LockedByOwner) &&
                object->property("enabled").toBool() != usable)
                out << object->objectName();
        }
        return out;
    };
    EXPECT_EQ(wrong(false), QStringList()) << "before";
    main.Cmd_READ_all_Click();
    EXPECT_EQ(wrong(true), QStringList()) << "while the read runs";
    ASSERT_TRUE(zelko6::test::waitUntil("the read's end", [&] { return !main.operations().isBusy(); }));
    EXPECT_EQ(wrong(false), QStringList()) << "after it";
}
