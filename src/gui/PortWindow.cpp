#include "gui/PortWindow.h"

#include "core/base/Settings.h"
#include "core/base/Version.h"
#include "core/operations/PortSearch.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/PortProbe.h"
#include "core/programmer/SerialLink.h"
#include "core/programmer/SystemSerialLink.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "messages/StatusTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelko6 {

namespace {

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    widget->setFont(uiGothicFont());
    return widget;
}

QString savedText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

const SystemPortList &chosenList(const PortWindowSystem &system, std::unique_ptr<SystemPortList> &own)
{
    if (system.ports)
        return *system.ports;
    own = std::make_unique<QtSystemPortList>();
    return *own;
}

} // namespace

PortWindow::PortWindow(SerialLink &link, Settings &settings, MessageBoxes &boxes, PortWindowSystem system,
                       QWidget *parent)
    : QDialog(parent), link_(link), settings_(settings), boxes_(boxes), system_(std::move(system)),
      inventory_(&settings.store(), chosenList(system_, ownList_), system_.byIdFolder)
{
    setObjectName(QStringLiteral("frmCom"));

    listCaption_ = named(new QLabel(this), "Label1");
    ports_ = named(new QComboBox(this), "Cmb_com");
    listCaption_->setBuddy(ports_);
    device_ = named(new QLabel(this), "LabelDevice");
    device_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    list_ = named(new QTreeWidget(this), "LstPorts");
    list_->setColumnCount(ColumnCount);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(true);
    // Room for the adapters' descriptions without hiding the window's other controls on a small screen.
    list_->setMinimumSize(600, 220);

    find_ = named(new QPushButton(this), "Cmd_Find");
    findStatus_ = named(new QLabel(this), "LabelFind");
    findStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    refresh_ = new QTimer(this);
    refresh_->setObjectName(QStringLiteral("TimerPorts"));
    refresh_->setInterval(kListRefreshMs);

    lines_ = named(new QGroupBox(this), "Frame1");
    dtr_ = named(new QCheckBox(lines_), "CheckDTR");
    rts_ = named(new QCheckBox(lines_), "CheckRTS");
    // The input lines are never read: these two carry only their captions.
    auto *dsr = named(new QLabel(QStringLiteral("DSR"), lines_), "LabelDSR");
    auto *cts = named(new QLabel(QStringLiteral("CTS"), lines_), "LabelCTS");
    close_ = named(new QPushButton(this), "Cmd_Close");
    close_->setDefault(true);
    retranslateUi();

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(listCaption_);
    listRow->addWidget(ports_);
    listRow->addWidget(device_, 1);

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(find_);
    findRow->addWidget(findStatus_, 1);

    auto *linesLayout = new QGridLayout(lines_);
    linesLayout->addWidget(dtr_, 0, 0);
    linesLayout->addWidget(dsr, 0, 1);
    linesLayout->addWidget(rts_, 1, 0);
    linesLayout->addWidget(cts, 1, 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(close_);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(listRow);
    layout->addWidget(list_);
    layout->addLayout(findRow);
    layout->addWidget(lines_);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // activated, not currentIndexChanged: choosing the entry already shown tries that port again,
    // which is how a user retries after plugging the board in.
    connect(ports_, &QComboBox::activated, this, [this](int index) { portChosen(index, true); });
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { rowChosen(list_->indexOfTopLevelItem(item)); });
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { rowChosen(list_->indexOfTopLevelItem(item)); });
    connect(find_, &QPushButton::clicked, this, &PortWindow::findWriter);
    connect(refresh_, &QTimer::timeout, this, &PortWindow::refreshList);
    connect(dtr_, &QCheckBox::clicked, this, [this] { lineClicked(dtr_, false); });
    connect(rts_, &QCheckBox::clicked, this, [this] { lineClicked(rts_, true); });
    connect(close_, &QPushButton::clicked, this, [this] {
        link_.close();
        reject();
    });

    load();
}

PortWindow::~PortWindow()
{
    // Torn down while still showing (its parent went away): the port must not stay open.
    if (loaded_)
        link_.close();
}

void PortWindow::load()
{
    loaded_ = true;
    link_.close();

    ports_->clear();
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number)
        ports_->addItem(QString::number(number));
    searchResult_.clear();
    findStatus_->clear();
    shown_.clear();
    refreshList();

    // The connection check reads the same three values the same way, so the window shows what the
    // next operation will use. A saved index outside the list (edited by hand) falls back to the
    // first port, and the probe then saves that.
    const PortSettings saved = savedPortSettings(settings_);
    int index = saved.portNumber - kFirstPortNumber;
    if (index < 0 || index >= ports_->count())
        index = 0;
    ports_->setCurrentIndex(index);
    portChosen(index, false);

    rts_->setChecked(saved.rtsEnable);
    lineClicked(rts_, true);
    dtr_->setChecked(saved.dtrEnable);
    lineClicked(dtr_, false);
    refresh_->start();
}

void PortWindow::unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    refresh_->stop();
    // A search still running ends here: its link thread stops the check under way.
    search_.reset();
    setSearching(false);
    link_.close();
    settings_.setText(keys::RTS, savedText(rts_->isChecked()));
    settings_.setText(keys::DTR, savedText(dtr_->isChecked()));
}

void PortWindow::portChosen(int index, bool byUser)
{
    if (index < 0 || index >= ports_->count())
        return;
    // A user who picks a present adapter means that adapter, not whatever comes n-th in the
    // system's list next time: the number keeps its stable name. Opening the window only shows
    // what is saved.
    if (byUser && keepChosenDevice(settings_.store(), inventory_.entry(index + kFirstPortNumber)))
        refreshList();
    showDevice(index);
    if (list_->currentItem() != list_->topLevelItem(index))
        list_->setCurrentItem(list_->topLevelItem(index));
    if (const auto failure = probePort(link_, settings_, index))
        boxes_.show(BoxIcon::Error, BoxButtons::Ok, kAppTitle, StatusTexts::portUnusable(*failure));
}

void PortWindow::rowChosen(int row)
{
    if (row < 0 || row >= ports_->count() || (search_ && search_->running()))
        return;
    ports_->setCurrentIndex(row);
    portChosen(row, true);
}

void PortWindow::lineClicked(QCheckBox *box, bool rts)
{
    // Let the box repaint before the store is written. The line itself follows at the next
    // connection check, which opens the port with the saved values.
    QCoreApplication::processEvents();
    settings_.setText(rts ? keys::RTS : keys::DTR, savedText(box->isChecked()));
}

void PortWindow::showDevice(int index)
{
    // The device the probe really opens: the link's own lookup.
    const int number = index + kFirstPortNumber;
    const QString device = link_.deviceFor(number);
    device_->setText(device);
    device_->setToolTip(StatusTexts::portLine(number, device));
}

void PortWindow::refreshList()
{
    std::vector<PortEntry> entries = inventory_.entries();
    if (entries == shown_)
        return;
    const bool first = shown_.empty();
    for (size_t k = 0; k < entries.size(); ++k) {
        // What the search heard on a port is about the device that was there.
        if (k < shown_.size() && shown_[k].device != entries[k].device)
            searchResult_.erase(entries[k].number);
    }
    shown_ = std::move(entries);
    while (list_->topLevelItemCount() < static_cast<int>(shown_.size()))
        list_->addTopLevelItem(new QTreeWidgetItem);
    for (int row = 0; row < static_cast<int>(shown_.size()); ++row)
        fillRow(row, shown_[static_cast<size_t>(row)]);
    if (first) {
        for (int column = 0; column < ColumnCount; ++column)
            list_->resizeColumnToContents(column);
    }
    // The label names what the chosen number opens now.
    if (!first && loaded_)
        showDevice(ports_->currentIndex());
}

void PortWindow::fillRow(int row, const PortEntry &entry)
{
    QTreeWidgetItem *item = list_->topLevelItem(row);
    if (!item)
        return;
    item->setText(ColNumber, QString::number(entry.number));
    item->setText(ColDevice, entry.device);
    item->setToolTip(ColDevice, entry.stableName.isEmpty() ? entry.device : entry.stableName);
    const SystemPort info = entry.info.value_or(SystemPort{});
    item->setText(ColDescription, entry.present ? info.description : tr("（接続されていません）"));
    item->setText(ColMaker, info.manufacturer);
    item->setText(ColSerial, info.serialNumber);
    item->setText(ColUsb, usbIds(info));
    const auto result = searchResult_.find(entry.number);
    item->setText(ColWriter, result == searchResult_.end() ? QString() : result->second);
    item->setToolTip(ColWriter, QString());
    // Absent ports are greyed; they can still be chosen (an adapter about to be plugged in).
    const QPalette::ColorGroup group = entry.present ? QPalette::Active : QPalette::Disabled;
    for (int column = 0; column < ColumnCount; ++column)
        item->setForeground(column, palette().brush(group, QPalette::Text));
}

void PortWindow::findWriter()
{
    if (search_ && search_->running())
        return;
    // The window's own probe holds its port open, and a port is opened by one program at a time.
    link_.close();
    refreshList();
    std::vector<PortSettings> candidates = portsToSearch(shown_, savedPortSettings(settings_));
    for (const PortSettings &port : candidates)
        searchResult_.erase(port.portNumber);
    if (!search_) {
        LinkThread::LinkFactory make = system_.makeSearchLink;
        if (!make)
            make = [] { return makeSystemSerialLink(); };
        EventSink &events = *this;
        search_ = std::make_unique<PortSearch>(std::move(make), events);
    }
    setSearching(true);
    search_->start(std::move(candidates), {[this](int number) { searching_ = number; },
                                           [this](const CheckOutcome &outcome) { heard(outcome); },
                                           [this](std::optional<int> found) { searchDone(found); }});
}

void PortWindow::heard(const CheckOutcome &outcome)
{
    QString text;
    switch (outcome.result) {
    case CheckResult::Identified:
        text = outcome.reply;
        break;
    case CheckResult::Foreign:
        text = tr("ライター以外の応答");
        break;
    case CheckResult::TimedOut:
    case CheckResult::PortLost:
        text = tr("応答なし");
        break;
    case CheckResult::PortUnusable:
        text = tr("開けません");
        break;
    case CheckResult::Interrupted:
        break;
    }
    searchResult_[outcome.portNumber] = text;
    const int row = outcome.portNumber - kFirstPortNumber;
    if (row >= 0 && row < static_cast<int>(shown_.size())) {
        fillRow(row, shown_[static_cast<size_t>(row)]);
        if (outcome.result == CheckResult::PortUnusable)
            list_->topLevelItem(row)->setToolTip(ColWriter,
                                                 StatusTexts::checkFailedOpening(outcome.openFailure));
        // The firmware line whole: the list scrolls sideways rather than cutting it off.
        list_->resizeColumnToContents(ColWriter);
    }
}

void PortWindow::searchDone(std::optional<int> found)
{
    setSearching(false);
    if (!found) {
        findStatus_->setText(tr("ライターが見つかりませんでした。"));
        return;
    }
    const int index = *found - kFirstPortNumber;
    if (index < 0 || index >= ports_->count())
        return;
    findStatus_->setText(
        tr("ライターが見つかりました: %1").arg(StatusTexts::portLine(*found, searchResult_[*found])));
    // Chosen as the user would choose it: saved, kept by its stable name, and opened.
    ports_->setCurrentIndex(index);
    portChosen(index, true);
}

void PortWindow::setSearching(bool searching)
{
    if (!searching)
        searching_ = 0;
    ports_->setEnabled(!searching);
    list_->setEnabled(!searching);
    find_->setEnabled(!searching);
    if (searching)
        findStatus_->setText(tr("ライターを探しています..."));
}

void PortWindow::report(const StatusEvent &event)
{
    // Which port the search is on and how long it still waits there.
    if (const auto *countdown = std::get_if<CheckCountdown>(&event)) {
        if (searching_)
            findStatus_->setText(
                tr("ライターを探しています... COM%1 (%2)").arg(searching_).arg(countdown->secondsLeft));
    }
}

void PortWindow::retranslateUi()
{
    setWindowTitle(tr("通信設定"));
    listCaption_->setText(tr("通信ポート番号"));
    ports_->setAccessibleName(listCaption_->text());
    // Read by screen readers for the device label, which has no caption of its own.
    device_->setAccessibleName(tr("接続先デバイス"));
    list_->setHeaderLabels({tr("番号"), tr("デバイス"), tr("説明"), tr("メーカー"), tr("シリアル番号"),
                            tr("USB ID"), tr("ライター")});
    list_->setAccessibleName(tr("シリアルポート一覧"));
    find_->setText(tr("ライターを探す"));
    find_->setAccessibleName(find_->text());
    findStatus_->setAccessibleName(tr("ライター検索の結果"));
    lines_->setTitle(tr("通信ができないとき変更してみてください。"));
    dtr_->setText(tr("DTR (通常チェック無し)"));
    rts_->setText(tr("RTS (通常チェック有り)"));
    close_->setText(tr("閉じる"));
    for (int row = 0; row < static_cast<int>(shown_.size()); ++row)
        fillRow(row, shown_[static_cast<size_t>(row)]);
}

void PortWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void PortWindow::done(int result)
{
    unload();
    QDialog::done(result);
}

void PortWindow::showEvent(QShowEvent *event)
{
    // Shown again after it was closed: load afresh, as the first showing did.
    if (!loaded_)
        load();
    QDialog::showEvent(event);
}

} // namespace zelko6
