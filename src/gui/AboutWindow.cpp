#include "gui/AboutWindow.h"

#include "core/base/Version.h"
#include "gui/Branding.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zelko6 {

static QLabel *aboutLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(uiGothicFont());
    l->setWordWrap(true);
    return l;
}

static QFrame *line(QWidget *parent, int index)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QStringLiteral("Line1"));
    f->setProperty("index", index);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

AboutWindow::AboutWindow(Shell &shell, QString appDir, QWidget *parent)
    : QDialog(parent), shell_(shell), appDir_(std::move(appDir))
{
    setObjectName(QStringLiteral("frmAbout"));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(32, 32));

    auto *title = aboutLabel(this, "lblTitle", kAppTitle.toUpper());
    version_ = aboutLabel(this, "lblVersion", zelko6::versionCaption());
    description_ = aboutLabel(this, "lblDescription", QString());
    disclaimer_ = aboutLabel(this, "lblDisclaimer", QString()); // the version record has no comments
    definitionFile_ = aboutLabel(this, "Label_zelko_rev", QString());
    auto *maker = aboutLabel(this, "Label1", kMakerName);

    support_ = new QPushButton(this);
    support_->setObjectName(QStringLiteral("Command1"));
    support_->setFont(uiGothicFont());
    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setFont(uiGothicFont());
    ok_->setDefault(true);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(support_, &QPushButton::clicked, this, [this] { shell_.open(kSupportUrl); });

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version_);
    texts->addWidget(description_);
    head->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(support_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(line(this, 0));
    layout->addWidget(definitionFile_);
    layout->addWidget(disclaimer_);
    layout->addWidget(maker);
    layout->addWidget(line(this, 1));
    layout->addLayout(buttons);
    setMinimumWidth(420);
    retranslateUi();
}

void AboutWindow::retranslateUi()
{
    setWindowTitle(tr("%1のﾊﾞｰｼﾞｮﾝ情報").arg(kAppTitle));
    description_->setText(tr("プログラマボードを通してシリアルＥＥＰＲＯＭの読み出し・書き込みを行う"
                             "ソフトウエアです。ファームウエア V6.00 以降が必要です。"));
    if (!supportAddress_.isEmpty())
        disclaimer_->setText(tr("ｻﾎﾟｰﾄﾍﾟｰｼﾞ : %1").arg(supportAddress_));
    definitionFile_->setText(definitionFileLine_ ? *definitionFileLine_ : tr("zelko6.iniバージョン"));
    support_->setText(tr("サポートホームページへジャンプ"));
    ok_->setText(tr("閉じる"));
}

void AboutWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void AboutWindow::setSupportAddress(const QString &address)
{
    supportAddress_ = address;
    retranslateUi();
}

void AboutWindow::setDefinitionFile(const QString &name, const QString &defFileVer)
{
    definitionFileLine_ = name + QStringLiteral("  ") + defFileVer;
    retranslateUi();
}

QString AboutWindow::versionCaption() const
{
    return version_->text();
}

} // namespace zelko6
