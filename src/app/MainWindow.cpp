#include "app/MainWindow.h"

#include "app/AppState.h"
#include "app/MainStatusBar.h"
#include "app/SettingsStore.h"
#include "buffer/ByteEditorPanel.h"
#include "buffer/HexGridView.h"
#include "devices/ChipSelection.h"
#include "programmer/DeviceOperations.h"
#include "ui/Fonts.h"
#include "ui/QtFileDialogs.h"

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

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(uiGothicFont());
    return b;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QFont &font)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    return l;
}

QFrame *rule(QWidget *parent, const char *name)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

MainWindow::MainWindow(AppState &state, Settings &settings, MessageBoxes &boxes, Shell &shell, SerialLink &link,
                       Pump &pump, QWidget *parent)
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

void MainWindow::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    status_ = new MainStatusBar(this);
    setStatusBar(status_);

    device_ = new QComboBox(central);
    device_->setObjectName(QStringLiteral("Combo_device"));
    device_->setAccessibleName(QStringLiteral("デバイス選択"));
    device_->setFont(gothicFixedFont());
    device_->setMinimumContentsLength(22);
    device_->setMaxVisibleItems(20);
    connect(device_, &QComboBox::activated, this, [this] { Combo_device_Click(); });

    pageSize_ = label(central, "Lbl_PageSize", QString(), uiGothicFont());
    spec_ = label(central, "Lbl_Spec", QString(), gothicFixedFont());  // the chip selection fills it
    label(central, "Lbl_memo", QString(), uiGothicFont())->hide();

    accessSize_ = new QComboBox(central);
    accessSize_->setObjectName(QStringLiteral("CmbSize"));
    accessSize_->setFont(gothicFixedFont());
    accessSize_->setMinimumContentsLength(7);
    auto *sizeLabel = label(central, "Label3", QStringLiteral("ｱｸｾｽｻｲｽﾞ　 (Byte)"), uiGothicFont());
    sizeLabel->setBuddy(accessSize_);
    accessSize_->setAccessibleName(sizeLabel->text());
    connect(accessSize_, &QComboBox::activated, this, [this] { CmbSize_Click(); });

    auto *block = new QGroupBox(QStringLiteral("ﾌﾞﾛｯｸｱｸｾｽ(開始ｱﾄﾞﾚｽ0)"), central);
    block->setObjectName(QStringLiteral("Frame2"));
    block->setFont(uiGothicFont());
    auto *blockLayout = new QHBoxLayout(block);
    blockLayout->addWidget(button(block, "Cmd_READ_all", QStringLiteral("Block Read")));
    blockLayout->addWidget(button(block, "Cmd_WRITE_all", QStringLiteral("Block Write")));

    auto *single = new QGroupBox(QStringLiteral("ﾊﾞｲﾄｱｸｾｽ"), central);
    single->setObjectName(QStringLiteral("Frame3"));
    single->setFont(uiGothicFont());
    auto *singleLayout = new QGridLayout(single);
    singleLayout->addWidget(label(single, "Label4", QStringLiteral("任意ｱﾄﾞﾚｽの１byteのｱｸｾｽ"), uiGothicFont()), 0, 0, 1, 2);
    singleLayout->addWidget(button(single, "Cmd_READ_single", QStringLiteral("Byte Read")), 1, 0);
    singleLayout->addWidget(button(single, "Cmd_WRITE_single", QStringLiteral("Byte Write")), 1, 1);

    auto *open = button(central, "Cmd_Open", QStringLiteral("開く"));
    auto *saveAs = button(central, "Cmd_SaveAs", QStringLiteral("保存"));
    auto *port = button(central, "Cmd_Port", QStringLiteral("通信ポート"));
    auto *clear = button(central, "Command1", QStringLiteral("ﾊﾞｯﾌｧ ｸﾘｱ"));
    connect(open, &QPushButton::clicked, this, [this] { files_->mnuFileOpen_Click(); });
    connect(saveAs, &QPushButton::clicked, this, [this] { files_->mnuFileSaveAs_Click(); });
    connect(port, &QPushButton::clicked, this, &MainWindow::portSettingsTriggered);
    connect(clear, &QPushButton::clicked, this, &MainWindow::bufferClearCommand);

    grid_ = new HexGridView(model_, central);
    editor_ = new ByteEditorPanel(state_, model_, *grid_, *status_, boxes_,
                                  [this](const QString &caption) { checkSum_->setText(caption); }, central);
    connect(grid_, &HexGridView::cellSelected, this, [this](bool byMouse) { editor_->MSFGrid1_Click(byMouse); });

    auto *sumFrame = new QGroupBox(central);
    sumFrame->setObjectName(QStringLiteral("Frame4"));
    checkSum_ = label(sumFrame, "LblCheckSUM", QStringLiteral("CheckSum:xxxx"), gothicFixedFont());
    (new QVBoxLayout(sumFrame))->addWidget(checkSum_);

    // Carried by the window but used by no command.
    (new QTextEdit(central))->setObjectName(QStringLiteral("RichTextBox1"));
    central->findChild<QTextEdit *>(QStringLiteral("RichTextBox1"))->hide();
    auto *dataCombo = new QComboBox(central);
    dataCombo->setObjectName(QStringLiteral("DataCombo1"));
    label(central, "Label1", QStringLiteral("しばらくお待ちください。"), uiGothicFont())->hide();

    auto *top = new QGridLayout;
    top->addWidget(device_, 0, 0);
    top->addWidget(pageSize_, 0, 1, 2, 1);
    top->addWidget(sizeLabel, 0, 2, Qt::AlignRight);
    top->addWidget(accessSize_, 0, 3);
    top->addWidget(spec_, 1, 0);
    top->addWidget(dataCombo, 1, 3);
    top->setColumnStretch(1, 1);

    auto *commands = new QHBoxLayout;
    commands->addWidget(block);
    commands->addWidget(single);
    auto *files = new QGridLayout;
    files->addWidget(open, 0, 0);
    files->addWidget(saveAs, 0, 1);
    files->addWidget(port, 1, 0);
    files->addWidget(clear, 1, 1);
    commands->addLayout(files);
    commands->addStretch(1);

    auto *side = new QVBoxLayout;
    side->addWidget(editor_);
    side->addWidget(sumFrame);
    side->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(grid_, 1);
    middle->addLayout(side);

    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(rule(central, "Line1"));
    layout->addSpacing(1);  // the second rule lies just below the first
    layout->addWidget(rule(central, "Line2"));
    layout->addLayout(commands);
    layout->addLayout(middle, 1);
    resize(980, 640);
}

void MainWindow::buildMenus()
{
    auto *bar = menuBar();
    auto menu = [bar](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu *m, const char *name, const QString &caption) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setFont(uiGothicFont());
        return a;
    };
    auto separator = [](QMenu *m, const char *name) { m->addSeparator()->setObjectName(QLatin1String(name)); };

    QMenu *file = menu("mnuFile", QStringLiteral("ファイル(&F)"));
    connect(item(file, "mnuFileOpen", QStringLiteral("ファイルをロード(&O)...")), &QAction::triggered, this,
            [this] { files_->mnuFileOpen_Click(); });
    connect(item(file, "mnuFileSaveAs", QStringLiteral("名前を付けて保存(&A)...")), &QAction::triggered, this,
            [this] { files_->mnuFileSaveAs_Click(); });
    separator(file, "mnuFileBar1");
    connect(item(file, "mnuOutPutTextFile", QStringLiteral("テキストデータとして出力")), &QAction::triggered, this,
            &MainWindow::outputTextFileTriggered);
    separator(file, "mnuFileBar3");
    // Defined but never shown.
    item(file, "mnuFilePageSetup", QStringLiteral("ﾍﾟｰｼﾞ設定(&U)..."))->setVisible(false);
    item(file, "mnuFilePrint", QStringLiteral("印刷(&P)..."))->setVisible(false);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
    action("mnuFileBar2")->setVisible(false);
    connect(item(file, "mnuFileExit", QStringLiteral("終了(&X)")), &QAction::triggered, this, &QWidget::close);

    QMenu *tools = menu("mnuTools", QStringLiteral("オプション(&T)"));
    connect(item(tools, "mnuBufferClear", QStringLiteral("バッファをクリア(&B)")), &QAction::triggered, this,
            &MainWindow::bufferClearCommand);
    separator(tools, "mnu02");
    QAction *board = item(tools, "mnuBoardInfomation", QStringLiteral("デバイス挿入方向"));
    board->setCheckable(true);
    board->setChecked(true);
    // The board window's controller owns the check mark: a click toggles it there, not here.
    connect(board, &QAction::triggered, this, [this, board](bool) {
        board->setChecked(!board->isChecked());
        emit boardMenuTriggered();
    });
    separator(tools, "mnuO1");
    connect(item(tools, "mnuToolsOptions", QStringLiteral("COMポート設定(&O)...")), &QAction::triggered, this,
            &MainWindow::portSettingsTriggered);

    QMenu *help = menu("mnuHelp", QStringLiteral("ヘルプﾟ(&H)"));
    connect(item(help, "mnuHelpContents", QStringLiteral("ヘルプ(&C)")), &QAction::triggered, this,
            &MainWindow::helpContentsTriggered);
    item(help, "mnuHelpSearchForHelpOn", QStringLiteral("ﾄﾋﾟｯｸの検索(&S)..."))->setVisible(false);
    separator(help, "mnuHelpBar0");
    connect(item(help, "mnuHelpAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)")), &QAction::triggered, this,
            &MainWindow::aboutTriggered);
}

QAction *MainWindow::action(const char *objectName) const
{
    return findChild<QAction *>(QLatin1String(objectName));
}

void MainWindow::Form_Load()
{
    state_.StepNo = 200;
    placement_.restore(*this, settings_.single(keys::MainLeft), settings_.single(keys::MainTop), QPointF(1000, 1000));
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
    accessSize_->addItems(accessSizes(state_.chip.DUT_Bus, state_.chip.DUT_SizeExp, state_.chip.DUT_PageSize));
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

void MainWindow::RefreshGrid() { zelko6::RefreshGrid(state_, model_, *status_, *this); }

void MainWindow::ClearBuffer() { zelko6::ClearBuffer(state_, model_, *status_, *this); }

void MainWindow::bufferClearCommand()
{
    if (!state_.chipSelected)
        return;  // no chip, no buffer to clear
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

void MainWindow::yield() { QCoreApplication::processEvents(); }

void MainWindow::setGridVisible(bool visible) { grid_->setUpdatesEnabled(visible); }

void MainWindow::setCurrentCell(int row, int column) { grid_->setCurrentCell(row, column); }

void MainWindow::applyGridLayout() { grid_->SetGridLayout(); }

void MainWindow::setCheckSumCaption(const QString &caption) { checkSum_->setText(caption); }

void MainWindow::gridClick() { editor_->MSFGrid1_Click(true); }

void MainWindow::setOperationLock(bool locked)
{
    // Everything through which a second operation could start or the running one's chip, sizes,
    // buffer or port could change under it.
    static const char *const kWidgets[] = {"MSFGrid1",  "Cmd_READ_all", "Cmd_READ_single", "Cmd_WRITE_all",
                                           "Cmd_WRITE_single", "Frame1", "Combo_device", "CmbSize",
                                           "Command1", "Cmd_Open", "Cmd_SaveAs", "Cmd_Port"};
    static const char *const kActions[] = {"mnuBufferClear", "mnuFileOpen", "mnuFileSaveAs", "mnuToolsOptions"};
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

int MainWindow::selectedAddress() const { return grid_->selectedAddress(); }

QString MainWindow::accessSizeText() const { return accessSize_->currentText(); }

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

void MainWindow::setCaption(const QString &caption) { setWindowTitle(caption); }

}  // namespace zelko6
