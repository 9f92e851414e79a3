#include "gui/MainStatusBar.h"

#include "gui/Fonts.h"

#include <QLabel>

namespace zelko6 {

namespace {
int numberOf(StatusPanel panel)
{
    return static_cast<int>(panel) + 1;
}
} // namespace

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("sbStatusBar"));
    setSizeGripEnabled(true);
    static constexpr int kStretch[4] = {6, 3, 1, 3};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setAccessibleName(QStringLiteral("Panel %1").arg(i + 1));
        label->setFont(uiGothicFont());
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(40);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        addWidget(label, kStretch[i]);
        panels_[static_cast<size_t>(i)] = label;
    }
}

void MainStatusBar::setText(StatusPanel panel, const QString &text)
{
    const int number = numberOf(panel);
    panels_[static_cast<size_t>(number - 1)]->setText(text);
    emit panelChanged(number, text);
}

QString MainStatusBar::text(StatusPanel panel) const
{
    return panels_[static_cast<size_t>(numberOf(panel) - 1)]->text();
}

QString MainStatusBar::panel(int number) const
{
    if (number < 1 || number > 4)
        return {};
    return panels_[static_cast<size_t>(number - 1)]->text();
}

} // namespace zelko6
