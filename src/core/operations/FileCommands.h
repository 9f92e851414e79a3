#pragma once
// Loading the buffer from a file and saving it to one: Intel HEX, or raw binary when the name
// ends in ".bin". The dialogs and the window are reached through small interfaces.

#include <QString>
#include <optional>

namespace zelko6 {

struct AppState;
class MessageBoxes;
class Settings;
class StatusPanels;

struct FileDialogRequest {
    QString initialFolder;
    QString filter;        // "Name (*.ext);;Other (*.*)"
    QString defaultSuffix; // appended when the name typed has none
    QString initialName;
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest &request) = 0;
};

// What the file commands need from the main window.
class FileCommandView {
  public:
    virtual ~FileCommandView() = default;
    virtual void setCaption(const QString &caption) = 0;
    virtual void setBusyPointer(bool busy) = 0;
    virtual void yield() = 0;
    virtual void refreshGrid() = 0; // RefreshGrid: grid, dump, checksum and editor
    virtual void setCheckSumCaption(const QString &caption) = 0;
};

// The folder of a chosen file, without a trailing separator.
QString folderOf(const QString &path);

class FileCommands {
  public:
    FileCommands(AppState &state, Settings &settings, StatusPanels &status, MessageBoxes &boxes,
                 FileDialogs &dialogs, FileCommandView &view);

    void mnuFileOpen_Click();
    void mnuFileSaveAs_Click();

  private:
    void loadChosenFile();
    bool writeChosenFile();

    AppState &state_;
    Settings &settings_;
    StatusPanels &status_;
    MessageBoxes &boxes_;
    FileDialogs &dialogs_;
    FileCommandView &view_;
};

} // namespace zelko6
