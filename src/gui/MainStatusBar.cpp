#include "gui/MainStatusBar.h"

#include "gui/Fonts.h"

#include <QLabel>

namespace zelko6 {

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

void MainStatusBar::setPanel(int panel, const QString &text)
{
    if (panel < 1 || panel > 4)
        return;
    panels_[static_cast<size_t>(panel - 1)]->setText(text);
    emit panelChanged(panel, text);
}

QString MainStatusBar::panel(int panel) const
{
    if (panel < 1 || panel > 4)
        return {};
    return panels_[static_cast<size_t>(panel - 1)]->text();
}

} // namespace zelko6
