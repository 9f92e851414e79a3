#include "gui/HexGridView.h"

#include "core/buffer/GridModel.h"
#include "gui/DifferenceMarks.h"
#include "gui/Fonts.h"
#include "gui/WindowPlacement.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace zelko6 {

namespace {

// Column widths in twips: address, each byte, the characters.
constexpr int kAddressTwips = 750;
constexpr int kByteTwips = 450;
constexpr int kCharsTwips = 2000;

// The corner above the address column carries the first header text.
class CornerPainter final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        QStyleOptionHeader option;
        option.initFrom(button);
        option.rect = button->rect();
        option.text = HexGridView::tr("　Adr.");
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        QPainter painter(button);
        button->style()->drawControl(QStyle::CE_Header, &option, &painter, button);
        return true;
    }
};

} // namespace

HexGridView::HexGridView(GridModel &model, QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("MSFGrid1"));
    setAccessibleName(QStringLiteral("MSFGrid1"));
    setFont(gothicFixedFont());
    setModel(new DifferenceMarks(model, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a cell shows its whole text, never an ellipsis
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (auto *corner = findChild<QAbstractButton *>())
        corner->installEventFilter(new CornerPainter(this));
    SetGridLayout();
}

int HexGridView::Row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int HexGridView::Col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void HexGridView::setCurrentCell(int row, int column)
{
    settingFromCode_ = true;
    const QModelIndex target = model()->index(row - 1, column - 1);
    if (target.isValid())
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clearCurrentIndex();
    settingFromCode_ = false;
}

void HexGridView::showAddress(int address)
{
    setCurrentCell(address / kBytesPerRow + 1, address % kBytesPerRow + 1);
    if (currentIndex().isValid())
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

int HexGridView::selectedAddress() const
{
    const int row = Row();
    const int col = Col();
    if (row < 1 || col < 1 || col > kBytesPerRow)
        return -1;
    return (row - 1) * kBytesPerRow + (col - 1);
}

void HexGridView::SetGridLayout()
{
    const double dpi = logicalDpi();
    verticalHeader()->setFixedWidth(twipsToPixels(kAddressTwips, dpi));
    for (int column = 0; column < kBytesPerRow; ++column)
        setColumnWidth(column, twipsToPixels(kByteTwips, dpi));
    setColumnWidth(kCharColumn, twipsToPixels(kCharsTwips, dpi));
}

void HexGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // A click reports itself when the button is released; this is a move by the keys.
    if (!settingFromCode_ && !pressing_ && current.isValid())
        emit cellSelected(false);
}

void HexGridView::mousePressEvent(QMouseEvent *event)
{
    pressing_ = true;
    QTableView::mousePressEvent(event);
    pressing_ = false;
}

void HexGridView::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && currentIndex().isValid() &&
        indexAt(event->position().toPoint()) == currentIndex())
        emit cellSelected(true);
}

} // namespace zelko6

namespace zelko6 {

void HexGridView::changeEvent(QEvent *event)
{
    // The corner's caption is painted in the language in effect.
    if (event->type() == QEvent::LanguageChange)
        if (auto *corner = findChild<QAbstractButton *>())
            corner->update();
    QTableView::changeEvent(event);
}

} // namespace zelko6
