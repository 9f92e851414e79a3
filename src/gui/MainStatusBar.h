#pragma once
#include "messages/StatusRenderer.h"

#include <QStatusBar>
#include <array>

class QLabel;

namespace zelko6 {

// sbStatusBar: four text panels, written only through the status renderer. Panel 1 carries the
// command's message, 2 the port line, 3 progress and the selected address, 4 the chip's remark.
// A panel's text is its accessible name, so a screen reader hears every result; panels 2 and 3
// are always wide enough for their longest texts, and only panel 1 gives way (eliding its text).
class MainStatusBar final : public QStatusBar, public StatusPanels {
    Q_OBJECT
  public:
    explicit MainStatusBar(QWidget *parent = nullptr);
    void setText(StatusPanel panel, const QString &text) override;
    QString text(StatusPanel panel) const override;
    // By number, 1 to 4, as the panels are named on screen; empty for any other number.
    QString panel(int number) const;
    QLabel *label(StatusPanel panel) const;

  signals:
    void panelChanged(int number, const QString &text);

  protected:
    void changeEvent(QEvent *event) override;

  private:
    void retranslateUi();

    std::array<QLabel *, 4> panels_{};
};

} // namespace zelko6
