#include "gui/PortWindow.h"

#include "core/base/Settings.h"
#include "core/base/Version.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/PortProbe.h"
#include "core/programmer/SerialLink.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "messages/StatusTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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

} // namespace

PortWindow::PortWindow(SerialLink &link, Settings &settings, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent), link_(link), settings_(settings), boxes_(boxes)
{
    setObjectName(QStringLiteral("frmCom"));

    listCaption_ = named(new QLabel(this), "Label1");
    ports_ = named(new QComboBox(this), "Cmb_com");
    listCaption_->setBuddy(ports_);
    device_ = named(new QLabel(this), "LabelDevice");
    device_->setTextInteractionFlags(Qt::TextSelectableByMouse);

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
    layout->addWidget(lines_);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // activated, not currentIndexChanged: choosing the entry already shown tries that port again,
    // which is how a user retries after plugging the board in.
    connect(ports_, &QComboBox::activated, this, &PortWindow::portChosen);
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

    // The connection check reads the same three values the same way, so the window shows what the
    // next operation will use. A saved index outside the list (edited by hand) falls back to the
    // first port, and the probe then saves that.
    const PortSettings saved = savedPortSettings(settings_);
    int index = saved.portNumber - kFirstPortNumber;
    if (index < 0 || index >= ports_->count())
        index = 0;
    ports_->setCurrentIndex(index);
    portChosen(index);

    rts_->setChecked(saved.rtsEnable);
    lineClicked(rts_, true);
    dtr_->setChecked(saved.dtrEnable);
    lineClicked(dtr_, false);
}

void PortWindow::unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    link_.close();
    settings_.setText(keys::RTS, savedText(rts_->isChecked()));
    settings_.setText(keys::DTR, savedText(dtr_->isChecked()));
}

void PortWindow::portChosen(int index)
{
    showDevice(index);
    if (probePort(link_, settings_, index))
        boxes_.show(BoxIcon::Error, BoxButtons::Ok, kAppTitle, StatusTexts::portUnusable());
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

void PortWindow::retranslateUi()
{
    setWindowTitle(tr("通信設定"));
    listCaption_->setText(tr("通信ポート番号"));
    ports_->setAccessibleName(listCaption_->text());
    // Read by screen readers for the device label, which has no caption of its own.
    device_->setAccessibleName(tr("接続先デバイス"));
    lines_->setTitle(tr("通信ができないとき変更してみてください。"));
    dtr_->setText(tr("DTR (通常チェック無し)"));
    rts_->setText(tr("RTS (通常チェック有り)"));
    close_->setText(tr("閉じる"));
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
