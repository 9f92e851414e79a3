#pragma once
// frmCom: the user picks the port the programmer board hangs on and the two output lines DTR and
// RTS. Every choice is saved at once; choosing a port tries it at once, so an unusable port is
// reported while the user is still choosing. Closing the window always leaves the port closed.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QLabel;

namespace zelko6 {

class MessageBoxes;
class SerialLink;
class Settings;

// Shown modal with exec(). Loading (closing the port, filling the list, selecting and probing the
// saved port, setting the boxes) happens in the constructor and again whenever the window is shown
// after it was closed, so a caller may keep one window or make a new one each time.
class PortWindow final : public QDialog {
    Q_OBJECT
  public:
    // `link` is the port object the device operations use: the probe opens that very port.
    PortWindow(SerialLink &link, Settings &settings, MessageBoxes &boxes, QWidget *parent = nullptr);
    ~PortWindow() override;

    void done(int result) override; // every way out (button, close box, Escape) unloads

  protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void retranslateUi();
    void load();
    void unload();
    void portChosen(int index);
    void lineClicked(QCheckBox *box, bool rts);
    void showDevice(int index);

    SerialLink &link_;
    Settings &settings_;
    MessageBoxes &boxes_;
    bool loaded_ = false;

    QLabel *listCaption_ = nullptr;
    QComboBox *ports_ = nullptr;
    QGroupBox *lines_ = nullptr;
    QPushButton *close_ = nullptr;
    QLabel *device_ = nullptr;
    QCheckBox *dtr_ = nullptr;
    QCheckBox *rts_ = nullptr;
};

} // namespace zelko6
