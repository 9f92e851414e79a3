#include "gui/Application.h"

#include "core/base/ProgramFolder.h"
#include "core/devices/DeviceFile.h"
#include "core/operations/GridRefresh.h"
#include "gui/AboutWindow.h"
#include "gui/BoardWindow.h"
#include "gui/Branding.h"
#include "gui/ByteEditorPanel.h"
#include "gui/Desktop.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "gui/PortWindow.h"
#include "gui/SingleInstance.h"
#include "gui/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <exception>

namespace zelko6 {

// Said when QT_LOGGING_RULES asks for it ("zelko6.instance.info=true").
Q_LOGGING_CATEGORY(instanceLog, "zelko6.instance", QtWarningMsg)

static const QString kHelpFileName = QStringLiteral("zelko6new.chm");
// How long a later start waits for the running one to say it has shown its window.
static constexpr auto kAskRunningLimit = std::chrono::seconds(3);

Application::Application(SettingsStore &store, MessageBoxes &boxes, Shell &shell, StartupOptions options)
    : settings_(store), boxes_(boxes), shell_(shell), options_(std::move(options)),
      portWindowLink_(makeSystemSerialLink(PortResolver(&store)))
{
}

Application::~Application()
{
    // The About window may have become the main window's child (to be modal over it): it goes
    // first, so that the main window does not delete it a second time.
    about_.reset();
    board_.reset();
    main_.reset();
}

bool Application::Main()
{
    // The language the user chose last time, before the first window is made.
    useLanguage(languageFromCode(settings_.text(keys::Language)).value_or(Language::Japanese),
                options_.translationsDirectory);

    state_.StepNo = 1;
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();

    state_.StepNo = 2;
    instance_ = std::make_unique<SingleInstance>(options_.instanceLockPath);
    if (!instance_->claim()) {
        instance_->askRunningToShow(kAskRunningLimit);
        splash_->hide();
        return false;
    }
    QObject::connect(instance_.get(), &SingleInstance::showRequested, instance_.get(),
                     [this] { bringMainWindowForward(); });

    state_.StepNo = 3;
    ShowVersionInfo();

    state_.StepNo = 4;
    state_.AppDir = GetAppDir(options_.programDirectory);
    if (!state_.AppDir.endsWith(QDir::separator()))
        state_.AppDir += QDir::separator();
    state_.WriteDir = folderForOwnFiles(state_.AppDir, options_.programFolderWritable);

    state_.StepNo = 5;
    QCoreApplication::processEvents();
    about_->setSupportAddress(kSupportUrl);

    state_.StepNo = 6;
    catalogue_ = userOrProgramFile(state_.AppDir, kDeviceFileName);
    if (!FileExists(catalogue_)) {
        splash_->hide();
        boxes_.show(BoxIcon::Error, BoxButtons::Ok, tr("シリアルＥＥＰＲＯＭプログラマー メッセージ"),
                    tr("%1内に zelko6.iniファイルがありませんので         \r\n"
                       "シリアルＥＥＰＲＯＭプログラマーの起動を中止しました。")
                        .arg(state_.AppDir));
        return false;
    }

    state_.StepNo = 7;
    LoadDeviceFile();

    state_.StepNo = 8;
    QCoreApplication::processEvents();
    if (auto *dataCombo = main_->findChild<QComboBox *>(QStringLiteral("DataCombo1")))
        dataCombo->setVisible(false);

    state_.StepNo = 9;
    main_->show();

    state_.StepNo = 10;
    main_->editor().MSFGrid1_Click();
    splash_->hide();
    QCoreApplication::processEvents();
    if (main_->action("mnuBoardInfomation")->isChecked()) {
        BoardWindow &board = ensureBoardWindow();
        board.load();
        board.show();
    }
    main_->report(ReadyForUse{});
    return true;
}

void Application::bringMainWindowForward()
{
    // Still starting up: the window is about to be shown anyway.
    if (!main_ || !main_->isVisible())
        return;
    main_->setWindowState(main_->windowState() & ~Qt::WindowMinimized);
    main_->raise();
    main_->activateWindow();
    // A dialog open over the window keeps the input; it comes forward with it.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
    qCInfo(instanceLog) << "a later start asked for the main window: brought forward";
}

void Application::ShowVersionInfo()
{
    about_ = std::make_unique<AboutWindow>(shell_, options_.programDirectory);
}

void Application::LoadDeviceFile()
{
    state_.StepNo = 100;
    DeviceFileContents contents = readDeviceFile(catalogue_);
    state_.deviceTable = std::move(contents.table);
    state_.DeviceCount = contents.DeviceCount;
    state_.DefFileVer = contents.DefFileVer;

    state_.StepNo = 101;
    state_.AppTitleText =
        QStringLiteral("Serial EEPROM Programmer ") + about_->versionCaption() + QStringLiteral("  ");
    MainWindow &main = ensureMainWindow();
    // The program folder's catalogue keeps its short name; a user's own is named by its path, so
    // that the user sees which of the two is in use.
    const QString catalogueName =
        catalogue_ == state_.pathInAppDir(kDeviceFileName) ? kDeviceFileName : catalogue_;
    main.setWindowTitle(state_.AppTitleText + QStringLiteral("  ") + catalogueName + QStringLiteral(" ") +
                        state_.DefFileVer);
    about_->setDefinitionFile(catalogueName, state_.DefFileVer);
    state_.EditLock = true;
    QStringList entries;
    for (int k = 0; k < state_.DeviceCount && k < kDeviceRows; ++k)
        entries << deviceListEntry(state_.deviceTable.row(k));
    main.fillDeviceList(entries);

    state_.EditLock = false;
    state_.StepNo = 102;
    const auto saved = settings_.int16(keys::DUT);
    if (!saved || !main.selectDevice(*saved))
        main.selectDevice(0);
}

MainWindow &Application::ensureMainWindow()
{
    if (main_)
        return *main_;
    // The operations' link opens the device the window looked up for it: no settings there.
    main_ = std::make_unique<MainWindow>(state_, settings_, boxes_, shell_,
                                         [] { return makeSystemSerialLink(); });
    MainWindow *main = main_.get();
    main->setUnloadHandler([this] { Form_Unload(); });
    QObject::connect(main, &MainWindow::boardMenuTriggered, main, [this] { mnuBoardInfomation_Click(); });
    QObject::connect(main, &MainWindow::helpContentsTriggered, main, [this] { mnuHelpContents_Click(); });
    QObject::connect(main, &MainWindow::aboutTriggered, main, [this] { mnuHelpAbout_Click(); });
    QObject::connect(main, &MainWindow::outputTextFileTriggered, main, [this] { mnuOutPutTextFile_Click(); });
    QObject::connect(main, &MainWindow::portSettingsTriggered, main, [this] { showPortWindow(); });
    QObject::connect(main, &MainWindow::languageChosen, main,
                     [this](Language language) { chooseLanguage(language); });
    main->Form_Load();
    return *main;
}

BoardWindow &Application::ensureBoardWindow()
{
    if (!board_)
        board_ = std::make_unique<BoardWindow>(settings_);
    return *board_;
}

void Application::Form_Unload()
{
    BoardWindow &board = ensureBoardWindow();
    const QPointF boardTwips = board.positionTwips();
    if (!board.isMinimized()) {
        settings_.setSingle(keys::MainLeftBoard, static_cast<float>(boardTwips.x()));
        settings_.setSingle(keys::MainTopBoard, static_cast<float>(boardTwips.y()));
    }
    if (!main_->isMinimized()) {
        const QPointF mainTwips = main_->positionTwips();
        settings_.setSingle(keys::MainLeft, static_cast<float>(mainTwips.x()));
        settings_.setSingle(keys::MainTop, static_cast<float>(mainTwips.y()));
    }
    if (quit_)
        quit_();
}

void Application::mnuBoardInfomation_Click()
{
    QAction *item = ensureMainWindow().action("mnuBoardInfomation");
    BoardWindow &board = ensureBoardWindow();
    if (item->isChecked()) {
        item->setChecked(false);
        settings_.setBool(keys::BoardInformation, false);
        board.load();
        board.hide();
        return;
    }
    item->setChecked(true);
    settings_.setBool(keys::BoardInformation, true);
    board.load();
    board.show();
    main_->activateWindow();
}

void Application::mnuHelpContents_Click()
{
    try {
        shell_.open(state_.pathInAppDir(kHelpFileName));
    } catch (const std::exception &) {
        boxes_.show(BoxIcon::Information, BoxButtons::Ok, main_->windowTitle(),
                    tr("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"));
    }
}

void Application::showPortWindow()
{
    PortWindow window(*portWindowLink_, settings_, boxes_, {}, main_.get());
    window.exec();
}

void Application::mnuHelpAbout_Click()
{
    // Modal over the main window (it was made before the main window existed).
    if (about_->parentWidget() != main_.get())
        about_->setParent(main_.get(), about_->windowFlags() | Qt::Dialog);
    about_->exec();
}

void Application::chooseLanguage(Language language)
{
    settings_.setText(keys::Language, languageCode(language));
    // Every open window hears QEvent::LanguageChange and shows its texts anew.
    useLanguage(language, options_.translationsDirectory);
}

void Application::mnuOutPutTextFile_Click()
{
    shell_.open(state_.pathInWriteDir(kTextDumpName));
}

} // namespace zelko6
