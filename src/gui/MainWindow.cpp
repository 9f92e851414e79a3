#include "gui/MainWindow.h"

#include "core/base/NumberText.h"
#include "core/base/ProgramFolder.h"
#include "core/base/Settings.h"
#include "core/base/Version.h"
#include "core/devices/ChipSelection.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/VerifyLog.h"
#include "gui/AppState.h"
#include "gui/BufferTools.h"
#include "gui/ByteEditorPanel.h"
#include "gui/Desktop.h"
#include "gui/DuringOperations.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/QtFileDialogs.h"
#include "messages/StatusTexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>

namespace zelko6 {

static constexpr QSize kDesignedSize(980, 640);

MainWindow::MainWindow(AppState &state, Settings &settings, MessageBoxes &boxes, Shell &shell,
                       LinkThread::LinkFactory makeLink, QWidget *parent)
    : QMainWindow(parent), state_(state), settings_(settings), boxes_(boxes), shell_(shell),
      status_(new MainStatusBar(this)), renderer_(*status_), ports_(&settings.store()),
      link_(std::move(makeLink), *this), runner_(link_, *this),
      dialogs_(std::make_unique<QtFileDialogs>(this, boxes))
{
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    buildMenus();
    retranslateUi();
    // The designed size, or more where the grid's columns and the controls need it in this font;
    // Form_Load then fits it to the screen.
    resize(kDesignedSize.expandedTo(sizeHint()));
    FileCommandView &fileView = *this;
    files_ = std::make_unique<FileCommands>(state, state, settings, *this, *dialogs_, fileView);
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

void MainWindow::Combo_device_Click()
{
    const int r = device_->currentIndex();
    if (r < 0 || r >= kDeviceRows)
        return;
    const DeviceRecord &record = state_.deviceTable.row(r);
    const auto evaluated = evaluateChip(record);
    if (const auto *refusal = std::get_if<ChipRefusal>(&evaluated)) {
        // The chip in effect stays, and so does its entry in the list.
        device_->setCurrentIndex(selectedDevice_);
        report(ChipRefused{*refusal});
        return;
    }
    state_.chip = std::get<ChipParams>(evaluated);
    state_.chipSelected = true;
    selectedDevice_ = r;

    pageSize_->setText(pageSizeLabel(state_.chip));
    spec_->setText(specLabel(state_.chip, record));
    report(ChipSelecting{state_.chip.DUT_Memo});
    ClearBuffer();
    settings_.setInt(keys::DUT, r);
    report(ChipSelected{});

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

void MainWindow::Cmd_READ_all_Click()
{
    runOperation(OperationKind::ReadBlock);
}

void MainWindow::Cmd_READ_single_Click()
{
    runOperation(OperationKind::ReadByte);
}

void MainWindow::Cmd_WRITE_all_Click()
{
    runOperation(OperationKind::WriteBlockAndVerify);
}

void MainWindow::Cmd_WRITE_single_Click()
{
    runOperation(OperationKind::WriteByte);
}

void MainWindow::Cmd_VERIFY_all_Click()
{
    runOperation(OperationKind::VerifyBlock);
}

void MainWindow::nextDifference()
{
    goToDifference(zelko6::nextDifference(model_.differences(), grid_->selectedAddress()));
}

void MainWindow::previousDifference()
{
    const int from = grid_->selectedAddress();
    // With no byte cell current, "previous" starts from the end.
    goToDifference(zelko6::previousDifference(model_.differences(), from < 0 ? INT32_MAX : from));
}

void MainWindow::goToDifference(std::optional<int32_t> address)
{
    if (!address || locked_)
        return;
    grid_->showAddress(*address);
    gridClick();
}

void MainWindow::showDifferences(Differences differences, ComparedWith comparedWith)
{
    model_.markDifferences(std::move(differences), comparedWith);
    enableDifferenceActions();
}

QString MainWindow::firstDialogFolder() const
{
    return zelko6::firstDialogFolder(state_.AppDir);
}

void MainWindow::enableDifferenceActions()
{
    const bool usable = !locked_ && !model_.differences().empty();
    action("mnuNextDifference")->setEnabled(usable);
    action("mnuPreviousDifference")->setEnabled(usable);
}

void MainWindow::runOperation(OperationKind kind)
{
    OperationRequest request;
    request.kind = kind;
    request.chip = state_.chip;
    request.port = savedPortSettings(settings_);
    // Looked up here: the settings are this thread's, the link only opens what it is given.
    request.port.device = ports_.device(request.port.portNumber);
    // Not a number (typed into the list): no size, which the operation refuses.
    request.accessSize = toInt32(accessSize_->currentText()).value_or(0);
    request.address = grid_->selectedAddress();
    request.verifyLogPath = state_.pathInWriteDir(kVerifyLogName);
    const bool verifies = comparesWithChip(kind);
    runner_.start(request, state_.BufData, [this, verifies](const OperationOutcome &outcome) {
        // A verify that compared anything replaces the marks; one that never began leaves them.
        const bool compared = outcome.result == OperationResult::Done ||
                              outcome.result == OperationResult::Mismatches ||
                              outcome.result == OperationResult::LinkFailed;
        if (verifies && compared)
            showDifferences(outcome.differences, ComparedWith::Chip);
    });
}

QString MainWindow::textDumpPath() const
{
    return state_.pathInWriteDir(kTextDumpName);
}

void MainWindow::RefreshGrid()
{
    tools_->clearHistory(); // every refresh shows a buffer made anew
    zelko6::RefreshGrid(state_, textDumpPath(), model_, *this, *this);
}

void MainWindow::ClearBuffer()
{
    tools_->clearHistory();
    zelko6::ClearBuffer(state_, state_.chip.DUT_SizeExp, textDumpPath(), model_, *this, *this);
}

void MainWindow::bufferClearCommand()
{
    if (!state_.chipSelected)
        return; // no chip, no buffer to clear
    ClearBuffer();
    report(BufferCleared{});
}

void MainWindow::showBufferKeeping(std::initializer_list<StatusPanel> kept)
{
    const StatusRenderer::Held held = renderer_.hold(kept);
    RefreshGrid();
    renderer_.restore(held);
}

void MainWindow::showBuffer()
{
    // The command's message in panel 1 outlives the refresh's own texts.
    showBufferKeeping({StatusPanel::Message});
}

void MainWindow::showReadByte(int address, uint8_t value)
{
    if (address >= 0)
        model_.setByteCell(address / kBytesPerRow, address % kBytesPerRow, value);
    editor_->MSFGrid1_Click(true);
}

void MainWindow::report(const StatusEvent &event)
{
    renderer_.render(event);
    if (const auto *read = std::get_if<ReadCompleted>(&event)) {
        if (read->scope == AccessScope::Block)
            showBuffer();
        else
            showReadByte(read->address, read->value);
    } else if (std::holds_alternative<ReadIncomplete>(event)) {
        // The last progress value stays visible: the user sees how far the read got.
        showBufferKeeping({StatusPanel::Message, StatusPanel::Progress});
    } else if (std::holds_alternative<FirmwareOutdated>(event)) {
        boxes_.show(BoxIcon::None, BoxButtons::Ok, kAppTitle, StatusTexts::oldFirmware());
    } else if (const auto *log = std::get_if<VerifyLogClosed>(&event)) {
        if (log->worthShowing())
            shell_.open(log->path);
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (runner_.isBusy()) {
        // The running operation gives up at its next wait and closes the port; then we close.
        closeRequested_ = true;
        runner_.abort();
        event->ignore();
        return;
    }
    if (unloadHandler_)
        unloadHandler_();
    event->accept();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The frame is known now; the one assumed when the position was restored may have been smaller.
    if (!event->spontaneous())
        placement_.keepOnScreen(*this);
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
    // The window's own pending events only: the device operations never wait on this thread.
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
    // What each control and item was made with decides (DuringOperations); the few locked by
    // their owners follow.
    const auto apply = [locked](auto *control) {
        if (duringOperations(*control) == DuringOperations::Locked)
            control->setEnabled(!locked);
    };
    for (QWidget *widget : findChildren<QWidget *>())
        apply(widget);
    for (QAction *item : findChildren<QAction *>())
        apply(item);
    locked_ = locked;
    enableDifferenceActions();
    tools_->setOperationLock(locked);
    if (locked)
        return;
    editor_->hexBox()->setFocus();
    if (closeRequested_)
        QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::showFileInCaption(const QString &path)
{
    setWindowTitle(state_.AppTitleText + path);
}

} // namespace zelko6
