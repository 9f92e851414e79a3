#include "gui/HexGridView.h"

#include "core/buffer/GridModel.h"
#include "core/text/CharRules.h"
#include "core/text/HexText.h"
#include "gui/DifferenceMarks.h"
#include "gui/Fonts.h"
#include "gui/WindowPlacement.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <algorithm>

namespace zelko6 {

namespace {

// Column widths in twips: address, each byte, the characters. A font whose texts need more
// (a larger size, a wider face) widens its column instead of cutting the text off.
constexpr int kAddressTwips = 750;
constexpr int kByteTwips = 450;
constexpr int kCharsTwips = 2000;

QString cornerText()
{
    return HexGridView::tr("　Adr.");
}

// The widest of a byte cell's 256 texts.
int widestByteText(const QFontMetrics &metrics)
{
    int widest = 0;
    for (int value = 0; value <= 0xFF; ++value)
        widest = std::max(widest, metrics.horizontalAdvance(byteCellText(static_cast<uint8_t>(value))));
    return widest;
}

// Sixteen of the widest character the character column can show, by either rule.
int widestCharsText(const QFontMetrics &metrics)
{
    int widest = 0;
    for (int value = 0; value <= 0xFF; ++value) {
        const auto b = static_cast<uint8_t>(value);
        widest = std::max(
            {widest, metrics.horizontalAdvance(fillRuleChar(b)), metrics.horizontalAdvance(editRuleChar(b))});
    }
    return widest * kBytesPerRow;
}

// An address of five of the widest hexadecimal digit.
QString widestAddressText(const QFontMetrics &metrics)
{
    QChar widest = u'0';
    for (const QChar digit : QStringLiteral("0123456789ABCDEF"))
        if (metrics.horizontalAdvance(digit) > metrics.horizontalAdvance(widest))
            widest = digit;
    return QStringLiteral("0x") + QString(5, widest);
}

// What a cell needs around its text: the item's text margins and the grid line.
int cellPadding(const QTableView &view)
{
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return 2 * margin + (view.showGrid() ? 1 : 0);
}

// The width a header section needs for `text`, its margins included.
int headerWidth(const QHeaderView &header, const QString &text)
{
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.text = text;
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width();
}

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
        option.text = cornerText();
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

const HexGridView::WidestTexts &HexGridView::widestTexts()
{
    if (widest_.fontKey != font().key()) {
        const QFontMetrics metrics = fontMetrics();
        widest_ = {font().key(), widestAddressText(metrics), widestByteText(metrics),
                   widestCharsText(metrics)};
    }
    return widest_;
}

void HexGridView::SetGridLayout()
{
    const double dpi = logicalDpi();
    const WidestTexts &widest = widestTexts();
    const int padding = cellPadding(*this);
    QHeaderView &rows = *verticalHeader();
    rows.setFixedWidth(std::max({twipsToPixels(kAddressTwips, dpi), headerWidth(rows, widest.address),
                                 headerWidth(rows, cornerText())}));
    const QHeaderView &columns = *horizontalHeader();
    const auto headerText = [this](int column) {
        return model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    for (int column = 0; column < kBytesPerRow; ++column)
        setColumnWidth(column, std::max({twipsToPixels(kByteTwips, dpi), widest.byte + padding,
                                         headerWidth(columns, headerText(column))}));
    setColumnWidth(kCharColumn, std::max({twipsToPixels(kCharsTwips, dpi), widest.chars + padding,
                                          headerWidth(columns, headerText(kCharColumn))}));
    updateGeometry(); // the window's layout asks for the new width
}

QSize HexGridView::sizeHint() const
{
    // Every column side by side, and room for the vertical scroll bar that larger chips bring, so
    // that a window sized from this hint never needs a horizontal one.
    const int width = 2 * frameWidth() + verticalHeader()->width() + horizontalHeader()->length() +
                      verticalScrollBar()->sizeHint().width();
    return {width, QTableView::sizeHint().height()};
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
