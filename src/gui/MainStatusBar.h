#pragma once
#include "messages/StatusRenderer.h"

#include <QStatusBar>
#include <array>

class QLabel;

namespace zelko6 {

// sbStatusBar: four text panels, written only through the status renderer. Panel 1 carries the
// command's message, 2 the port line, 3 progress and the selected address, 4 the chip's remark.
class MainStatusBar final : public QStatusBar, public StatusPanels {
    Q_OBJECT
  public:
    explicit MainStatusBar(QWidget *parent = nullptr);
    void setText(StatusPanel panel, const QString &text) override;
    QString text(StatusPanel panel) const override;
    // By number, 1 to 4, as the panels are named on screen; empty for any other number.
    QString panel(int number) const;

  signals:
    void panelChanged(int number, const QString &text);

  private:
    std::array<QLabel *, 4> panels_{};
};

} // namespace zelko6
