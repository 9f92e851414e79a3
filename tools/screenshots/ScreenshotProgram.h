#pragma once
// The program started in the picture tool's own process as a user's run would start it, with
// settings of its own that the tool fills before start-up reads them.

#include "core/base/Settings.h"
#include "gui/Application.h"
#include "gui/Desktop.h"
#include "gui/QtPlatform.h"

#include <QSettings>
#include <QTemporaryDir>
#include <optional>

namespace zelko6::screenshots {

class ScreenshotProgram {
  public:
    explicit ScreenshotProgram(const QString &programFolder) : programFolder_(programFolder) {}

    Settings settings() { return Settings(store_); }
    QtMessageBoxes &boxes() { return boxes_; }
    // Start-up; null when it ended the program (no catalogue).
    MainWindow *start()
    {
        app_.emplace(store_, boxes_, shell_,
                     StartupOptions{programFolder_, runtimeDir_.filePath(QStringLiteral("zelko6.lock")),
                                    programFolder_});
        return app_->Main() ? app_->mainWindow() : nullptr;
    }
    Application &app() { return *app_; }

  private:
    // Opens nothing: the pictures are of the program's own windows.
    class NoShell final : public Shell {
      public:
        void open(const QString &) override {}
    };
    struct PrivateSettings {
        PrivateSettings()
        {
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        }
        QTemporaryDir folder;
    };

    QString programFolder_;
    PrivateSettings settingsFolder_; // before the store, which opens the settings
    QTemporaryDir runtimeDir_;
    QtSettingsStore store_;
    QtMessageBoxes boxes_;
    NoShell shell_;
    std::optional<Application> app_;
};

} // namespace zelko6::screenshots
