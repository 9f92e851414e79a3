#pragma once
#include "gui/Ports.h"

#include <QStatusBar>
#include <array>

class QLabel;

namespace zelko6 {

// sbStatusBar: four text panels. Panel 1 carries the command's message, 2 the port line,
// 3 progress and the selected address, 4 the chip's remark.
class MainStatusBar final : public QStatusBar, public StatusPanels {
    Q_OBJECT
  public:
    explicit MainStatusBar(QWidget *parent = nullptr);
    void setPanel(int panel, const QString &text) override;
    QString panel(int panel) const override;

  signals:
    void panelChanged(int panel, const QString &text);

  private:
    std::array<QLabel *, 4> panels_{};
};

} // namespace zelko6
