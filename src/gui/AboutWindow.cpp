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
    setWindowTitle(kAppTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(32, 32));

    auto *title = aboutLabel(this, "lblTitle", kAppTitle.toUpper());
    version_ = aboutLabel(this, "lblVersion", zelko6::versionCaption());
    auto *description =
        aboutLabel(this, "lblDescription",
                   QStringLiteral("プログラマボードを通してシリアルＥＥＰＲＯＭの読み出し・書き込みを行う"
                                  "ソフトウエアです。ファームウエア V6.00 以降が必要です。"));
    disclaimer_ = aboutLabel(this, "lblDisclaimer", QString()); // the version record has no comments
    definitionFile_ = aboutLabel(this, "Label_zelko_rev", QStringLiteral("zelko6.iniバージョン"));
    auto *maker = aboutLabel(this, "Label1", kMakerName);

    auto *support = new QPushButton(QStringLiteral("サポートホームページへジャンプ"), this);
    support->setObjectName(QStringLiteral("Command1"));
    support->setFont(uiGothicFont());
    auto *ok = new QPushButton(QStringLiteral("閉じる"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setFont(uiGothicFont());
    ok->setDefault(true);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(support, &QPushButton::clicked, this, [this] { shell_.open(kSupportUrl); });

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version_);
    texts->addWidget(description);
    head->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(support);
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(line(this, 0));
    layout->addWidget(definitionFile_);
    layout->addWidget(disclaimer_);
    layout->addWidget(maker);
    layout->addWidget(line(this, 1));
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void AboutWindow::setDisclaimer(const QString &text)
{
    disclaimer_->setText(text);
}

void AboutWindow::setDefinitionFile(const QString &name, const QString &defFileVer)
{
    definitionFile_->setText(name + QStringLiteral("  ") + defFileVer);
}

QString AboutWindow::versionCaption() const
{
    return version_->text();
}

} // namespace zelko6
