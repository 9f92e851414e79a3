#pragma once
// Runs the program's start-up in the test process: private settings, a temporary program folder,
// scripted message boxes and a recording shell.

#include "gui/Application.h"
#include "support/TestSupport.h"

#include <memory>

namespace zelko6::test {

class AppHarness {
  public:
    AppHarness() { programDir.copySampleCatalogue(); }

    // A fresh Application, as a new run of the program would make it.
    Application &start()
    {
        app = std::make_unique<Application>(
            store, boxes, shell,
            StartupOptions{programDir.appDir(), lockDir.path() + "/zelko6.lock",
                           QStringLiteral(ZELKO6_BINARY_DIR), programFolderWritable});
        app->setQuitHandler([this] { ++quits; });
        started = app->Main();
        return *app;
    }
    void stop() { app.reset(); }

    IsolatedSettings settings; // first: the store below reads through it
    TempProgramDir programDir;
    QTemporaryDir lockDir;
    QtSettingsStore store;
    ScriptedMessageBoxes boxes;
    RecordingShell shell;
    FolderProbe programFolderWritable; // empty: the program really tries
    std::unique_ptr<Application> app;
    bool started = false;
    int quits = 0;
};

} // namespace zelko6::test
