#pragma once
#include "core/operations/FileCommands.h"

class QWidget;

namespace zelko6 {

class QtFileDialogs final : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget *owner) : owner_(owner) {}
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;

  private:
    QWidget *owner_;
};

} // namespace zelko6
