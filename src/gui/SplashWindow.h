#pragma once
#include <QWidget>

namespace zelko6 {

// frmSplash: shown while the program starts; a key or a click on its frame closes it early.
class SplashWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget *parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zelko6
