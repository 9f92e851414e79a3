#pragma once
// The real message boxes and shell.

#include "gui/Desktop.h"

class QWidget;

namespace zelko6 {

class QtMessageBoxes final : public MessageBoxes {
  public:
    BoxAnswer show(BoxIcon icon, BoxButtons buttons, const QString &title, const QString &text) override;
    void setOwner(QWidget *owner) { owner_ = owner; }

  private:
    QWidget *owner_ = nullptr;
};

// Opens documents and addresses with the desktop's associated program; never waits for it.
class DesktopShell final : public Shell {
  public:
    void open(const QString &pathOrUrl) override;
};

} // namespace zelko6
