#include "gui/BoardWindow.h"

#include "core/base/Settings.h"
#include "gui/Fonts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace zelko6 {

namespace {

// The drawing: board outline, the 18-pin socket with its pin marks, and JP2 with three pins.
class BoardDrawing final : public QWidget {
  public:
    explicit BoardDrawing(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Shape_18P"));
        setMinimumSize(260, 250);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::darkGreen, 2));
        p.setBrush(QColor(0xD8, 0xF0, 0xD8));
        p.drawRoundedRect(rect().adjusted(4, 4, -4, -4), 8, 8); // board outline

        const QRect socket(70, 20, 90, 200); // 18-pin socket: nine pins a side
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.drawRect(socket);
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(socket.center().x(), socket.top() + 10), 6, 6); // notch at pin 1
        p.setBrush(QColor(0xC0, 0xA0, 0x40));
        for (int i = 0; i < 9; ++i) {
            const int y = socket.top() + 14 + i * 20;
            p.drawRect(socket.left() - 12, y, 10, 8);
            p.drawRect(socket.right() + 3, y, 10, 8);
        }
        p.setBrush(QColor(0xFF, 0xFF, 0xFF));
        p.drawText(socket.left() - 30, socket.top() + 22, QStringLiteral("1"));

        const QRect jumper(190, 150, 54, 18); // JP2, pins 1 2 3
        p.setBrush(QColor(0x20, 0x20, 0x20));
        p.drawRect(jumper);
        p.setBrush(QColor(0xC0, 0xA0, 0x40));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPoint(jumper.left() + 9 + i * 18, jumper.center().y()), 4, 4);
    }
};

QLabel *note(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(uiGothicFont());
    return l;
}

} // namespace

BoardWindow::BoardWindow(Settings &settings, QWidget *parent) : QWidget(parent), settings_(settings)
{
    setObjectName(QStringLiteral("frmBoard"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(new BoardDrawing(this), 0, 0, 4, 1);
    pinNote_ = note(this, "Label2", QString());
    layout->addWidget(pinNote_, 0, 1);
    layout->addWidget(note(this, "LabelJP2", QStringLiteral("JP2")), 1, 1);
    layout->addWidget(note(this, "LabelJP2Pins", QStringLiteral("1  2  3")), 2, 1);
    eitherNote_ = note(this, "Label_sel", QString());
    layout->addWidget(eitherNote_, 3, 1);
    retranslateUi();
}

void BoardWindow::retranslateUi()
{
    setWindowTitle(tr("インデックス情報"));
    pinNote_->setText(tr("上側が１ｐｉｎ"));
    eitherNote_->setText(tr("どちらでも可"));
    setFixedSize(sizeHint());
}

void BoardWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void BoardWindow::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    placement_.restore(*this, settings_.single(keys::MainLeftBoard), settings_.single(keys::MainTopBoard),
                       QPointF(1000, 1000));
}

QPointF BoardWindow::positionTwips()
{
    load();
    return placement_.twips(*this);
}

void BoardWindow::closeEvent(QCloseEvent *event)
{
    loaded_ = false;
    event->accept();
}

} // namespace zelko6
