#pragma once
// The program's entry and exit: the order in which windows and the catalogue come up, the two
// reasons to refuse starting, and what is saved when the main window closes.

#include "core/base/ProgramFolder.h"
#include "core/base/Settings.h"
#include "gui/AppState.h"
#include "messages/Translations.h"

#include <QCoreApplication>

#include "core/programmer/SystemSerialLink.h"
#include "gui/BoardWindow.h"
#include <functional>
#include <memory>

namespace zelko6 {

class AboutWindow;
class BoardWindow;
class MainWindow;
class MessageBoxes;
class Shell;
class SingleInstance;
class SplashWindow;

struct StartupOptions {
    QString programDirectory;      // where the catalogue and the files beside the program live
    QString instanceLockPath;      // a second instance finds this locked, asks for our window and ends
    QString translationsDirectory; // where zelko6_en.qm lives (beside the executable)
    // Whether the program folder takes the program's own files; empty: by really making one there.
    FolderProbe programFolderWritable = {};
};

class Application {
    Q_DECLARE_TR_FUNCTIONS(Application)

  public:
    Application(SettingsStore &store, MessageBoxes &boxes, Shell &shell, StartupOptions options);
    ~Application();

    // Start-up. False when the program is to end at once (another instance, no catalogue).
    bool Main();
    // Called once the main window has closed and the positions are saved.
    void setQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }

    void LoadDeviceFile();
    void Form_Unload();
    void mnuBoardInfomation_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void mnuOutPutTextFile_Click();
    void showPortWindow(); // frmCom, modal
    // The language of every window's texts, kept for the next start.
    void chooseLanguage(Language language);

    AppState &state() { return state_; }
    Settings &settings() { return settings_; }
    // The port the port window probes, on this thread (the operations have their own, on theirs).
    SerialLink &portWindowLink() { return *portWindowLink_; }
    MainWindow *mainWindow() const { return main_.get(); }
    BoardWindow *boardWindow() const { return board_.get(); }
    AboutWindow *aboutWindow() const { return about_.get(); }
    SplashWindow *splashWindow() const { return splash_.get(); }

  private:
    MainWindow &ensureMainWindow();
    BoardWindow &ensureBoardWindow();
    void ShowVersionInfo();
    // A later start asked for the window: un-minimised, in front and active.
    void bringMainWindowForward();

    AppState state_;
    Settings settings_;
    MessageBoxes &boxes_;
    Shell &shell_;
    StartupOptions options_;
    std::unique_ptr<SerialLink> portWindowLink_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<BoardWindow> board_;
    std::function<void()> quit_;
    QString catalogue_; // the zelko6.ini that was read: the user's own, else the program folder's
};

} // namespace zelko6
