#pragma once
// frmBoard: how to seat the chip in the board's 18-pin socket, and the jumper JP2.

#include "gui/WindowPlacement.h"

#include <QWidget>

class QLabel;

namespace zelko6 {

class Settings;

class BoardWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit BoardWindow(Settings &settings, QWidget *parent = nullptr);

    // A window closed with its own close box is unloaded: the next show loads it again, from the
    // stored position (a move made before such a close is not remembered).
    bool isLoaded() const { return loaded_; }
    void load();
    // Position in twips for saving at shutdown; loads the window first, as reading it would.
    QPointF positionTwips();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void retranslateUi();

    Settings &settings_;
    QLabel *pinNote_ = nullptr;
    QLabel *eitherNote_ = nullptr;
    WindowPlacement placement_;
    bool loaded_ = false;
};

} // namespace zelko6
