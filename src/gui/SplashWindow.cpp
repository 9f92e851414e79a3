#include "gui/SplashWindow.h"

#include "core/base/Version.h"
#include "gui/Branding.h"
#include "gui/Fonts.h"
#include "messages/StatusTexts.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace zelko6 {

static QLabel *label(QWidget *parent, const char *name, const QString &text, const QFont &font)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    return l;
}

static QPixmap logo()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x20, 0x40, 0x80));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(4, 4, 56, 56, 10, 10);
    p.setPen(QPen(Qt::white, 3));
    for (int i = 0; i < 4; ++i) { // the pins of a chip
        p.drawLine(12, 16 + i * 10, 20, 16 + i * 10);
        p.drawLine(44, 16 + i * 10, 52, 16 + i * 10);
    }
    p.drawRect(20, 12, 24, 40);
    return pixmap;
}

SplashWindow::SplashWindow(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->installEventFilter(this);

    const QFont black(QStringLiteral("Arial Black"), 18);
    auto *image = new QLabel(frame);
    image->setObjectName(QStringLiteral("imgLogo"));
    image->setPixmap(logo());

    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(image);
    layout->addWidget(label(frame, "lblProductName", kAppTitle.toUpper(), black));
    layout->addWidget(label(frame, "lblProductNameA", QStringLiteral("ZELKO"), black));
    for (int i = 0; i < 2; ++i) {
        auto *company =
            label(frame, "lblCompanyProduct", kMakerName, QFont(QStringLiteral("Arial Black"), 10));
        company->setProperty("index", i);
        layout->addWidget(company);
    }
    layout->addWidget(label(frame, "Label2", tr("シリアルＥＥＰＲＯＭプログラマー"), uiGothicFont()));
    layout->addWidget(label(frame, "Label1", StatusTexts::pleaseWait(), uiGothicFont()));
    layout->addWidget(label(frame, "lblVersion", tr("ﾊﾞｰｼﾞｮﾝ %1").arg(versionText()), uiGothicFont()));

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(frame);
    setFocusPolicy(Qt::StrongFocus);
}

void SplashWindow::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    close();
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelko6
