#pragma once
#include "core/operations/FileCommands.h"

class QFileDialog;
class QWidget;

namespace zelko6 {

class MessageBoxes;

// The platform's part (QtFileDialogs_linux.cpp, QtFileDialogs_windows.cpp): whether the dialog is
// the system's own or Qt's.
void choosePlatformDialog(QFileDialog &dialog);

// The file dialogs of the window, and its question before a file is replaced.
class QtFileDialogs final : public FileDialogs {
  public:
    QtFileDialogs(QWidget *owner, MessageBoxes &boxes) : owner_(owner), boxes_(boxes) {}
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    bool confirmOverwrite(const QString &path) override;

  private:
    QWidget *owner_;
    MessageBoxes &boxes_;
};

} // namespace zelko6
