#pragma once
// frmMain: every control through which the user drives the program. The window holds controls,
// forwards their events to the core with the arguments they need, and shows what the core reports.

#include "core/buffer/GridModel.h"
#include "core/operations/DeviceOperations.h"
#include "core/operations/FileCommands.h"
#include "core/operations/GridRefresh.h"
#include "core/operations/LinkThread.h"
#include "core/operations/OperationRunner.h"
#include "core/programmer/PortResolver.h"
#include "gui/WindowPlacement.h"
#include "messages/StatusRenderer.h"
#include "messages/Translations.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zelko6 {

struct AppState;
class BufferTools;
class ByteEditorPanel;
class HexGridView;
class MainStatusBar;
class MessageBoxes;
class Settings;
class Shell;

class MainWindow final : public QMainWindow,
                         public EventSink,
                         private OperationLock,
                         private GridView,
                         private FileCommandView {
    Q_OBJECT
  public:
    // `makeLink` makes the serial link the operations use, on the link's own thread.
    MainWindow(AppState &state, Settings &settings, MessageBoxes &boxes, Shell &shell,
               LinkThread::LinkFactory makeLink, QWidget *parent = nullptr);
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

    // The four transfer buttons.
    void Cmd_READ_all_Click();
    void Cmd_READ_single_Click();
    void Cmd_WRITE_all_Click();
    void Cmd_WRITE_single_Click();
    // The chip compared with the buffer for the chosen access size, nothing written.
    void Cmd_VERIFY_all_Click();

    // The current cell to the next (previous) marked difference, wrapping round; the byte editor
    // loads it as after a click.
    void nextDifference();
    void previousDifference();

    // The whole grid from the buffer: dump, checksum, editor; the refresh's own status texts.
    void RefreshGrid();
    void ClearBuffer();
    void bufferClearCommand();

    // Everything the core and the window's own controls report: the status panels show it, and
    // the window acts on what concerns it (the grid after a read, the firmware warning, the log).
    void report(const StatusEvent &event) override;

    MainStatusBar &status() const { return *status_; }
    HexGridView &grid() const { return *grid_; }
    GridModel &gridModel() { return model_; }
    ByteEditorPanel &editor() const { return *editor_; }
    QPointF positionTwips() const { return placement_.twips(*this); }
    QAction *action(const char *objectName) const;
    OperationRunner &operations() { return runner_; }
    LinkThread &link() { return link_; }
    FileCommands &fileCommands() { return *files_; }
    BufferTools &bufferTools() { return *tools_; }

  signals:
    void boardMenuTriggered();
    void helpContentsTriggered();
    void aboutTriggered();
    void portSettingsTriggered();
    void outputTextFileTriggered();
    // The user chose the language of the texts (menu オプション, 言語 / Language).
    void languageChosen(Language language);

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void buildControls();
    void buildMenus();
    // Every caption and menu text, in the language in effect.
    void retranslateUi();
    void runOperation(OperationKind kind);
    // The grid from the buffer in the middle of a command whose texts in `kept` must stay.
    void showBufferKeeping(std::initializer_list<StatusPanel> kept);
    void showReadByte(int address, uint8_t value);
    void goToDifference(std::optional<int32_t> address);
    // The difference commands are usable when there are marks and no operation runs.
    void enableDifferenceActions();
    QString textDumpPath() const;

    // OperationLock
    void setOperationLock(bool locked) override;

    // GridView (and FileCommandView where they share a need)
    void setBusyPointer(bool busy) override;
    void yield() override;
    void setGridVisible(bool visible) override;
    void setCurrentCell(int row, int column) override;
    void applyGridLayout() override;
    void setCheckSumCaption(const QString &caption) override;
    void gridClick() override;

    // FileCommandView
    void showFileInCaption(const QString &path) override;
    void showBuffer() override;
    void showDifferences(Differences differences, ComparedWith comparedWith) override;
    QString firstDialogFolder() const override;

    AppState &state_;
    Settings &settings_;
    MessageBoxes &boxes_;
    Shell &shell_;
    GridModel model_;
    WindowPlacement placement_;
    std::function<void()> unloadHandler_;
    int selectedDevice_ = -1; // the entry whose chip is in effect
    bool closeRequested_ = false;
    bool locked_ = false; // an operation runs
    MainStatusBar *status_ = nullptr;
    StatusRenderer renderer_;
    PortResolver ports_;
    LinkThread link_;
    OperationRunner runner_;
    std::unique_ptr<FileDialogs> dialogs_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<BufferTools> tools_; // go to, find, fill, undo and redo

    QComboBox *device_ = nullptr;
    QComboBox *accessSize_ = nullptr;
    QLabel *pageSize_ = nullptr;
    QLabel *spec_ = nullptr;
    QLabel *checkSum_ = nullptr;
    HexGridView *grid_ = nullptr;
    ByteEditorPanel *editor_ = nullptr;
};

} // namespace zelko6
