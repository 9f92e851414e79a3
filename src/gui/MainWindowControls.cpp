// The controls and menus of the main window: what it holds, with the captions the user sees.

#include "gui/MainWindow.h"

#include "core/base/Settings.h"
#include "core/devices/ChipSelection.h"
#include "core/operations/DeviceOperations.h"
#include "gui/AppState.h"
#include "gui/BufferTools.h"
#include "gui/ByteEditorPanel.h"
#include "gui/DuringOperations.h"
#include "gui/Fonts.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/QtFileDialogs.h"
#include "gui/WindowPlacement.h"
#include "messages/StatusTexts.h"
#include "messages/Translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
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
#include <tuple>

namespace zelko6 {

namespace {

QPushButton *button(QWidget *parent, const char *name, DuringOperations rule)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(uiGothicFont());
    setDuringOperations(*b, rule);
    return b;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QFont &font)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    return l;
}

// One pixel line across the window; a dark one with a light one 20 twips below makes the groove
// between the selectors and the commands.
QFrame *rule(QWidget *parent, const char *name, QPalette::ColorRole colour)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setFixedHeight(1);
    line->setForegroundRole(colour);
    return line;
}

template <typename W> W *named(const QObject &parent, const char *name)
{
    return parent.findChild<W *>(QLatin1String(name));
}

QWidget *rules(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(std::max(0, twipsToPixels(20, logicalDpi()) - 1));
    layout->addWidget(rule(box, "Line1", QPalette::Dark));
    layout->addWidget(rule(box, "Line2", QPalette::Light));
    return box;
}

} // namespace

void MainWindow::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    setStatusBar(status_);

    device_ = new QComboBox(central);
    device_->setObjectName(QStringLiteral("Combo_device"));
    device_->setFont(gothicFixedFont());
    device_->setMinimumContentsLength(22);
    device_->setMaxVisibleItems(20);
    setDuringOperations(*device_, DuringOperations::Locked);
    connect(device_, &QComboBox::activated, this, [this] { Combo_device_Click(); });

    pageSize_ = label(central, "Lbl_PageSize", QString(), uiGothicFont());
    spec_ = label(central, "Lbl_Spec", QString(), gothicFixedFont()); // the chip selection fills it
    // The catalogue's data-sheet line is cut in a narrow window rather than widening the window
    // past the screen; the window's first size still shows it whole.
    spec_->setMinimumWidth(1);
    label(central, "Lbl_memo", QString(), uiGothicFont())->hide();

    accessSize_ = new QComboBox(central);
    accessSize_->setObjectName(QStringLiteral("CmbSize"));
    accessSize_->setFont(gothicFixedFont());
    accessSize_->setMinimumContentsLength(7);
    setDuringOperations(*accessSize_, DuringOperations::Locked);
    auto *sizeLabel = label(central, "Label3", QString(), uiGothicFont());
    sizeLabel->setBuddy(accessSize_);
    connect(accessSize_, &QComboBox::activated, this, [this] { CmbSize_Click(); });

    auto *block = new QGroupBox(central);
    block->setObjectName(QStringLiteral("Frame2"));
    block->setFont(uiGothicFont());
    auto *blockLayout = new QHBoxLayout(block);
    auto *readAll = button(block, "Cmd_READ_all", DuringOperations::Locked);
    auto *writeAll = button(block, "Cmd_WRITE_all", DuringOperations::Locked);
    auto *verifyAll = button(block, "Cmd_VERIFY_all", DuringOperations::Locked);
    blockLayout->addWidget(readAll);
    blockLayout->addWidget(writeAll);
    blockLayout->addWidget(verifyAll);

    auto *single = new QGroupBox(central);
    single->setObjectName(QStringLiteral("Frame3"));
    single->setFont(uiGothicFont());
    auto *singleLayout = new QGridLayout(single);
    singleLayout->addWidget(label(single, "Label4", QString(), uiGothicFont()), 0, 0, 1, 2);
    auto *readSingle = button(single, "Cmd_READ_single", DuringOperations::Locked);
    auto *writeSingle = button(single, "Cmd_WRITE_single", DuringOperations::Locked);
    singleLayout->addWidget(readSingle, 1, 0);
    singleLayout->addWidget(writeSingle, 1, 1);
    connect(readAll, &QPushButton::clicked, this, &MainWindow::Cmd_READ_all_Click);
    connect(writeAll, &QPushButton::clicked, this, &MainWindow::Cmd_WRITE_all_Click);
    connect(verifyAll, &QPushButton::clicked, this, &MainWindow::Cmd_VERIFY_all_Click);
    connect(readSingle, &QPushButton::clicked, this, &MainWindow::Cmd_READ_single_Click);
    connect(writeSingle, &QPushButton::clicked, this, &MainWindow::Cmd_WRITE_single_Click);

    auto *open = button(central, "Cmd_Open", DuringOperations::Locked);
    auto *saveAs = button(central, "Cmd_SaveAs", DuringOperations::Locked);
    auto *port = button(central, "Cmd_Port", DuringOperations::Locked);
    auto *clear = button(central, "Command1", DuringOperations::Locked);
    connect(open, &QPushButton::clicked, this, [this] { files_->mnuFileOpen_Click(); });
    connect(saveAs, &QPushButton::clicked, this, [this] { files_->mnuFileSaveAs_Click(); });
    connect(port, &QPushButton::clicked, this, &MainWindow::portSettingsTriggered);
    connect(clear, &QPushButton::clicked, this, &MainWindow::bufferClearCommand);

    grid_ = new HexGridView(model_, central);
    setDuringOperations(*grid_, DuringOperations::Locked);
    tools_ = std::make_unique<BufferTools>(BufferTools::Parts{
        state_, model_, *grid_, *this, [this](const QString &caption) { checkSum_->setText(caption); },
        [this] { return textDumpPath(); }, this});
    editor_ = new ByteEditorPanel(
        state_, *grid_, *this, boxes_,
        [this](int address, uint8_t value) { tools_->storeByte(address, value); }, central);
    setDuringOperations(*editor_, DuringOperations::Locked); // every box and bit inside it
    tools_->setEditor(*editor_);
    connect(grid_, &HexGridView::cellSelected, this,
            [this](bool byMouse) { editor_->MSFGrid1_Click(byMouse); });

    auto *sumFrame = new QGroupBox(central);
    sumFrame->setObjectName(QStringLiteral("Frame4"));
    checkSum_ =
        label(sumFrame, "LblCheckSUM", QStringLiteral("CheckSum:xxxx"), gothicFixedFont()); // a number
    (new QVBoxLayout(sumFrame))->addWidget(checkSum_);

    // Carried by the window but used by no command.
    auto *richText = new QTextEdit(central);
    richText->setObjectName(QStringLiteral("RichTextBox1"));
    richText->hide();
    setDuringOperations(*richText, DuringOperations::Usable);
    auto *dataCombo = new QComboBox(central);
    dataCombo->setObjectName(QStringLiteral("DataCombo1"));
    setDuringOperations(*dataCombo, DuringOperations::Usable);
    label(central, "Label1", QString(), uiGothicFont())->hide();

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
    layout->addWidget(rules(central));
    layout->addLayout(commands);
    layout->addLayout(middle, 1);
}

void MainWindow::buildMenus()
{
    auto *bar = menuBar();
    auto menu = [bar](const char *name) {
        QMenu *m = bar->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu *m, const char *name, DuringOperations rule) {
        QAction *a = m->addAction(QString());
        a->setObjectName(QLatin1String(name));
        a->setFont(uiGothicFont());
        setDuringOperations(*a, rule);
        return a;
    };
    using enum DuringOperations;
    auto separator = [](QMenu *m, const char *name) {
        m->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu *file = menu("mnuFile");
    connect(item(file, "mnuFileOpen", Locked), &QAction::triggered, this,
            [this] { files_->mnuFileOpen_Click(); });
    connect(item(file, "mnuFileSaveAs", Locked), &QAction::triggered, this,
            [this] { files_->mnuFileSaveAs_Click(); });
    connect(item(file, "mnuFileCompare", Locked), &QAction::triggered, this,
            [this] { files_->mnuFileCompare_Click(); });
    separator(file, "mnuFileBar1");
    // The dump on disk is the last refresh's; opening it touches nothing of the operation's.
    connect(item(file, "mnuOutPutTextFile", Usable), &QAction::triggered, this,
            &MainWindow::outputTextFileTriggered);
    separator(file, "mnuFileBar3");
    // Defined but never shown.
    item(file, "mnuFilePageSetup", Usable)->setVisible(false);
    item(file, "mnuFilePrint", Usable)->setVisible(false);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
    action("mnuFileBar2")->setVisible(false);
    // Closing during an operation stops it first (closeEvent).
    connect(item(file, "mnuFileExit", Usable), &QAction::triggered, this, &QWidget::close);

    tools_->buildMenu(bar, nullptr);

    QMenu *tools = menu("mnuTools");
    connect(item(tools, "mnuBufferClear", Locked), &QAction::triggered, this,
            &MainWindow::bufferClearCommand);
    connect(item(tools, "mnuBlankCheck", Locked), &QAction::triggered, this,
            [this] { runOperation(OperationKind::BlankCheck); });
    separator(tools, "mnuVerifyBar");
    connect(item(tools, "mnuVerify", Locked), &QAction::triggered, this, &MainWindow::Cmd_VERIFY_all_Click);
    // Usable when there are marks and no operation runs (enableDifferenceActions).
    QAction *next = item(tools, "mnuNextDifference", LockedByOwner);
    next->setShortcut(Qt::Key_F3);
    connect(next, &QAction::triggered, this, &MainWindow::nextDifference);
    QAction *previous = item(tools, "mnuPreviousDifference", LockedByOwner);
    previous->setShortcut(Qt::SHIFT | Qt::Key_F3);
    connect(previous, &QAction::triggered, this, &MainWindow::previousDifference);
    connect(&model_, &QAbstractItemModel::modelReset, this, &MainWindow::enableDifferenceActions);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &MainWindow::enableDifferenceActions);
    enableDifferenceActions();
    separator(tools, "mnu02");
    QAction *board = item(tools, "mnuBoardInfomation", Usable);
    board->setCheckable(true);
    board->setChecked(true);
    // The board window's controller owns the check mark: a click toggles it there, not here.
    connect(board, &QAction::triggered, this, [this, board](bool) {
        board->setChecked(!board->isChecked());
        emit boardMenuTriggered();
    });
    separator(tools, "mnuO1");
    connect(item(tools, "mnuToolsOptions", Locked), &QAction::triggered, this,
            &MainWindow::portSettingsTriggered);
    separator(tools, "mnuLanguageBar");
    // Each language is named in its own words, whichever is in effect.
    QMenu *languages = tools->addMenu(QStringLiteral("言語 / Language")); // untranslated: both, always
    languages->setObjectName(QStringLiteral("mnuLanguage"));
    languages->menuAction()->setObjectName(QStringLiteral("mnuLanguage"));
    auto *group = new QActionGroup(languages);
    for (const auto &[name, caption, language] :
         {std::tuple{"mnuLanguageJapanese", QStringLiteral("日本語"), Language::Japanese}, // untranslated
          std::tuple{"mnuLanguageEnglish", QStringLiteral("English"), Language::English}}) {
        QAction *choice = item(languages, name, Usable);
        choice->setText(caption);
        choice->setCheckable(true);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this,
                [this, language = language] { emit languageChosen(language); });
    }

    QMenu *help = menu("mnuHelp");
    connect(item(help, "mnuHelpContents", Usable), &QAction::triggered, this,
            &MainWindow::helpContentsTriggered);
    item(help, "mnuHelpSearchForHelpOn", Usable)->setVisible(false);
    separator(help, "mnuHelpBar0");
    connect(item(help, "mnuHelpAbout", Usable), &QAction::triggered, this, &MainWindow::aboutTriggered);
}

void MainWindow::retranslateUi()
{
    const auto caption = [this](const char *name, const QString &text) {
        if (auto *l = named<QLabel>(*this, name))
            l->setText(text);
        else if (auto *b = named<QAbstractButton>(*this, name))
            b->setText(text);
        else if (auto *g = named<QGroupBox>(*this, name))
            g->setTitle(text);
    };
    caption("Label3", tr("ｱｸｾｽｻｲｽﾞ　 (Byte)"));
    caption("Frame2", tr("ﾌﾞﾛｯｸｱｸｾｽ(開始ｱﾄﾞﾚｽ0)"));
    caption("Cmd_READ_all", tr("Block Read"));
    caption("Cmd_WRITE_all", tr("Block Write"));
    caption("Cmd_VERIFY_all", tr("Verify"));
    caption("Frame3", tr("ﾊﾞｲﾄｱｸｾｽ"));
    caption("Label4", tr("任意ｱﾄﾞﾚｽの１byteのｱｸｾｽ"));
    caption("Cmd_READ_single", tr("Byte Read"));
    caption("Cmd_WRITE_single", tr("Byte Write"));
    caption("Cmd_Open", tr("開く"));
    caption("Cmd_SaveAs", tr("保存"));
    caption("Cmd_Port", tr("通信ポート"));
    caption("Command1", tr("ﾊﾞｯﾌｧ ｸﾘｱ"));
    caption("Label1", StatusTexts::pleaseWait());
    device_->setAccessibleName(tr("デバイス選択"));
    accessSize_->setAccessibleName(named<QLabel>(*this, "Label3")->text());

    const std::pair<const char *, QString> menus[] = {
        {"mnuFile", tr("ファイル(&F)")},
        {"mnuTools", tr("オプション(&T)")},
        {"mnuHelp", tr("ヘルプﾟ(&H)")},
    };
    for (const auto &[name, text] : menus)
        named<QMenu>(*this, name)->setTitle(text);
    const std::pair<const char *, QString> items[] = {
        {"mnuFileOpen", tr("ファイルをロード(&O)...")},
        {"mnuFileSaveAs", tr("名前を付けて保存(&A)...")},
        {"mnuFileCompare", tr("ファイルと比較(&C)...")},
        {"mnuOutPutTextFile", tr("テキストデータとして出力")},
        {"mnuFilePageSetup", tr("ﾍﾟｰｼﾞ設定(&U)...")},
        {"mnuFilePrint", tr("印刷(&P)...")},
        {"mnuFileExit", tr("終了(&X)")},
        {"mnuBufferClear", tr("バッファをクリア(&B)")},
        {"mnuBlankCheck", tr("ブランクチェック(&K)")},
        {"mnuVerify", tr("ベリファイ(&V)")},
        {"mnuNextDifference", tr("次の相違")},
        {"mnuPreviousDifference", tr("前の相違")},
        {"mnuBoardInfomation", tr("デバイス挿入方向")},
        {"mnuToolsOptions", tr("COMポート設定(&O)...")},
        {"mnuHelpContents", tr("ヘルプ(&C)")},
        {"mnuHelpSearchForHelpOn", tr("ﾄﾋﾟｯｸの検索(&S)...")},
        {"mnuHelpAbout", tr("ﾊﾞｰｼﾞｮﾝ情報(&A)")},
    };
    for (const auto &[name, text] : items)
        action(name)->setText(text);
    action(currentLanguage() == Language::English ? "mnuLanguageEnglish" : "mnuLanguageJapanese")
        ->setChecked(true);
    tools_->retranslateUi();
}

} // namespace zelko6
