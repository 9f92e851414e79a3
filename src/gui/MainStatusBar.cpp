#include "gui/MainStatusBar.h"

#include "gui/Fonts.h"
#include "messages/StatusTexts.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace zelko6 {

namespace {

int numberOf(StatusPanel panel)
{
    return static_cast<int>(panel) + 1;
}

// The message panel: when the window is narrow its text ends in "…" instead of being cut off
// mid-character; the whole text stays its accessible name and its tool tip.
class ElidingLabel final : public QLabel {
  public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

// The width a panel needs for `texts`, in its own font, frame included.
int widthFor(const QLabel &label, const QStringList &texts)
{
    int widest = 0;
    for (const QString &text : texts)
        widest = std::max(widest, label.fontMetrics().horizontalAdvance(text));
    return widest + 2 * label.frameWidth() + 2 * label.margin() + 8;
}

} // namespace

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("sbStatusBar"));
    setSizeGripEnabled(true);
    static constexpr int kStretch[4] = {6, 3, 1, 3};
    for (int i = 0; i < 4; ++i) {
        QLabel *label = i == 0 ? new ElidingLabel(this) : new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFont(uiGothicFont());
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(40);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        addWidget(label, kStretch[i]);
        panels_[static_cast<size_t>(i)] = label;
    }
    retranslateUi();
}

QLabel *MainStatusBar::label(StatusPanel panel) const
{
    return panels_[static_cast<size_t>(numberOf(panel) - 1)];
}

void MainStatusBar::setText(StatusPanel panel, const QString &text)
{
    QLabel *shown = label(panel);
    // QLabel tells assistive technology that its name (its text) changed.
    shown->setText(text);
    if (panel == StatusPanel::Message)
        shown->setToolTip(text);
    emit panelChanged(numberOf(panel), text);
}

QString MainStatusBar::text(StatusPanel panel) const
{
    return label(panel)->text();
}

QString MainStatusBar::panel(int number) const
{
    if (number < 1 || number > 4)
        return {};
    return panels_[static_cast<size_t>(number - 1)]->text();
}

void MainStatusBar::retranslateUi()
{
    for (int i = 0; i < 4; ++i)
        panels_[static_cast<size_t>(i)]->setAccessibleDescription(tr("Panel %1").arg(i + 1));
    // The longest texts these panels show, whatever the chip, port and firmware.
    label(StatusPanel::Port)
        ->setMinimumWidth(widthFor(*label(StatusPanel::Port),
                                   {StatusTexts::portLine(20, QStringLiteral("QT-LNK310 V 6.50")),
                                    StatusTexts::notConnected(20), StatusTexts::countdown(10)}));
    label(StatusPanel::Progress)
        ->setMinimumWidth(widthFor(*label(StatusPanel::Progress),
                                   {StatusTexts::address(131071), StatusTexts::percent(100)}));
}

void MainStatusBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QStatusBar::changeEvent(event);
}

} // namespace zelko6
