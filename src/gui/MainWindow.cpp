#include "gui/MainWindow.h"

#include "core/base/Settings.h"
#include "core/devices/ChipSelection.h"
#include "core/operations/DeviceOperations.h"
#include "gui/AppState.h"
#include "gui/ByteEditorPanel.h"
#include "gui/Fonts.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/QtFileDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace zelko6 {

MainWindow::MainWindow(AppState &state, Settings &settings, MessageBoxes &boxes, Shell &shell,
                       SerialLink &link, Pump &pump, QWidget *parent)
    : QMainWindow(parent), state_(state), settings_(settings), boxes_(boxes), shell_(shell),
      dialogs_(std::make_unique<QtFileDialogs>(this))
{
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    buildMenus();
    FileCommandView &fileView = *this;
    OperationView &operationView = *this;
    files_ = std::make_unique<FileCommands>(state, settings, *status_, boxes, *dialogs_, fileView);
    operations_ = std::make_unique<DeviceOperations>(
        OperationPorts{state_, link, pump, *status_, settings_, boxes_, shell_, operationView});
    const std::pair<const char *, void (DeviceOperations::*)()> transfers[] = {
        {"Cmd_READ_all", &DeviceOperations::Cmd_READ_all_Click},
        {"Cmd_READ_single", &DeviceOperations::Cmd_READ_single_Click},
        {"Cmd_WRITE_all", &DeviceOperations::Cmd_WRITE_all_Click},
        {"Cmd_WRITE_single", &DeviceOperations::Cmd_WRITE_single_Click},
    };
    for (const auto &[name, handler] : transfers)
        connect(findChild<QPushButton *>(QLatin1String(name)), &QPushButton::clicked, this,
                [this, handler = handler] { (operations_.get()->*handler)(); });
}

MainWindow::~MainWindow() = default;

QAction *MainWindow::action(const char *objectName) const
{
    return findChild<QAction *>(QLatin1String(objectName));
}

void MainWindow::Form_Load()
{
    state_.StepNo = 200;
    placement_.restore(*this, settings_.single(keys::MainLeft), settings_.single(keys::MainTop),
                       QPointF(1000, 1000));
    state_.StepNo = 201;
    accessSize_->clear();
    accessSize_->addItems(initialAccessSizes());
    state_.StepNo = 202;
    const auto saved = settings_.int16(keys::AccessSize);
    if (saved && *saved >= 0 && *saved < accessSize_->count()) {
        accessSize_->setCurrentIndex(*saved);
        CmbSize_Click();
    }
}

void MainWindow::fillDeviceList(const QStringList &entries)
{
    device_->clear();
    device_->addItems(entries);
    selectedDevice_ = -1;
}

bool MainWindow::selectDevice(int index)
{
    if (index < 0 || index >= device_->count())
        return false;
    device_->setCurrentIndex(index);
    Combo_device_Click();
    return selectedDevice_ == index;
}

void MainWindow::refuseChip(const QString &reason)
{
    // The chip in effect stays, and so does its entry in the list.
    device_->setCurrentIndex(selectedDevice_);
    status_->setPanel(1, reason);
}

void MainWindow::Combo_device_Click()
{
    const int r = device_->currentIndex();
    if (r < 0 || r >= kDeviceRows)
        return;
    const DeviceRecord &record = state_.deviceTable.row(r);
    const auto evaluated = evaluateChip(record);
    if (const auto *refusal = std::get_if<ChipRefusal>(&evaluated)) {
        refuseChip(refusal->reason);
        return;
    }
    state_.chip = std::get<ChipParams>(evaluated);
    state_.chipSelected = true;
    selectedDevice_ = r;

    status_->setPanel(4, state_.chip.DUT_Memo);
    pageSize_->setText(pageSizeLabel(state_.chip));
    spec_->setText(specLabel(state_.chip, record));
    status_->setPanel(1, QStringLiteral("しばらくお待ちください。"));
    ClearBuffer();
    settings_.setInt(keys::DUT, r);
    status_->setPanel(1, QString());

    accessSize_->clear();
    accessSize_->addItems(
        accessSizes(state_.chip.DUT_Bus, state_.chip.DUT_SizeExp, state_.chip.DUT_PageSize));
    if (accessSize_->count() > 0) {
        accessSize_->setCurrentIndex(accessSize_->count() - 1);
        CmbSize_Click();
    }
}

void MainWindow::CmbSize_Click()
{
    if (accessSize_->currentIndex() >= 0)
        settings_.setInt(keys::AccessSize, accessSize_->currentIndex());
}

void MainWindow::RefreshGrid()
{
    zelko6::RefreshGrid(state_, model_, *status_, *this);
}

void MainWindow::ClearBuffer()
{
    zelko6::ClearBuffer(state_, model_, *status_, *this);
}

void MainWindow::bufferClearCommand()
{
    if (!state_.chipSelected)
        return; // no chip, no buffer to clear
    ClearBuffer();
    status_->setPanel(1, QStringLiteral("ＰＣのバッファをクリアしました。"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (operations_->isBusy()) {
        // The running operation gives up at its next wait and closes the port; then we close.
        closeRequested_ = true;
        operations_->abortOperation();
        event->ignore();
        return;
    }
    if (unloadHandler_)
        unloadHandler_();
    event->accept();
}

void MainWindow::setBusyPointer(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::yield()
{
    QCoreApplication::processEvents();
}

void MainWindow::setGridVisible(bool visible)
{
    grid_->setUpdatesEnabled(visible);
}

void MainWindow::setCurrentCell(int row, int column)
{
    grid_->setCurrentCell(row, column);
}

void MainWindow::applyGridLayout()
{
    grid_->SetGridLayout();
}

void MainWindow::setCheckSumCaption(const QString &caption)
{
    checkSum_->setText(caption);
}

void MainWindow::gridClick()
{
    editor_->MSFGrid1_Click(true);
}

void MainWindow::setOperationLock(bool locked)
{
    // Everything through which a second operation could start or the running one's chip, sizes,
    // buffer or port could change under it.
    static const char *const kWidgets[] = {
        "MSFGrid1",     "Cmd_READ_all", "Cmd_READ_single", "Cmd_WRITE_all", "Cmd_WRITE_single", "Frame1",
        "Combo_device", "CmbSize",      "Command1",        "Cmd_Open",      "Cmd_SaveAs",       "Cmd_Port"};
    static const char *const kActions[] = {"mnuBufferClear", "mnuFileOpen", "mnuFileSaveAs",
                                           "mnuToolsOptions"};
    for (const char *name : kWidgets)
        if (auto *widget = findChild<QWidget *>(QLatin1String(name)))
            widget->setEnabled(!locked);
    for (const char *name : kActions)
        action(name)->setEnabled(!locked);
    if (locked)
        return;
    editor_->hexBox()->setFocus();
    if (closeRequested_)
        QTimer::singleShot(0, this, &QWidget::close);
}

int MainWindow::selectedAddress() const
{
    return grid_->selectedAddress();
}

QString MainWindow::accessSizeText() const
{
    return accessSize_->currentText();
}

void MainWindow::refreshGrid()
{
    // The operation's or command's message in panel 1 outlives the refresh's own texts.
    const QString message = status_->panel(1);
    RefreshGrid();
    status_->setPanel(1, message);
}

void MainWindow::showReadByte(uint8_t value)
{
    const int address = grid_->selectedAddress();
    if (address >= 0)
        model_.setByteCell(address / kBytesPerRow, address % kBytesPerRow, value);
    editor_->MSFGrid1_Click(true);
}

void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

} // namespace zelko6
