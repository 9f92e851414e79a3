#pragma once
// frmMain: every control through which the user drives the program. The window holds controls and
// forwards their events; the work is done by the units below it.

#include "core/buffer/GridModel.h"
#include "core/operations/FileCommands.h"
#include "core/operations/GridRefresh.h"
#include "core/operations/OperationView.h"
#include "gui/WindowPlacement.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zelko6 {

struct AppState;
class ByteEditorPanel;
class HexGridView;
class MainStatusBar;
class DeviceOperations;
class MessageBoxes;
class Pump;
class SerialLink;
class Settings;
class Shell;

class MainWindow final : public QMainWindow,
                         private GridView,
                         private OperationView,
                         private FileCommandView {
    Q_OBJECT
  public:
    MainWindow(AppState &state, Settings &settings, MessageBoxes &boxes, Shell &shell, SerialLink &link,
               Pump &pump, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Main window load: position, the first access-size list and the saved access size.
    void Form_Load();
    // Shutdown hook: runs when the window closes by any route, before the program ends.
    void setUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }

    // The device list as the catalogue gives it; selecting entry `index` runs the chip selection.
    void fillDeviceList(const QStringList &entries);
    bool selectDevice(int index);
    void Combo_device_Click();
    void CmbSize_Click();

    void RefreshGrid();
    void ClearBuffer();
    void bufferClearCommand();

    MainStatusBar &status() const { return *status_; }
    HexGridView &grid() const { return *grid_; }
    GridModel &gridModel() { return model_; }
    ByteEditorPanel &editor() const { return *editor_; }
    QPointF positionTwips() const { return placement_.twips(*this); }
    QAction *action(const char *objectName) const;
    DeviceOperations &operations() const { return *operations_; }
    FileCommands &fileCommands() { return *files_; }

  signals:
    void boardMenuTriggered();
    void helpContentsTriggered();
    void aboutTriggered();
    void portSettingsTriggered();
    void outputTextFileTriggered();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildControls();
    void buildMenus();
    void refuseChip(const QString &reason);

    // GridView (and FileCommandView where they share a need)
    void setBusyPointer(bool busy) override;
    void yield() override;
    void setGridVisible(bool visible) override;
    void setCurrentCell(int row, int column) override;
    void applyGridLayout() override;
    void setCheckSumCaption(const QString &caption) override;
    void gridClick() override;

    // OperationView and FileCommandView
    void setOperationLock(bool locked) override;
    int selectedAddress() const override;
    QString accessSizeText() const override;
    void refreshGrid() override;
    void showReadByte(uint8_t value) override;
    void setCaption(const QString &caption) override;

    AppState &state_;
    Settings &settings_;
    MessageBoxes &boxes_;
    Shell &shell_;
    GridModel model_;
    WindowPlacement placement_;
    std::function<void()> unloadHandler_;
    int selectedDevice_ = -1; // the entry whose chip is in effect
    bool closeRequested_ = false;
    std::unique_ptr<FileDialogs> dialogs_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<DeviceOperations> operations_;

    QComboBox *device_ = nullptr;
    QComboBox *accessSize_ = nullptr;
    QLabel *pageSize_ = nullptr;
    QLabel *spec_ = nullptr;
    QLabel *checkSum_ = nullptr;
    HexGridView *grid_ = nullptr;
    ByteEditorPanel *editor_ = nullptr;
    MainStatusBar *status_ = nullptr;
};

} // namespace zelko6
